#include "xpbutton/gdi/devicecontext.h"

#include "xpbutton/gdi/colorarithmetic.h"

#include <algorithm>

namespace {
// What putColour writes: a monochrome target takes an index, others the colour.
uint pixelValue(const QImage& image, ColorValue rgb) {
    if (image.format() == QImage::Format_Mono) {
        const ColorParts parts = SplitColor(rgb);
        return parts.red + parts.green + parts.blue >= 384 ? 1 : 0;
    }
    return toQRgb(rgb);
}
} // namespace

DeviceContext::DeviceContext(QImage& surface) : m_surface(&surface) {}

QImage* DeviceContext::target() const {
    if (m_surface)
        return m_surface->isNull() ? nullptr : m_surface;
    return m_bitmap.isNull() ? nullptr : &m_bitmap.image();
}

bool DeviceContext::isMonochrome() const {
    const QImage* image = target();
    return image && image->format() == QImage::Format_Mono;
}

int DeviceContext::width() const {
    const QImage* image = target();
    return image ? image->width() : 0;
}

int DeviceContext::height() const {
    const QImage* image = target();
    return image ? image->height() : 0;
}

bool DeviceContext::contains(int x, int y) const {
    return x >= 0 && y >= 0 && x < width() && y < height();
}

void DeviceContext::putColour(int x, int y, ColorValue rgb) {
    if (!contains(x, y))
        return;
    QImage* image = target();
    image->setPixel(x, y, pixelValue(*image, rgb));
}

void DeviceContext::fill(const WinRect& rect, ColorValue rgb) {
    QImage* image = target();
    if (!image)
        return;
    const int right = std::min(rect.right, image->width());
    const int bottom = std::min(rect.bottom, image->height());
    const uint value = pixelValue(*image, rgb);
    for (int y = std::max(rect.top, 0); y < bottom; ++y)
        for (int x = std::max(rect.left, 0); x < right; ++x)
            image->setPixel(x, y, value);
}

void DeviceContext::blendPixel(int x, int y, QRgb argb) {
    const int alpha = qAlpha(argb);
    if (alpha == 0 || !contains(x, y))
        return;
    if (alpha == 255 || isMonochrome()) {
        if (alpha >= 128)
            putColour(x, y, fromQRgb(argb));
        return;
    }
    const QRgb under = target()->pixel(x, y);
    auto mix = [alpha](int over, int below) {
        return (over * alpha + below * (255 - alpha) + 127) / 255;
    };
    putColour(x, y,
              fromQRgb(qRgb(mix(qRed(argb), qRed(under)), mix(qGreen(argb), qGreen(under)),
                            mix(qBlue(argb), qBlue(under)))));
}

void DeviceContext::invertPixel(int x, int y) {
    if (!contains(x, y))
        return;
    QImage* image = target();
    if (isMonochrome())
        image->setPixel(x, y, image->pixelIndex(x, y) ^ 1);
    else
        image->setPixel(x, y, image->pixel(x, y) ^ 0x00FFFFFFu);
}

DeviceContext CreateCompatibleDC(const DeviceContext& dc) {
    DeviceContext memory;
    memory.font = dc.font;
    memory.m_bitmap = Bitmap::monochrome(1, 1);
    return memory;
}

Bitmap CreateCompatibleBitmap(const DeviceContext& dc, int width, int height) {
    return dc.isMonochrome() ? Bitmap::monochrome(width, height) : Bitmap::colour(width, height);
}

Bitmap SelectObject(DeviceContext& dc, const Bitmap& bitmap) {
    if (!dc.isMemory() || bitmap.isNull())
        return {};
    Bitmap previous = dc.m_bitmap;
    dc.m_bitmap = bitmap;
    return previous;
}

Pen SelectObject(DeviceContext& dc, const Pen& pen) {
    const Pen previous = dc.pen;
    dc.pen = pen;
    return previous;
}

QFont SelectObject(DeviceContext& dc, const QFont& font) {
    QFont previous = dc.font;
    dc.font = font;
    return previous;
}

ColorValue SetBkColor(DeviceContext& dc, ColorValue rgb) {
    const ColorValue previous = dc.bkColor;
    dc.bkColor = rgb & 0x00FFFFFFu;
    return previous;
}

ColorValue SetTextColor(DeviceContext& dc, ColorValue rgb) {
    const ColorValue previous = dc.textColor;
    dc.textColor = rgb & 0x00FFFFFFu;
    return previous;
}

#include "xpbutton/gdi/gdiobjects.h"

namespace {
bool sizeAllowed(int width, int height) {
    return width > 0 && height > 0 && static_cast<std::int64_t>(width) * height <= kMaxBitmapPixels;
}
} // namespace

Brush CreateSolidBrush(ColorValue rgb) {
    return Brush{rgb & 0x00FFFFFFu};
}

Pen CreatePen(ColorValue rgb) {
    return Pen{rgb & 0x00FFFFFFu};
}

Bitmap::Bitmap(QImage image) : m_image(std::make_shared<QImage>(std::move(image))) {}

Bitmap Bitmap::colour(int width, int height) {
    if (!sizeAllowed(width, height))
        return {};
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(qRgb(0, 0, 0));
    return Bitmap(std::move(image));
}

Bitmap Bitmap::monochrome(int width, int height) {
    if (!sizeAllowed(width, height))
        return {};
    QImage image(width, height, QImage::Format_Mono);
    if (image.isNull())
        return {};
    image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    image.fill(0);
    return Bitmap(std::move(image));
}

Bitmap Bitmap::fromImage(const QImage& image) {
    if (image.isNull())
        return {};
    return Bitmap(image.convertToFormat(QImage::Format_RGB32));
}

Bitmap CreateBitmap(int width, int height, int planes, int bitsPerPixel) {
    if (planes == 1 && bitsPerPixel == 1)
        return Bitmap::monochrome(width, height);
    return Bitmap::colour(width, height);
}

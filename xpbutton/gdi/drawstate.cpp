#include "xpbutton/gdi/drawstate.h"

#include "xpbutton/gdi/blit.h"
#include "xpbutton/gdi/colorarithmetic.h"

#include <vector>

namespace {
constexpr unsigned kTypeMask = 0xF;
constexpr QRgb kWhite = 0x00FFFFFFu;

// The pixels a monochrome or disabled draw paints: drawn on a white
// monochrome bitmap, the image leaves 0 where it is not white.
std::vector<bool> ink(const QImage& image, unsigned type, int cx, int cy) {
    std::vector<bool> inked(static_cast<std::size_t>(cx) * static_cast<std::size_t>(cy), false);
    const int w = std::min(cx, image.width());
    const int h = std::min(cy, image.height());
    for (int j = 0; j < h; ++j) {
        for (int i = 0; i < w; ++i) {
            const QRgb pixel = image.pixel(i, j);
            const bool opaque = type == DST_BITMAP || qAlpha(pixel) >= 128;
            inked[static_cast<std::size_t>(j) * cx + i] = opaque && (pixel & kWhite) != kWhite;
        }
    }
    return inked;
}

void paintInk(DeviceContext& dc, const std::vector<bool>& inked, int x, int y, int cx, int cy,
              ColorValue colour) {
    const VisibleSpan across = visibleSpan(x, cx, dc.width());
    const VisibleSpan down = visibleSpan(y, cy, dc.height());
    for (int j = down.first; j < down.end; ++j)
        for (int i = across.first; i < across.end; ++i)
            if (inked[static_cast<std::size_t>(j) * cx + i])
                dc.putColour(x + i, y + j, colour);
}
} // namespace

bool DrawStateA(DeviceContext& dc, const Brush* brush, const QImage& image, int x, int y, int cx,
                int cy, unsigned flags) {
    const unsigned type = flags & kTypeMask;
    const unsigned state = flags & ~kTypeMask;
    if ((type != DST_ICON && type != DST_BITMAP) || image.isNull())
        return false;
    if (cx == 0)
        cx = image.width();
    if (cy == 0)
        cy = image.height();
    if (cx < 0 || cy < 0 || std::int64_t(cx) * cy > kMaxBitmapPixels)
        return false;
    switch (state) {
    case DSS_NORMAL: {
        const VisibleSpan across = visibleSpan(x, std::min(cx, image.width()), dc.width());
        const VisibleSpan down = visibleSpan(y, std::min(cy, image.height()), dc.height());
        for (int j = down.first; j < down.end; ++j) {
            for (int i = across.first; i < across.end; ++i) {
                const QRgb pixel = image.pixel(i, j);
                if (type == DST_ICON)
                    dc.blendPixel(x + i, y + j, pixel);
                else
                    dc.putColour(x + i, y + j, fromQRgb(pixel));
            }
        }
        return true;
    }
    case DSS_MONO:
        if (!brush)
            return false;
        paintInk(dc, ink(image, type, cx, cy), x, y, cx, cy, brush->colour);
        return true;
    case DSS_DISABLED: {
        const std::vector<bool> inked = ink(image, type, cx, cy);
        paintInk(dc, inked, x + 1, y + 1, cx, cy, sysColor(SysColor::ButtonHighlight));
        paintInk(dc, inked, x, y, cx, cy, sysColor(SysColor::ButtonShadow));
        return true;
    }
    default:
        return false;
    }
}

void PaintPicture(DeviceContext& dc, const QImage& picture, int x, int y, int w, int h, int sx,
                  int sy, int sw, int sh) {
    if (picture.isNull() || w <= 0 || h <= 0 || sw <= 0 || sh <= 0)
        return;
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    // Only target pixels inside the context are worth sampling.
    const VisibleSpan across = visibleSpan(x, w, dc.width());
    const VisibleSpan down = visibleSpan(y, h, dc.height());
    // Every row samples the same source columns.
    std::vector<std::int64_t> columns;
    for (int i = across.first; i < across.end; ++i)
        columns.push_back(std::int64_t(sx) + nearestSourceIndex(i, w, sw));
    for (int j = down.first; j < down.end; ++j) {
        const std::int64_t py = std::int64_t(sy) + nearestSourceIndex(j, h, sh);
        if (py < 0 || py >= argb.height())
            continue;
        for (int i = across.first; i < across.end; ++i) {
            const std::int64_t px = columns[static_cast<std::size_t>(i - across.first)];
            if (px >= 0 && px < argb.width())
                dc.blendPixel(x + i, y + j, argb.pixel(static_cast<int>(px), static_cast<int>(py)));
        }
    }
}

#include "app/core/previewgeometry.h"

#include "platform/units/rounding.h"

#include <algorithm>

PreviewSize previewSize(int pictureWidth, int pictureHeight, double deviceRatio) {
    const double longSide = 1967.0 / 6 * deviceRatio;
    const double ratio =
        static_cast<double>(std::max(1, pictureHeight)) / std::max(1, pictureWidth);
    // A sliver of a picture still gets a pixel: the scaler divides by both.
    const auto side = [](double v) { return std::max<std::int16_t>(1, roundToInt16(v)); };
    if (ratio > 1)
        return {side(longSide / ratio), side(longSide)};
    return {side(longSide), side(longSide * ratio)};
}

QPoint drawingOrigin(std::int16_t width, std::int16_t height, bool preview) {
    // The halves are taken in double and handed over in single precision,
    // which lands on the truncated whole pixel.
    const float w = width;
    const float h = height;
    float dx = 0;
    float dy = 0;
    if (preview) {
        if (w > h)
            dy = w - h;
        else if (h > w)
            dx = h - w;
    }
    return QPoint(static_cast<int>(static_cast<float>(static_cast<double>(dx) / 2)),
                  static_cast<int>(static_cast<float>(static_cast<double>(dy) / 2)));
}

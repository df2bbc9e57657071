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

#include "xpbutton/face/faceprimitives.h"

#include "platform/units/rounding.h"

#include "xpbutton/gdi/colorarithmetic.h"
#include "xpbutton/gdi/gdishapes.h"

#include <cmath>
#include <limits>

void DrawRect(DeviceContext& hDC, int left, int top, int right, int bottom, ColorValue colour,
              bool fill) {
    const Brush brush = CreateSolidBrush(TranslateColor(colour));
    const WinRect rect{left, top, right, bottom};
    if (fill)
        FillRect(hDC, rect, brush);
    else
        FrameRect(hDC, rect, brush);
}

void DrawLine(DeviceContext& hDC, int x1, int y1, int x2, int y2, ColorValue rgb) {
    SelectObject(hDC, CreatePen(rgb));
    MoveToEx(hDC, x1, y1, nullptr);
    LineTo(hDC, x2, y2);
}

std::int64_t roundToInt64(double value) {
    const double result = roundHalfEven(value);
    constexpr double limit = 9.0e18;
    if (!(result > -limit && result < limit))
        return result < 0 ? std::numeric_limits<std::int64_t>::min()
                          : std::numeric_limits<std::int64_t>::max();
    return static_cast<std::int64_t>(result);
}

namespace {
int scalePixels(double length) {
    const std::int64_t pixels = roundToInt64(length);
    if (pixels < 0)
        return 0;
    return pixels > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                                    : static_cast<int>(pixels);
}
} // namespace

int scaleWidthPixels(const ButtonState& state) {
    return scalePixels(state.ScaleWidth);
}

int scaleHeightPixels(const ButtonState& state) {
    return scalePixels(state.ScaleHeight);
}

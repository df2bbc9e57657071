#include "xpbutton/gdi/gdishapes.h"

#include <algorithm>
#include <cstdlib>

namespace {
// Every pixel of the rectangle's one-pixel outline, once.
template <typename Paint> void forEachOutlinePixel(const WinRect& rect, Paint paint) {
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    const int lastX = rect.right - 1;
    const int lastY = rect.bottom - 1;
    for (int x = rect.left; x <= lastX; ++x) {
        paint(x, rect.top);
        if (lastY != rect.top)
            paint(x, lastY);
    }
    for (int y = rect.top + 1; y < lastY; ++y) {
        paint(rect.left, y);
        if (lastX != rect.left)
            paint(lastX, y);
    }
}
} // namespace

bool FillRect(DeviceContext& dc, const WinRect& rect, const Brush& brush) {
    dc.fill(rect, brush.colour);
    return true;
}

bool FrameRect(DeviceContext& dc, const WinRect& rect, const Brush& brush) {
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return true;
    const int lastX = rect.right - 1;
    const int lastY = rect.bottom - 1;
    // Bevel rings and frames one pixel too large lie mostly outside the
    // bitmap: paint the clipped edges only.
    auto row = [&](int y) { FillRect(dc, {rect.left, y, rect.right, y + 1}, brush); };
    auto column = [&](int x) { FillRect(dc, {x, rect.top + 1, x + 1, lastY}, brush); };
    row(rect.top);
    if (lastY != rect.top)
        row(lastY);
    column(rect.left);
    if (lastX != rect.left)
        column(lastX);
    return true;
}

bool MoveToEx(DeviceContext& dc, int x, int y, QPoint* previous) {
    if (previous)
        *previous = dc.position;
    dc.position = QPoint(x, y);
    return true;
}

bool LineTo(DeviceContext& dc, int x, int y) {
    const QPoint from = dc.position;
    dc.position = QPoint(x, y);
    // Straight lines, the button's only kind, are clipped at once; they may
    // reach far outside the bitmap.
    const Brush ink{dc.pen.colour};
    if (from.y() == y) {
        const int step = from.x() <= x ? 0 : 1;
        FillRect(dc, {std::min(from.x(), x) + step, y, std::max(from.x(), x) + step, y + 1}, ink);
        return true;
    }
    if (from.x() == x) {
        const int step = from.y() <= y ? 0 : 1;
        FillRect(dc, {x, std::min(from.y(), y) + step, x + 1, std::max(from.y(), y) + step}, ink);
        return true;
    }
    // Bresenham from the pen position along the major axis, stopping before
    // the end point; at a tie the minor coordinate does not step yet.
    const std::int64_t dx = std::abs(std::int64_t(x) - from.x());
    const std::int64_t dy = std::abs(std::int64_t(y) - from.y());
    const int sx = from.x() < x ? 1 : -1;
    const int sy = from.y() < y ? 1 : -1;
    const bool xMajor = dx >= dy;
    const std::int64_t major = xMajor ? dx : dy;
    const std::int64_t minor = xMajor ? dy : dx;
    std::int64_t px = from.x();
    std::int64_t py = from.y();
    std::int64_t decision = 2 * minor - major;
    for (std::int64_t step = 0; step < major; ++step) {
        dc.putColour(static_cast<int>(px), static_cast<int>(py), dc.pen.colour);
        if (decision > 0) {
            (xMajor ? py : px) += xMajor ? sy : sx;
            decision -= 2 * major;
        }
        decision += 2 * minor;
        (xMajor ? px : py) += xMajor ? sx : sy;
    }
    return true;
}

bool SetPixelV(DeviceContext& dc, int x, int y, ColorValue rgb) {
    if (!dc.contains(x, y))
        return false;
    dc.putColour(x, y, rgb & 0x00FFFFFFu);
    return true;
}

bool DrawFocusRect(DeviceContext& dc, const WinRect& rect) {
    forEachOutlinePixel(rect, [&](int x, int y) {
        if (((x + y) & 1) == 0)
            dc.invertPixel(x, y);
    });
    return true;
}

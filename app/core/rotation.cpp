#include "app/core/rotation.h"

#include "platform/units/rounding.h"

#include <utility>

Point16 to_local(Point16 p, const PreviewPlace& at) {
    return {roundToInt16(p.x - at.left), roundToInt16(at.top - p.y)};
}

Point16& turn_point(Point16& p, std::int16_t& angle, int direction) {
    angle = roundToInt16(angle / 90.0);
    for (int i = 0; i < angle; ++i) {
        std::swap(p.x, p.y);
        if (direction == 0)
            p.y = static_cast<std::int16_t>(-p.y);
        else if (direction == 1)
            p.x = static_cast<std::int16_t>(-p.x);
    }
    return p;
}

Point16 to_screen(Point16 p, const PreviewPlace& at) {
    const double across = at.rows - 1 - at.top;
    return {roundToInt16(at.left + across + p.x), roundToInt16(at.top + at.left - p.y)};
}

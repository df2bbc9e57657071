#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Fractions become whole numbers by rounding to the nearest, a half going to
// the even neighbour. Written out rather than left to the floating-point
// rounding mode, so nothing set elsewhere can change it.
inline double roundHalfEven(double value) {
    const double down = std::floor(value);
    const double rest = value - down;
    if (rest > 0.5)
        return down + 1;
    if (rest < 0.5)
        return down;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

// The same, into a 16-bit whole number; values beyond its range stop at its
// ends instead of wrapping round.
inline std::int16_t roundToInt16(double value) {
    constexpr double low = std::numeric_limits<std::int16_t>::min();
    constexpr double high = std::numeric_limits<std::int16_t>::max();
    const double rounded = roundHalfEven(value);
    if (!(rounded >= low)) // also NaN
        return std::numeric_limits<std::int16_t>::min();
    if (rounded > high)
        return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(rounded);
}

#pragma once

#include <cstdint>
#include <limits>
#include <stdexcept>

// The drawing code keeps some values in 16 or 32 bits, as the button always
// has; a result that does not fit is an overflow error, never a wrap-around.
class OverflowError : public std::overflow_error {
public:
    OverflowError() : std::overflow_error("Overflow") {}
};

template <typename T> T checkedNarrow(std::int64_t value) {
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max())
        throw OverflowError();
    return static_cast<T>(value);
}

inline std::int16_t to16(std::int64_t value) {
    return checkedNarrow<std::int16_t>(value);
}

inline std::int32_t to32(std::int64_t value) {
    return checkedNarrow<std::int32_t>(value);
}

// a div b: integer division truncating toward zero, in 32 bits.
inline std::int32_t div32(std::int64_t a, std::int64_t b) {
    return to32(a / b);
}

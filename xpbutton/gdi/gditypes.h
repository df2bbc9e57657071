#pragma once

#include <cstdint>

// Colour values are the design's 32-bit values: 0x00BBGGRR, or a system
// colour with the high bit set and its index in the low byte.
using ColorValue = std::uint32_t;

// A rectangle as the drawing routines keep it: right and bottom exclusive.
struct WinRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const WinRect&, const WinRect&) = default;
};

// Text-drawing parameters handed to every caption call.
struct TextParams {
    std::int32_t size = 0;
    std::int32_t tabLength = 0;
    std::int32_t leftMargin = 0;
    std::int32_t rightMargin = 0;
    std::uint32_t lengthDrawn = 0;
};

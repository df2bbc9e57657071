#pragma once

#include <cstdint>

// The classic desktop palette, fixed so pixels are the same on every machine.
// Indexes as the platform numbers them; 0x00BBGGRR results.
std::uint32_t sysColour(int index);

// A colour value is 0x00BBGGRR or, with the high bit set, a system colour.
std::uint32_t resolveColour(std::uint32_t value);

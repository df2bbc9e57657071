#pragma once

#include <QColor>

#include <cstdint>

// The classic desktop palette, fixed so pixels are the same on every machine.
// Indexes as the platform numbers them; 0x00BBGGRR results.
std::uint32_t sysColour(int index);

// A colour value is 0x00BBGGRR or, with the high bit set, a system colour.
std::uint32_t resolveColour(std::uint32_t value);

// A colour value as a Qt colour, system colours resolved; and a pixel back
// as a plain colour value.
QColor colourFromValue(std::uint32_t value);
std::int32_t valueFromColour(QRgb rgb);

#pragma once

#include "xpbutton/gdi/gditypes.h"

#include <QRgb>

// Colour values are 0x00BBGGRR, or a system colour with the high bit set.

// The fixed classic palette stands in for the desktop's system colours, so
// pixels are the same on every machine. An unknown index gives black.
ColorValue GetSysColor(std::uint32_t index);

// System colour indices the button relies on.
enum class SysColor : std::uint32_t {
    Highlight = 13,
    ButtonFace = 15,
    ButtonShadow = 16,
    ButtonText = 18,
    ButtonHighlight = 20,
    DarkShadow3D = 21,
    Light3D = 22,
};
ColorValue sysColor(SysColor index);

// A plain value is returned unchanged; anything else is looked up in the palette.
ColorValue TranslateColor(ColorValue colour);

struct ColorParts {
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
};
ColorParts SplitColor(ColorValue rgb);

// Components outside 0..255 are clamped.
ColorValue RGB(std::int64_t red, std::int64_t green, std::int64_t blue);

// Lightens (positive amount) or darkens a plain colour; blue moves in
// proportion to itself, red and green by the plain amount.
ColorValue ShiftColor(ColorValue rgb, std::int32_t amount);

// Adds the same amount to all three components.
ColorValue lighten(ColorValue rgb, std::int32_t amount);

inline QRgb toQRgb(ColorValue rgb) {
    return qRgb(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

inline ColorValue fromQRgb(QRgb pixel) {
    return static_cast<ColorValue>(qRed(pixel)) | static_cast<ColorValue>(qGreen(pixel)) << 8 |
           static_cast<ColorValue>(qBlue(pixel)) << 16;
}

#include "colorarithmetic.h"

#include <algorithm>
#include <array>

namespace {
constexpr ColorValue rgbConst(unsigned r, unsigned g, unsigned b) {
    return r | g << 8 | b << 16;
}

// The classic desktop palette, by system colour index.
constexpr std::array<ColorValue, 31> kClassicPalette = {
    rgbConst(212, 208, 200), //  0 scroll bar
    rgbConst(58, 110, 165),  //  1 desktop
    rgbConst(10, 36, 106),   //  2 active caption
    rgbConst(128, 128, 128), //  3 inactive caption
    rgbConst(212, 208, 200), //  4 menu
    rgbConst(255, 255, 255), //  5 window
    rgbConst(0, 0, 0),       //  6 window frame
    rgbConst(0, 0, 0),       //  7 menu text
    rgbConst(0, 0, 0),       //  8 window text
    rgbConst(255, 255, 255), //  9 caption text
    rgbConst(212, 208, 200), // 10 active border
    rgbConst(212, 208, 200), // 11 inactive border
    rgbConst(128, 128, 128), // 12 application workspace
    rgbConst(10, 36, 106),   // 13 highlight
    rgbConst(255, 255, 255), // 14 highlight text
    rgbConst(212, 208, 200), // 15 button face
    rgbConst(128, 128, 128), // 16 button shadow
    rgbConst(128, 128, 128), // 17 grey text
    rgbConst(0, 0, 0),       // 18 button text
    rgbConst(212, 208, 200), // 19 inactive caption text
    rgbConst(255, 255, 255), // 20 button highlight
    rgbConst(64, 64, 64),    // 21 3-D dark shadow
    rgbConst(212, 208, 200), // 22 3-D light
    rgbConst(0, 0, 0),       // 23 tooltip text
    rgbConst(255, 255, 225), // 24 tooltip background
    rgbConst(0, 0, 0),       // 25 unused
    rgbConst(0, 0, 128),     // 26 hot-tracked item
    rgbConst(166, 202, 240), // 27 active caption gradient
    rgbConst(192, 192, 192), // 28 inactive caption gradient
    rgbConst(10, 36, 106),   // 29 menu highlight
    rgbConst(212, 208, 200), // 30 menu bar
};

std::int64_t clampComponent(std::int64_t value) {
    return std::clamp<std::int64_t>(value, 0, 255);
}
} // namespace

ColorValue GetSysColor(std::uint32_t index) {
    return index < kClassicPalette.size() ? kClassicPalette[index] : 0;
}

ColorValue sysColor(SysColor index) {
    return GetSysColor(static_cast<std::uint32_t>(index));
}

ColorValue TranslateColor(ColorValue colour) {
    if (colour <= 0x00FFFFFFu)
        return colour;
    return GetSysColor(colour & 0x00FFFFFFu);
}

ColorParts SplitColor(ColorValue rgb) {
    const auto c = static_cast<std::int32_t>(rgb & 0x00FFFFFFu);
    ColorParts parts;
    parts.blue = c / 65536;
    parts.green = (c - parts.blue * 65536) / 256;
    parts.red = c - parts.blue * 65536 - parts.green * 256;
    return parts;
}

ColorValue RGB(std::int64_t red, std::int64_t green, std::int64_t blue) {
    return static_cast<ColorValue>(clampComponent(red) + 256 * clampComponent(green) +
                                   65536 * clampComponent(blue));
}

ColorValue ShiftColor(ColorValue rgb, std::int32_t amount) {
    const auto c = static_cast<std::int64_t>(rgb & 0x00FFFFFFu);
    const std::int64_t blue = (c / 65536) % 256;
    const std::int64_t green = (c / 256) % 256;
    const std::int64_t red = c & 255;
    // C++ division truncates toward zero, as the shading expects.
    return RGB(red + amount, green + amount, blue + (blue * amount) / 192);
}

ColorValue lighten(ColorValue rgb, std::int32_t amount) {
    const ColorParts parts = SplitColor(rgb);
    return RGB(static_cast<std::int64_t>(parts.red) + amount,
               static_cast<std::int64_t>(parts.green) + amount,
               static_cast<std::int64_t>(parts.blue) + amount);
}

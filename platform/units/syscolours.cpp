#include "platform/units/syscolours.h"

#include <array>

namespace {
constexpr std::uint32_t rgbConst(unsigned r, unsigned g, unsigned b) {
    return r | g << 8 | b << 16;
}

// The classic desktop palette, by system colour index.
constexpr std::array<std::uint32_t, 31> kClassicPalette = {
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

} // namespace

std::uint32_t sysColour(int index) {
    return index >= 0 && static_cast<std::size_t>(index) < kClassicPalette.size()
               ? kClassicPalette[static_cast<std::size_t>(index)]
               : 0;
}

std::uint32_t resolveColour(std::uint32_t value) {
    if (value & 0x80000000u)
        return sysColour(static_cast<int>(value & 0xFFu));
    return value & 0x00FFFFFFu;
}

QColor colourFromValue(std::uint32_t value) {
    const std::uint32_t c = resolveColour(value);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

std::int32_t valueFromColour(QRgb rgb) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(qRed(rgb)) |
                                     (static_cast<std::uint32_t>(qGreen(rgb)) << 8) |
                                     (static_cast<std::uint32_t>(qBlue(rgb)) << 16));
}

#include "syscolours.h"

namespace {
constexpr std::uint32_t rgb(int r, int g, int b)
{
    return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
           (static_cast<std::uint32_t>(b) << 16);
}
} // namespace

std::uint32_t sysColour(int index)
{
    switch (index) {
    case 0: // scroll bar
        return rgb(212, 208, 200);
    case 1: // desktop
        return rgb(58, 110, 165);
    case 2: // active caption
        return rgb(10, 36, 106);
    case 4: // menu
        return rgb(212, 208, 200);
    case 5: // window
        return rgb(255, 255, 255);
    case 6: // window frame
        return rgb(0, 0, 0);
    case 7: // menu text
    case 8: // window text
        return rgb(0, 0, 0);
    case 9: // caption text
        return rgb(255, 255, 255);
    case 13: // highlight
        return rgb(10, 36, 106);
    case 14: // highlight text
        return rgb(255, 255, 255);
    case 15: // button face
        return rgb(212, 208, 200);
    case 16: // button shadow
        return rgb(128, 128, 128);
    case 17: // grey text
        return rgb(128, 128, 128);
    case 18: // button text
        return rgb(0, 0, 0);
    case 20: // button highlight
        return rgb(255, 255, 255);
    case 21: // 3-D dark shadow
        return rgb(64, 64, 64);
    case 22: // 3-D light
        return rgb(212, 208, 200);
    case 23: // tool tip text
        return rgb(0, 0, 0);
    case 24: // tool tip background
        return rgb(255, 255, 225);
    default:
        return 0;
    }
}

std::uint32_t resolveColour(std::uint32_t value)
{
    if (value & 0x80000000u)
        return sysColour(static_cast<int>(value & 0xFFu));
    return value & 0x00FFFFFFu;
}

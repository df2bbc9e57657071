#include "xpbutton/gdi/colorarithmetic.h"

#include "platform/units/syscolours.h"

#include <algorithm>
#include <array>

namespace {

std::int64_t clampComponent(std::int64_t value) {
    return std::clamp<std::int64_t>(value, 0, 255);
}
} // namespace

ColorValue GetSysColor(std::uint32_t index) {
    return index <= 0xFFu ? sysColour(static_cast<int>(index)) : 0;
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

#include "xpbutton/face/xpface.h"

#include "xpbutton/face/faceprimitives.h"
#include "xpbutton/gdi/colorarithmetic.h"
#include "xpbutton/gdi/gdishapes.h"

#include <array>

namespace {
struct EdgeLine {
    int x1, y1, x2, y2;
    std::int32_t amount;
};

struct Size {
    int w;
    int h;
};

// The four inner corner pixels that round the outline.
void cornerPixels(DeviceContext& hDC, Size size, ColorValue rgb) {
    SetPixelV(hDC, 1, 1, rgb);
    SetPixelV(hDC, 1, size.h - 2, rgb);
    SetPixelV(hDC, size.w - 2, 1, rgb);
    SetPixelV(hDC, size.w - 2, size.h - 2, rgb);
}

void outline(DeviceContext& hDC, Size size) {
    DrawRect(hDC, 0, 0, size.w, size.h, 0x80000015, false);
    cornerPixels(hDC, size, sysColor(SysColor::DarkShadow3D));
}

void edgeLines(DeviceContext& hDC, ColorValue base, const std::array<EdgeLine, 8>& lines) {
    for (const EdgeLine& line : lines)
        DrawLine(hDC, line.x1, line.y1, line.x2, line.y2, ShiftColor(base, line.amount));
}

// A ring: a frame and five lines, each a shade of the ring colour.
void ring(DeviceContext& hDC, Size size, ColorValue colour,
          const std::array<std::int32_t, 5>& amounts) {
    const int w = size.w;
    const int h = size.h;
    DrawRect(hDC, 1, 2, w - 1, h - 2, colour, false);
    DrawLine(hDC, 2, h - 2, w - 2, h - 2, ShiftColor(colour, amounts[0]));
    DrawLine(hDC, 2, 1, w - 2, 1, ShiftColor(colour, amounts[1]));
    DrawLine(hDC, 1, 2, w - 1, 2, ShiftColor(colour, amounts[2]));
    DrawLine(hDC, 2, 3, 2, h - 3, ShiftColor(colour, amounts[3]));
    DrawLine(hDC, w - 3, 3, w - 3, h - 3, ShiftColor(colour, amounts[4]));
}

// One line per row, shifted by nearest(-step * i): the step is single
// precision, the product exact.
ColorValue gradientRow(ColorValue base, float step, int i) {
    return ShiftColor(base,
                      static_cast<std::int32_t>(roundToInt64(-static_cast<double>(step) * i)));
}

void normalFace(DeviceContext& hDC, const ButtonState& state, Size size, ColorValue back,
                std::uint8_t hover, ColorValue focusColour, ColorValue hoverColour) {
    const int w = size.w;
    const int h = size.h;
    const ColorValue base = ShiftColor(back, 48);
    const float step = 25.0f / static_cast<float>(h);
    for (int i = 1; i <= h; ++i)
        DrawLine(hDC, 0, i, w, i, gradientRow(base, step, i));
    outline(hDC, size);
    if (state.g_HasFocus == 1) {
        ring(hDC, size, focusColour, {-33, 65, 50, 31, 31});
    } else {
        edgeLines(hDC, base,
                  {{{2, h - 2, w - 2, h - 2, -48},
                    {1, h - 3, w - 2, h - 3, -32},
                    {w - 2, 2, w - 2, h - 2, -36},
                    {w - 3, 3, w - 3, h - 3, -24},
                    {2, 1, w - 2, 1, 16},
                    {1, 2, w - 2, 2, 10},
                    {1, 2, 1, h - 2, -5},
                    {2, 3, 2, h - 3, -10}}});
    }
    if (hover == 1)
        ring(hDC, size, hoverColour, {-40, 90, 35, 20, 20});
}

void pressedFace(DeviceContext& hDC, Size size, ColorValue back) {
    const int w = size.w;
    const int h = size.h;
    const ColorValue base2 = ShiftColor(ShiftColor(back, 48), -32);
    const float step = 15.0f / static_cast<float>(h);
    for (int i = 1; i <= h; ++i)
        DrawLine(hDC, 0, h - i, w, h - i, gradientRow(base2, step, i));
    outline(hDC, size);
    edgeLines(hDC, base2,
              {{{2, h - 2, w - 2, h - 2, 16},
                {1, h - 3, w - 2, h - 3, 10},
                {w - 2, 2, w - 2, h - 2, 5},
                {w - 3, 3, w - 3, h - 3, 0},
                {2, 1, w - 2, 1, -32},
                {1, 2, w - 2, 2, -24},
                {1, 2, 1, h - 2, -32},
                {2, 2, 2, h - 2, -22}}});
}
} // namespace

void DrawXPFace(DeviceContext& hDC, const ButtonState& state, std::uint8_t faceState,
                std::uint8_t hover) {
    const Size size{state.g_Width, state.g_Height};
    const ColorValue back = TranslateColor(state.BackColor);
    DrawRect(hDC, 0, 0, size.w, size.h, state.BackColor, true);
    if (!state.Enabled) {
        const ColorValue base = ShiftColor(back, 48);
        DrawRect(hDC, 0, 0, size.w, size.h, ShiftColor(base, -24), true);
        DrawRect(hDC, 0, 0, size.w, size.h, ShiftColor(base, -84), false);
        cornerPixels(hDC, size, ShiftColor(base, -72));
        return;
    }
    const ColorValue focusColour =
        state.XPDefaultColors ? RGB(140, 170, 230) : TranslateColor(state.XPColor_Pressed);
    const ColorValue hoverColour =
        state.XPDefaultColors ? RGB(225, 153, 71) : TranslateColor(state.XPColor_Hover);
    // The gradient step divides by the height: a face without height ends here.
    if (size.h == 0)
        return;
    if (faceState == 0)
        normalFace(hDC, state, size, back, hover, focusColour, hoverColour);
    else if (faceState == 2)
        pressedFace(hDC, size, back);
}

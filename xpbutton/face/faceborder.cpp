#include "xpbutton/face/faceborder.h"

#include "xpbutton/face/facebackground.h"
#include "xpbutton/face/faceprimitives.h"
#include "xpbutton/face/xpface.h"
#include "xpbutton/gdi/checkedmath.h"
#include "xpbutton/gdi/colorarithmetic.h"

namespace {
constexpr ColorValue kButtonShadow = 0x80000010;
constexpr ColorValue kButtonHighlight = 0x80000014;

// Two frames, the second one pixel too large so that its right and bottom
// lines fall outside: first colour on right and bottom, second on top and left.
void oneFrame(DeviceContext& hDC, const ButtonState& state, ColorValue first, ColorValue second) {
    const int sw = scaleWidthPixels(state);
    const int sh = scaleHeightPixels(state);
    DrawRect(hDC, 0, 0, sw, sh, first, false);
    DrawRect(hDC, 0, 0, sw + 1, sh + 1, second, false);
}

void raised(DeviceContext& hDC, const ButtonState& state, const ButtonDrawState& draw) {
    if (state.BEVEL >= 2)
        DrawBevelRaised(hDC, state, TranslateColor(draw.FaceColor), state.BEVEL, state.BEVELDEPTH);
    else
        oneFrame(hDC, state, kButtonShadow, kButtonHighlight);
}

void sunken(DeviceContext& hDC, const ButtonState& state, const ButtonDrawState& draw) {
    if (state.BEVEL >= 2)
        DrawBevelSunken(hDC, state, TranslateColor(draw.FaceColor), state.BEVEL, state.BEVELDEPTH);
    else
        oneFrame(hDC, state, kButtonHighlight, kButtonShadow);
}

// A failing step ends itself only; drawing goes on with the next one.
template <typename Step> void resumeNext(Step step) {
    try {
        step();
    } catch (const OverflowError&) {
    }
}

// Rings from the outermost inset down to 0 in colours that accumulate, then
// the top and left line of each inset in colours accumulating the other way.
template <typename RingShade, typename LineShade>
void bevel(DeviceContext& hDC, const ButtonState& state, ColorValue colour, std::int16_t rings,
           RingShade ringShade, LineShade lineShade) {
    const int sw = scaleWidthPixels(state);
    const int sh = scaleHeightPixels(state);
    ColorValue c = colour;
    for (int i = rings; i >= 0; --i) {
        c = ringShade(c);
        DrawRect(hDC, i, i, sw - i, sh - i, c, false);
    }
    c = colour;
    for (int i = rings; i >= 0; --i) {
        c = lineShade(c);
        DrawLine(hDC, i, i, sw - i - 1, i, c);
        DrawLine(hDC, i, i, i, sh - i - 1, c);
    }
}
} // namespace

void DrawBevelRaised(DeviceContext& hDC, const ButtonState& state, ColorValue colour,
                     std::int16_t rings, std::int16_t step) {
    bevel(
        hDC, state, colour, rings, [step](ColorValue c) { return ShiftColor(c, to16(-step)); },
        [step](ColorValue c) { return lighten(c, step); });
}

void DrawBevelSunken(DeviceContext& hDC, const ButtonState& state, ColorValue colour,
                     std::int16_t rings, std::int16_t step) {
    bevel(
        hDC, state, colour, rings, [step](ColorValue c) { return lighten(c, step); },
        [step](ColorValue c) { return ShiftColor(c, to16(-step)); });
}

void DrawDefaultFrame(DeviceContext& hDC, const ButtonState& state, const ButtonDrawState& draw,
                      std::int16_t rings, std::int16_t step) {
    if (rings >= 2) {
        DrawBevelRaised(hDC, state, TranslateColor(draw.FaceColor), rings, to16(step + 3));
        return;
    }
    const int sw = scaleWidthPixels(state);
    const int sh = scaleHeightPixels(state);
    DrawRect(hDC, 0, 0, sw - 1, sh - 1, kButtonShadow, false);
    DrawRect(hDC, 0, 0, sw + 1, sh + 1, kButtonHighlight, false);
}

void DrawBorder(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw) {
    const std::int32_t style = state.ButtonStyle;
    const bool pressed = state.g_Pressed == 1;
    const bool hovered = state.g_Hover == 1;
    // A host that cannot tell gets the design-time look.
    if (!state.UserMode.value_or(false)) {
        if (style == 3)
            DrawXPFace(hDC, state, 0, 0);
        else if (style == 2)
            PaintBackground(hDC, state, draw);
        else
            resumeNext([&] { raised(hDC, state, draw); });
        return;
    }
    if (style == 2) {
        if (state.XPShowBorderAlways || state.g_Hover != 0)
            DrawRect(hDC, 0, 0, scaleWidthPixels(state), scaleHeightPixels(state), state.ForeColor,
                     false);
        return;
    }
    if (style == 3) {
        if (pressed)
            DrawXPFace(hDC, state, 2, 0);
        else if (hovered)
            DrawXPFace(hDC, state, 0, 1);
        else
            DrawXPFace(hDC, state, 0, 0);
        return;
    }
    resumeNext([&] {
        if (pressed)
            sunken(hDC, state, draw);
    });
    resumeNext([&] {
        if (!pressed && hovered)
            raised(hDC, state, draw);
    });
    resumeNext([&] {
        if (!pressed && !hovered && style == 0)
            raised(hDC, state, draw);
    });
    // A host that cannot tell gets the default frame.
    resumeNext([&] {
        if (state.ExtenderDefault.value_or(true) ||
            (state.g_HasFocus == 1 && style == 0 && !pressed))
            DrawDefaultFrame(hDC, state, draw, state.BEVEL, state.BEVELDEPTH);
    });
}

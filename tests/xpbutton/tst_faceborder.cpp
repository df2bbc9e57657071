#include "checkedmath.h"
#include "faceborder.h"
#include "tst_drawhelpers.h"

#include <gtest/gtest.h>

// Frames of styles 0 and 1 (and the styles that draw like 1) on a 6 x 5
// button with the classic face colour.

namespace {
const std::map<char, ColorValue> kLegend = {
    {'.', kFace}, {'h', rgb(255, 255, 255)}, {'s', rgb(128, 128, 128)}};

ButtonState framed(std::int32_t style) {
    ButtonState state = buttonOf(6, 5, style, 0x8000000F);
    state.BEVEL = 1;
    return state;
}

const std::vector<std::string> kRaised = {"hhhhhh", "h....s", "h....s", "h....s", "hsssss"};
const std::vector<std::string> kSunken = {"ssssss", "s....h", "s....h", "s....h", "shhhhh"};
const std::vector<std::string> kFlat = {"......", "......", "......", "......", "......"};
const std::vector<std::string> kRaisedDefault = {"hhhhhh", "h...ss", "h...ss", "hsssss", "hsssss"};
const std::vector<std::string> kDefaultOnly = {"hhhhhh", "h...s.", "h...s.", "hssss.", "h....."};
} // namespace

TEST(FaceBorder, StandardStyleRaisedAtRestSunkenWhenPressed) {
    ButtonState state = framed(0);
    expectPicture(paintOnce(state), kRaised, kLegend);
    state.g_Pressed = 1;
    state.g_Hover = 1;
    expectPicture(paintOnce(state), kSunken, kLegend);
}

TEST(FaceBorder, StandardStyleFocusedAddsTheDefaultFrame) {
    ButtonState state = framed(0);
    state.g_HasFocus = 1;
    state.ShowFocusRect = false;
    expectPicture(paintOnce(state), kRaisedDefault, kLegend);
    // Pressed and not the host's default: no default frame.
    state.g_Pressed = 1;
    expectPicture(paintOnce(state), kSunken, kLegend);
    // The host's default button keeps it while pressed.
    state.ExtenderDefault = true;
    expectPicture(paintOnce(state), {"hhhhhh", "h...sh", "h...sh", "hssssh", "hhhhhh"}, kLegend);
}

TEST(FaceBorder, FlatStyleFramesOnlyWhenHoveredPressedOrDefault) {
    ButtonState state = framed(1);
    expectPicture(paintOnce(state), kFlat, kLegend);
    state.g_HasFocus = 1; // focus alone gives no default frame in this style
    state.ShowFocusRect = false;
    expectPicture(paintOnce(state), kFlat, kLegend);
    state.g_HasFocus = 0;
    state.ExtenderDefault = true;
    expectPicture(paintOnce(state), kDefaultOnly, kLegend);
    state.ExtenderDefault.reset(); // a host that cannot tell: default frame
    expectPicture(paintOnce(state), kDefaultOnly, kLegend);
    state.ExtenderDefault = false;
    state.g_Hover = 1;
    expectPicture(paintOnce(state), kRaised, kLegend);
    state.g_Pressed = 1;
    expectPicture(paintOnce(state), kSunken, kLegend);
}

TEST(FaceBorder, StylesOutsideZeroToFourDrawLikeFlat) {
    for (std::int32_t style : {5, 7, -1}) {
        ButtonState state = framed(style);
        expectPicture(paintOnce(state), kFlat, kLegend);
        state.g_Hover = 1;
        expectPicture(paintOnce(state), kRaised, kLegend);
    }
}

TEST(FaceBorder, DesignTimeShowsTheRaisedFrameOnly) {
    ButtonState state = framed(1);
    state.UserMode = false;
    state.g_Pressed = 1;
    state.ExtenderDefault = true;
    expectPicture(paintOnce(state), kRaised, kLegend);
    state.UserMode.reset();
    expectPicture(paintOnce(state), kRaised, kLegend);
}

TEST(FaceBorder, BevelOfThreeRingsDarkeningOutwardWithLighteningTopAndLeft) {
    ButtonState state = buttonOf(10, 8, 0, 0x8000000F);
    state.BEVEL = 2;
    state.BEVELDEPTH = 8;
    // Rings at insets 2, 1, 0 each one step darker; lines each one step lighter.
    const std::map<char, ColorValue> legend = {{'.', kFace},
                                               {'a', rgb(204, 200, 192)},
                                               {'b', rgb(196, 192, 184)},
                                               {'c', rgb(188, 184, 177)},
                                               {'1', rgb(220, 216, 208)},
                                               {'2', rgb(228, 224, 216)},
                                               {'3', rgb(236, 232, 224)}};
    const std::vector<std::string> raised = {"333333333c", "32222222bc", "3211111abc",
                                             "321....abc", "321....abc", "32aaaaaabc",
                                             "3bbbbbbbbc", "cccccccccc"};
    expectPicture(paintOnce(state), raised, legend);

    // Sunken: rings lightening outward, lines darkening.
    state.g_Pressed = 1;
    const std::map<char, ColorValue> sunkenLegend = {{'.', kFace},
                                                     {'1', rgb(204, 200, 192)},
                                                     {'2', rgb(196, 192, 184)},
                                                     {'3', rgb(188, 184, 177)},
                                                     {'a', rgb(220, 216, 208)},
                                                     {'b', rgb(228, 224, 216)},
                                                     {'c', rgb(236, 232, 224)}};
    expectPicture(paintOnce(state), raised, sunkenLegend);
}

TEST(FaceBorder, DefaultFrameOfABevelIsAStrongerBevel) {
    ButtonState state = buttonOf(10, 8, 0, 0x8000000F);
    state.BEVEL = 2;
    state.BEVELDEPTH = 8;
    state.g_HasFocus = 1;
    state.ShowFocusRect = false;
    const QImage image = paintOnce(state);
    // Step 11: outermost ring three steps of -11, top line three of +11.
    EXPECT_EQ(pixelAt(image, 9, 7), ShiftColor(ShiftColor(ShiftColor(kFace, -11), -11), -11));
    EXPECT_EQ(pixelAt(image, 0, 0), rgb(212 + 33, 208 + 33, 200 + 33));
    EXPECT_EQ(pixelAt(image, 2, 2), rgb(212 + 11, 208 + 11, 200 + 11));
}

TEST(FaceBorder, OverflowEndsTheStepAndTheRefreshGoesOn) {
    ButtonState rest = buttonOf(10, 8, 0, 0x8000000F);
    rest.BEVEL = 2;
    rest.BEVELDEPTH = 32767;
    rest.Caption = "x";
    ButtonState focused = rest;
    focused.g_HasFocus = 1;
    focused.ShowFocusRect = false;
    RefreshError error = RefreshError::Overflow;
    // 32767 + 3 does not fit: the default frame draws nothing.
    EXPECT_EQ(paintOnce(focused, &error), paintOnce(rest));
    EXPECT_EQ(error, RefreshError::None);

    // -(-32768) does not fit: the raised bevel draws nothing, the default
    // frame (step -32765) still does.
    ButtonState negative = rest;
    negative.BEVELDEPTH = -32768;
    const QImage plain = paintOnce(negative, &error);
    EXPECT_EQ(error, RefreshError::None);
    EXPECT_EQ(pixelAt(plain, 0, 0), kFace);
    EXPECT_EQ(pixelAt(plain, 9, 7), kFace);
    negative.g_HasFocus = 1;
    negative.ShowFocusRect = false;
    const QImage withDefault = paintOnce(negative, &error);
    EXPECT_EQ(pixelAt(withDefault, 9, 7), rgb(255, 255, 255));
    EXPECT_EQ(pixelAt(withDefault, 0, 0), rgb(0, 0, 0));

    QImage surface = makeSurface(4, 4);
    DeviceContext dc(surface);
    ButtonDrawState draw;
    EXPECT_THROW(DrawDefaultFrame(dc, rest, draw, 2, 32765), OverflowError);
    EXPECT_THROW(DrawBevelRaised(dc, rest, kFace, 2, -32768), OverflowError);
    EXPECT_THROW(DrawBevelSunken(dc, rest, kFace, 2, -32768), OverflowError);
}

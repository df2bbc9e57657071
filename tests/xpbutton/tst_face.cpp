// The button's face in each of the five styles: background, frames, bevels
// and the XP face.
#include "tst_drawhelpers.h"
#include "xpbutton/face/faceborder.h"
#include "xpbutton/face/xpface.h"
#include "xpbutton/gdi/checkedmath.h"

#include <gtest/gtest.h>

#include <optional>

namespace {
// -1 for a host that cannot tell.
std::optional<bool> tri(int value) {
    return value < 0 ? std::nullopt : std::optional<bool>(value != 0);
}

const std::vector<std::string> kRaised = {"hhhhhh", "h....s", "h....s", "h....s", "hsssss"};
const std::vector<std::string> kSunken = {"ssssss", "s....h", "s....h", "s....h", "shhhhh"};
const std::vector<std::string> kFlat = {"......", "......", "......", "......", "......"};
const std::vector<std::string> kDefaultOnly = {"hhhhhh", "h...s.", "h...s.", "hssss.", "h....."};
} // namespace

TEST(FaceBorder, FramesOfEachStyleAndState) {
    const struct {
        std::int32_t style;
        int pressed, hover, focus, hostDefault, userMode;
        std::vector<std::string> want;
    } cases[] = {
        {0, 0, 0, 0, 0, 1, kRaised},
        {0, 1, 1, 0, 0, 1, kSunken},
        {0, 0, 0, 1, 0, 1, {"hhhhhh", "h...ss", "h...ss", "hsssss", "hsssss"}}, // default frame
        {0, 1, 0, 1, 0, 1, kSunken}, // pressed and not the host's default: no default frame
        {0, 1, 0, 1, 1, 1, {"hhhhhh", "h...sh", "h...sh", "hssssh", "hhhhhh"}},
        {1, 0, 0, 0, 0, 1, kFlat},
        {1, 0, 0, 1, 0, 1, kFlat}, // focus alone gives no default frame here
        {1, 0, 0, 0, 1, 1, kDefaultOnly},
        {1, 0, 0, 0, -1, 1, kDefaultOnly},
        {1, 0, 1, 0, 0, 1, kRaised},
        {1, 1, 1, 0, 0, 1, kSunken},
        {5, 0, 0, 0, 0, 1, kFlat}, // styles outside 0..4 draw like 1
        {7, 0, 1, 0, 0, 1, kRaised},
        {-1, 1, 1, 0, 0, 1, kSunken},
        {1, 1, 0, 0, 1, 0, kRaised}, // design time: the raised frame only
        {1, 1, 0, 0, 1, -1, kRaised},
    };
    const std::map<char, ColorValue> legend = {{'.', kFace}, {'h', kWhite}, {'s', kShadow}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " pressed " << c.pressed
                                        << " hover " << c.hover << " focus " << c.focus
                                        << " default " << c.hostDefault << " run " << c.userMode);
        ButtonState state = buttonOf(6, 5, c.style, 0x8000000F);
        state.BEVEL = 1;
        state.g_Pressed = c.pressed;
        state.g_Hover = c.hover;
        state.g_HasFocus = c.focus;
        state.ShowFocusRect = false;
        state.ExtenderDefault = tri(c.hostDefault);
        state.UserMode = tri(c.userMode);
        expectPicture(paintOnce(state), c.want, legend);
    }
}

TEST(FaceBorder, BevelRingsAndLinesAndTheStrongerDefaultBevel) {
    ButtonState state = buttonOf(10, 8, 0, 0x8000000F);
    state.BEVEL = 2;
    state.BEVELDEPTH = 8;
    // Raised: rings at insets 2, 1, 0 each a step darker, lines each a step lighter.
    const std::vector<std::string> rings = {"333333333c", "32222222bc", "3211111abc", "321....abc",
                                            "321....abc", "32aaaaaabc", "3bbbbbbbbc", "cccccccccc"};
    const ColorValue darker[] = {rgb(204, 200, 192), rgb(196, 192, 184), rgb(188, 184, 177)};
    const ColorValue lighter[] = {rgb(220, 216, 208), rgb(228, 224, 216), rgb(236, 232, 224)};
    const auto legend = [&](const ColorValue* letters, const ColorValue* digits) {
        return std::map<char, ColorValue>{{'.', kFace},      {'a', letters[0]}, {'b', letters[1]},
                                          {'c', letters[2]}, {'1', digits[0]},  {'2', digits[1]},
                                          {'3', digits[2]}};
    };
    expectPicture(paintOnce(state), rings, legend(darker, lighter));
    state.g_Pressed = 1; // sunken: the mirror image
    expectPicture(paintOnce(state), rings, legend(lighter, darker));

    // Default frame, step 11: outermost ring three steps of -11, top line three of +11.
    state.g_Pressed = 0;
    state.g_HasFocus = 1;
    state.ShowFocusRect = false;
    expectPixels(paintOnce(state),
                 {{9, 7, ShiftColor(ShiftColor(ShiftColor(kFace, -11), -11), -11)},
                  {0, 0, rgb(212 + 33, 208 + 33, 200 + 33)},
                  {2, 2, rgb(212 + 11, 208 + 11, 200 + 11)}});
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
    rest.BEVELDEPTH = focused.BEVELDEPTH = -32768;
    expectPixels(paintOnce(rest, &error), {{0, 0, kFace}, {9, 7, kFace}});
    EXPECT_EQ(error, RefreshError::None);
    expectPixels(paintOnce(focused), {{9, 7, kWhite}, {0, 0, kBlack}});

    QImage surface = makeSurface(4, 4);
    DeviceContext dc(surface);
    EXPECT_THROW(DrawDefaultFrame(dc, rest, ButtonDrawState(), 2, 32765), OverflowError);
    EXPECT_THROW(DrawBevelRaised(dc, rest, kFace, 2, -32768), OverflowError);
    EXPECT_THROW(DrawBevelSunken(dc, rest, kFace, 2, -32768), OverflowError);
}

TEST(FaceBackground, HighlightStyleFacesByState) {
    constexpr ColorValue kHover = rgb(181, 190, 214), kPressed = rgb(166, 175, 214);
    const std::map<char, ColorValue> legend = {
        {'.', kFace}, {'h', kHover}, {'p', kPressed}, {'#', kBlue}};
    const struct {
        int pressed, hover, borderAlways;
        std::vector<std::string> want;
    } cases[] = {
        {0, 0, 0, {".....", ".....", ".....", "....."}},
        {0, 0, 1, {"#####", "#...#", "#...#", "#####"}},
        {0, 1, 0, {"#####", "#hhh#", "#hhh#", "#####"}},
        {1, 1, 0, {"#####", "#ppp#", "#ppp#", "#####"}},
        {1, 0, 0, {"ppppp", "ppppp", "ppppp", "ppppp"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pressed << c.hover << c.borderAlways);
        ButtonState state = buttonOf(5, 4, 2, 0x8000000F);
        state.ForeColor = kBlue; // also the border's colour
        state.g_Pressed = c.pressed;
        state.g_Hover = c.hover;
        state.XPShowBorderAlways = c.borderAlways;
        expectPicture(paintOnce(state), c.want, legend);
    }

    // Own colours; the face colour stays what style 2 set until it sets it again.
    ButtonState state = buttonOf(5, 4, 2, 0x8000000F);
    state.XPDefaultColors = false;
    state.XPColor_Hover = rgb(1, 2, 3);
    state.XPColor_Pressed = 0x80000014;
    state.g_Hover = 1;
    ButtonDrawState draw;
    draw.FaceColor = state.BackColor;
    EXPECT_EQ(pixelAt(paintWith(state, draw), 2, 2), rgb(1, 2, 3));
    EXPECT_EQ(draw.FaceColor, rgb(1, 2, 3));
    state.g_Pressed = 1;
    EXPECT_EQ(pixelAt(paintWith(state, draw), 2, 2), kWhite);
    EXPECT_EQ(draw.FaceColor, 0x80000014u);
    state.g_Pressed = state.g_Hover = 0;
    EXPECT_EQ(pixelAt(paintWith(state, draw), 2, 2), kFace);
    EXPECT_EQ(draw.FaceColor, 0x8000000Fu);
}

TEST(FaceBackground, BorderlessStyleShowsOnlyBackgroundAndFocusRectangle) {
    ButtonState state = buttonOf(12, 10, 4, 0x8000000F);
    state.g_Pressed = state.g_Hover = state.g_HasFocus = 1;
    state.ExtenderDefault = true;
    // The focus rectangle (4, 4, 8, 6), dotted and inverted, and nothing else.
    const std::map<char, ColorValue> legend = {{'.', kFace}, {'x', kFace ^ 0x00FFFFFF}};
    expectPicture(paintOnce(state),
                  {"............", "............", "............", "............", "....x.x.....",
                   ".....x.x....", "............", "............", "............", "............"},
                  legend);
    state.ShowFocusRect = false;
    EXPECT_EQ(paintOnce(state), makeSurface(12, 10, kFace));
}

TEST(FaceBackground, TransparentFaceCopiesTheParentsPictureUnderTheButton) {
    QImage parent(20, 20, QImage::Format_RGB32);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            parent.setPixel(x, y, qRgb(x * 10, y * 10, 7));
    ButtonState state = buttonOf(4, 3, 4, 0x8000000F);
    state.TransparentBG = true;
    state.ParentPicture = parent;
    state.PositionInParent = QPoint(5, 6);
    expectPixels(paintOnce(state), {{0, 0, rgb(50, 60, 7)}, {3, 2, rgb(80, 80, 7)}});
    // Where the parent's picture ends, the face colour shows.
    state.PositionInParent = QPoint(18, 0);
    expectPixels(paintOnce(state), {{1, 0, rgb(190, 0, 7)}, {2, 0, kFace}});
    // A position the host cannot give: the picture's corner.
    state.PositionInParent.reset();
    EXPECT_EQ(pixelAt(paintOnce(state), 1, 1), rgb(10, 10, 7));
    // No parent picture: the face colour.
    state.ParentPicture = QImage();
    state.PositionInParent = QPoint(1, 1);
    EXPECT_EQ(paintOnce(state), makeSurface(4, 3, kFace));

    // The highlight style pressed does not copy it.
    ButtonState highlight = buttonOf(5, 4, 2, 0x8000000F);
    highlight.TransparentBG = true;
    highlight.ParentPicture = parent;
    highlight.PositionInParent = QPoint(0, 0);
    EXPECT_EQ(pixelAt(paintOnce(highlight), 2, 2), rgb(20, 20, 7));
    highlight.g_Pressed = 1;
    EXPECT_EQ(pixelAt(paintOnce(highlight), 2, 2), rgb(166, 175, 214));
}

// The XP face (style 3) at 75 x 23 with BackColor RGB(212, 208, 200): base
// ShiftColor(back, 48) = RGB(255, 255, 250), pressed base RGB(223, 223, 209).
namespace {
ButtonState xp() {
    return buttonOf(75, 23, 3, kFace);
}

void expectOutline(const QImage& face) {
    constexpr ColorValue kDark = rgb(64, 64, 64);
    for (int x = 0; x < 75; ++x)
        expectPixels(face, {{x, 0, kDark}, {x, 22, kDark}});
    for (int y = 0; y < 23; ++y)
        expectPixels(face, {{0, y, kDark}, {74, y, kDark}});
    expectPixels(face, {{1, 1, kDark}, {1, 21, kDark}, {73, 1, kDark}, {73, 21, kDark}});
}
} // namespace

TEST(FaceXp, GradientEdgesAndRingsOfEachState) {
    const ColorValue focus = rgb(140, 170, 230), focusIn = rgb(171, 201, 255);
    const ColorValue hover = rgb(225, 153, 71), hoverIn = rgb(245, 173, 78);
    const struct {
        const char* what;
        int pressed, hover, focus;
        std::vector<PixelIs> pixels; // column 10 of rows 3..19 is the gradient alone
    } cases[] = {
        {"normal",
         0,
         0,
         0,
         {{10, 3, rgb(252, 252, 247)},
          {10, 4, rgb(251, 251, 245)},
          {10, 5, rgb(250, 250, 244)},
          {10, 6, rgb(248, 248, 241)},
          {10, 7, rgb(247, 247, 240)},
          {10, 8, rgb(246, 246, 239)},
          {10, 9, rgb(245, 245, 237)},
          {10, 10, rgb(244, 244, 236)},
          {10, 11, rgb(243, 243, 235)},
          {10, 12, rgb(242, 242, 234)},
          {10, 13, rgb(241, 241, 232)},
          {10, 14, rgb(240, 240, 231)},
          {10, 15, rgb(239, 239, 230)},
          {10, 16, rgb(238, 238, 228)},
          {10, 17, rgb(237, 237, 227)},
          {10, 18, rgb(235, 235, 224)},
          {10, 19, rgb(234, 234, 223)},
          // Light top edges (+16, +10), dark bottom (-32, -48), left (-5,
          // -10) and right (-24, -36).
          {10, 1, kWhite},
          {10, 2, kWhite},
          {10, 20, rgb(223, 223, 209)},
          {10, 21, rgb(207, 207, 188)},
          {1, 10, rgb(250, 250, 244)},
          {2, 10, rgb(245, 245, 237)},
          {72, 10, rgb(231, 231, 219)},
          {73, 10, rgb(219, 219, 204)},
          // Where lines cross, the later one wins; end points stay unpainted.
          {1, 2, rgb(250, 250, 244)},
          {1, 20, rgb(250, 250, 244)},
          {73, 2, rgb(219, 219, 204)},
          {73, 20, rgb(219, 219, 204)},
          {72, 20, rgb(223, 223, 209)},
          {72, 21, rgb(207, 207, 188)},
          {2, 20, rgb(223, 223, 209)},
          {2, 2, kWhite}}},
        // The ring does not depend on ShowFocusRect; no dotted rectangle here.
        {"focused",
         0,
         0,
         1,
         {{1, 10, focus},
          {73, 10, focus},
          {10, 20, focus},
          {2, 20, focus},
          {10, 21, rgb(107, 137, 191)},
          {10, 1, rgb(205, 235, 255)},
          {10, 2, rgb(190, 220, 255)},
          {73, 2, rgb(190, 220, 255)},
          {2, 10, focusIn},
          {72, 10, focusIn},
          {72, 3, focusIn},
          {10, 3, rgb(252, 252, 247)},
          {10, 10, rgb(244, 244, 236)}}},
        {"hovered",
         0,
         1,
         0,
         {{1, 10, hover},
          {10, 20, hover},
          {10, 21, rgb(185, 113, 57)},
          {10, 1, rgb(255, 243, 104)},
          {10, 2, rgb(255, 188, 83)},
          {2, 10, hoverIn},
          {72, 10, hoverIn},
          // Normal edge lines the ring does not cover stay.
          {73, 21, rgb(64, 64, 64)},
          {1, 21, rgb(64, 64, 64)}}},
        {"pressed, whatever else",
         1,
         1,
         1,
         {{10, 3, rgb(210, 210, 195)},
          {10, 4, rgb(211, 211, 196)},
          {10, 6, rgb(212, 212, 198)},
          {10, 9, rgb(214, 214, 200)},
          {10, 12, rgb(216, 216, 202)},
          {10, 15, rgb(218, 218, 204)},
          {10, 19, rgb(220, 220, 206)},
          {10, 21, rgb(239, 239, 226)},
          {10, 20, rgb(233, 233, 219)},
          {73, 10, rgb(228, 228, 214)},
          {72, 10, rgb(223, 223, 209)},
          {10, 1, rgb(191, 191, 175)},
          {10, 2, rgb(199, 199, 183)},
          {1, 10, rgb(191, 191, 175)},
          {2, 10, rgb(201, 201, 186)},
          {2, 2, rgb(201, 201, 186)}, // starts one row higher
          {2, 21, rgb(239, 239, 226)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ButtonState state = xp();
        state.g_Pressed = c.pressed;
        state.g_Hover = c.hover;
        state.g_HasFocus = c.focus;
        state.ShowFocusRect = false;
        const QImage face = paintOnce(state);
        expectOutline(face);
        expectPixels(face, c.pixels);
    }
    // With ShowFocusRect the focused face is the same: no dotted rectangle.
    ButtonState focused = xp();
    focused.g_HasFocus = 1;
    const QImage ringOnly = paintOnce(focused);
    focused.ShowFocusRect = false;
    EXPECT_EQ(paintOnce(focused), ringOnly);
    // The hover ring covers the focus ring.
    ButtonState hovered = xp();
    hovered.g_Hover = 1;
    ButtonState both = hovered;
    both.g_HasFocus = 1;
    EXPECT_EQ(paintOnce(both), paintOnce(hovered));
}

TEST(FaceXp, GradientStepIsSinglePrecisionAndHalvesGoToEven) {
    const ColorValue base = rgb(255, 255, 250);
    // 25 / 50 = 0.5 exactly: -1.5 -> -2, -2.5 -> -2, -3.5 -> -4.
    QImage tall = makeSurface(20, 50);
    DeviceContext tallDc(tall);
    DrawXPFace(tallDc, buttonOf(20, 50, 3, kFace), 0, 0);
    expectPixels(tall, {{10, 3, ShiftColor(base, -2)},
                        {10, 5, ShiftColor(base, -2)},
                        {10, 7, ShiftColor(base, -4)}});
    // 25 / 30 in single precision is 0.8333333135: row 9 gives -7.4999998,
    // nearer to -7 (the product is not rounded to single); row 3 -2.4999999.
    QImage thirty = makeSurface(20, 30);
    DeviceContext dc(thirty);
    DrawXPFace(dc, buttonOf(20, 30, 3, kFace), 0, 0);
    expectPixels(thirty, {{10, 9, ShiftColor(base, -7)}, {10, 3, ShiftColor(base, -2)}});
}

TEST(FaceXp, DisabledFaceIsFlatWhateverTheFlags) {
    ButtonState state = xp();
    state.Enabled = false;
    state.g_Pressed = state.g_Hover = state.g_HasFocus = 1;
    const QImage face = paintOnce(state);
    const ColorValue flat = rgb(231, 231, 219), edge = rgb(171, 171, 141),
                     corner = rgb(183, 183, 157);
    for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 75; ++x) {
            const bool outline = x == 0 || y == 0 || x == 74 || y == 22;
            const bool inner = (x == 1 || x == 73) && (y == 1 || y == 21);
            EXPECT_EQ(pixelAt(face, x, y), outline ? edge : inner ? corner : flat) << x << "," << y;
        }
}

TEST(FaceXp, OwnStateColoursAreResolvedBeforeShading) {
    ButtonState state = xp();
    state.XPDefaultColors = false; // XPColor_Hover stays 0x80000016, 3-D light
    state.g_Hover = 1;
    // The ring, -40, +90, +35, +20.
    expectPixels(paintOnce(state), {{1, 10, kFace},
                                    {10, 21, rgb(172, 168, 159)},
                                    {10, 1, kWhite},
                                    {10, 2, rgb(247, 243, 236)},
                                    {2, 10, rgb(232, 228, 220)}});
    state.g_Hover = 0;
    state.g_HasFocus = 1;
    state.XPColor_Pressed = rgb(0, 100, 0);
    expectPixels(paintOnce(state), {{1, 10, rgb(0, 100, 0)}, {10, 1, rgb(65, 165, 0)}});
}

TEST(FaceXp, DesignTimeOrUnknownStateShowsTheRestingFaceOrPlainFill) {
    const QImage resting = paintOnce(xp());
    ButtonState state = xp();
    state.g_Pressed = state.g_Hover = 1;
    for (int mode : {0, -1}) {
        state.UserMode = tri(mode);
        EXPECT_EQ(paintOnce(state), resting) << mode;
    }
    QImage surface = makeSurface(75, 23);
    DeviceContext dc(surface);
    DrawXPFace(dc, xp(), 1, 1);
    EXPECT_EQ(surface, makeSurface(75, 23, kFace));
    DrawXPFace(dc, buttonOf(10, 0, 3, kFace), 0, 1); // no height: the fill only, no crash
}

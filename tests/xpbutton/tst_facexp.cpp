#include "tst_drawhelpers.h"
#include "xpface.h"

#include <gtest/gtest.h>

// The XP face at 75 x 23 with BackColor RGB(212, 208, 200): base
// ShiftColor(back, 48) = RGB(255, 255, 250), pressed base RGB(223, 223, 209).

namespace {
constexpr ColorValue kBack = rgb(212, 208, 200);
constexpr ColorValue kDark = rgb(64, 64, 64);

ButtonState xp() {
    return buttonOf(75, 23, 3, kBack);
}

// Rows 3..19 of column 10 show the gradient alone.
void expectGradient(const QImage& face, const std::map<int, ColorValue>& rows) {
    for (const auto& [y, colour] : rows)
        EXPECT_EQ(pixelAt(face, 10, y), colour) << "row " << y;
}

void expectOutline(const QImage& face) {
    for (int x = 0; x < 75; ++x) {
        EXPECT_EQ(pixelAt(face, x, 0), kDark) << x;
        EXPECT_EQ(pixelAt(face, x, 22), kDark) << x;
    }
    for (int y = 0; y < 23; ++y) {
        EXPECT_EQ(pixelAt(face, 0, y), kDark) << y;
        EXPECT_EQ(pixelAt(face, 74, y), kDark) << y;
    }
    for (const QPoint p : {QPoint(1, 1), QPoint(1, 21), QPoint(73, 1), QPoint(73, 21)})
        EXPECT_EQ(pixelAt(face, p.x(), p.y()), kDark) << p.x() << "," << p.y();
}

const std::map<int, ColorValue> kNormalGradient = {
    {3, rgb(252, 252, 247)},  {4, rgb(251, 251, 245)},  {5, rgb(250, 250, 244)},
    {6, rgb(248, 248, 241)},  {7, rgb(247, 247, 240)},  {8, rgb(246, 246, 239)},
    {9, rgb(245, 245, 237)},  {10, rgb(244, 244, 236)}, {11, rgb(243, 243, 235)},
    {12, rgb(242, 242, 234)}, {13, rgb(241, 241, 232)}, {14, rgb(240, 240, 231)},
    {15, rgb(239, 239, 230)}, {16, rgb(238, 238, 228)}, {17, rgb(237, 237, 227)},
    {18, rgb(235, 235, 224)}, {19, rgb(234, 234, 223)}};
} // namespace

TEST(FaceXp, NormalFaceGradientOutlineAndEdges) {
    const QImage face = paintOnce(xp());
    expectGradient(face, kNormalGradient);
    expectOutline(face);
    // Light top edges, dark bottom and right edges.
    EXPECT_EQ(pixelAt(face, 10, 1), rgb(255, 255, 255));  // +16
    EXPECT_EQ(pixelAt(face, 10, 2), rgb(255, 255, 255));  // +10
    EXPECT_EQ(pixelAt(face, 10, 20), rgb(223, 223, 209)); // -32
    EXPECT_EQ(pixelAt(face, 10, 21), rgb(207, 207, 188)); // -48
    EXPECT_EQ(pixelAt(face, 1, 10), rgb(250, 250, 244));  // -5
    EXPECT_EQ(pixelAt(face, 2, 10), rgb(245, 245, 237));  // -10
    EXPECT_EQ(pixelAt(face, 72, 10), rgb(231, 231, 219)); // -24
    EXPECT_EQ(pixelAt(face, 73, 10), rgb(219, 219, 204)); // -36
    // Where lines cross, the later one wins; end points stay unpainted.
    EXPECT_EQ(pixelAt(face, 1, 2), rgb(250, 250, 244));
    EXPECT_EQ(pixelAt(face, 1, 20), rgb(250, 250, 244));
    EXPECT_EQ(pixelAt(face, 73, 2), rgb(219, 219, 204));
    EXPECT_EQ(pixelAt(face, 73, 20), rgb(219, 219, 204));
    EXPECT_EQ(pixelAt(face, 72, 20), rgb(223, 223, 209));
    EXPECT_EQ(pixelAt(face, 72, 21), rgb(207, 207, 188));
    EXPECT_EQ(pixelAt(face, 2, 20), rgb(223, 223, 209));
    EXPECT_EQ(pixelAt(face, 2, 2), rgb(255, 255, 255));
}

TEST(FaceXp, GradientStepIsSinglePrecisionAndHalvesGoToEven) {
    const ColorValue base = rgb(255, 255, 250);
    // 25 / 50 = 0.5 exactly: -1.5 -> -2, -2.5 -> -2, -3.5 -> -4.
    ButtonState tall = buttonOf(20, 50, 3, kBack);
    QImage tallSurface = makeSurface(20, 50);
    DeviceContext tallDc(tallSurface);
    DrawXPFace(tallDc, tall, 0, 0);
    EXPECT_EQ(pixelAt(tallSurface, 10, 3), ShiftColor(base, -2));
    EXPECT_EQ(pixelAt(tallSurface, 10, 5), ShiftColor(base, -2));
    EXPECT_EQ(pixelAt(tallSurface, 10, 7), ShiftColor(base, -4));
    // 25 / 30 in single precision is 0.8333333135: row 9 gives -7.4999998,
    // which is nearer to -7 (the product is not rounded to single).
    ButtonState thirty = buttonOf(20, 30, 3, kBack);
    QImage surface = makeSurface(20, 30);
    DeviceContext dc(surface);
    DrawXPFace(dc, thirty, 0, 0);
    EXPECT_EQ(pixelAt(surface, 10, 9), ShiftColor(base, -7));
    EXPECT_EQ(pixelAt(surface, 10, 3), ShiftColor(base, -2)); // -2.4999999
}

TEST(FaceXp, FocusRingReplacesTheEdgeLines) {
    ButtonState state = xp();
    state.g_HasFocus = 1;
    state.ShowFocusRect = false; // the ring does not depend on it
    const QImage face = paintOnce(state);
    expectOutline(face);
    const ColorValue ring = rgb(140, 170, 230);
    EXPECT_EQ(pixelAt(face, 1, 10), ring);
    EXPECT_EQ(pixelAt(face, 73, 10), ring);
    EXPECT_EQ(pixelAt(face, 10, 20), ring);
    EXPECT_EQ(pixelAt(face, 10, 21), rgb(107, 137, 191)); // inner bottom -33
    EXPECT_EQ(pixelAt(face, 10, 1), rgb(205, 235, 255));  // top +65
    EXPECT_EQ(pixelAt(face, 10, 2), rgb(190, 220, 255));  // second row +50
    EXPECT_EQ(pixelAt(face, 73, 2), rgb(190, 220, 255));  // ... reaching W-2
    EXPECT_EQ(pixelAt(face, 2, 10), rgb(171, 201, 255));  // inner left +31
    EXPECT_EQ(pixelAt(face, 72, 10), rgb(171, 201, 255)); // inner right +31
    EXPECT_EQ(pixelAt(face, 2, 20), ring);
    EXPECT_EQ(pixelAt(face, 72, 3), rgb(171, 201, 255));
    expectGradient(face, {{3, rgb(252, 252, 247)}, {10, rgb(244, 244, 236)}});
    // No dotted focus rectangle in this style.
    EXPECT_EQ(pixelAt(face, 4, 4), pixelAt(face, 5, 4));
}

TEST(FaceXp, HoverRingOverEdgesOrFocusRing) {
    ButtonState state = xp();
    state.g_Hover = 1;
    const QImage hovered = paintOnce(state);
    const ColorValue ring = rgb(225, 153, 71);
    EXPECT_EQ(pixelAt(hovered, 1, 10), ring);
    EXPECT_EQ(pixelAt(hovered, 10, 20), ring);
    EXPECT_EQ(pixelAt(hovered, 10, 21), rgb(185, 113, 57)); // -40
    EXPECT_EQ(pixelAt(hovered, 10, 1), rgb(255, 243, 104)); // +90
    EXPECT_EQ(pixelAt(hovered, 10, 2), rgb(255, 188, 83));  // +35
    EXPECT_EQ(pixelAt(hovered, 2, 10), rgb(245, 173, 78));  // +20
    EXPECT_EQ(pixelAt(hovered, 72, 10), rgb(245, 173, 78));
    // Normal edge lines the ring does not cover stay.
    EXPECT_EQ(pixelAt(hovered, 73, 21), rgb(64, 64, 64));
    EXPECT_EQ(pixelAt(hovered, 1, 21), rgb(64, 64, 64));

    state.g_HasFocus = 1;
    const QImage both = paintOnce(state);
    EXPECT_EQ(both, hovered);
}

TEST(FaceXp, PressedFaceHasNoRingsWhateverTheFlags) {
    ButtonState state = xp();
    state.g_Pressed = 1;
    state.g_HasFocus = 1;
    state.g_Hover = 1;
    const QImage face = paintOnce(state);
    expectOutline(face);
    expectGradient(face, {{3, rgb(210, 210, 195)},
                          {4, rgb(211, 211, 196)},
                          {6, rgb(212, 212, 198)},
                          {9, rgb(214, 214, 200)},
                          {12, rgb(216, 216, 202)},
                          {15, rgb(218, 218, 204)},
                          {19, rgb(220, 220, 206)}});
    EXPECT_EQ(pixelAt(face, 10, 21), rgb(239, 239, 226)); // +16
    EXPECT_EQ(pixelAt(face, 10, 20), rgb(233, 233, 219)); // +10
    EXPECT_EQ(pixelAt(face, 73, 10), rgb(228, 228, 214)); // +5
    EXPECT_EQ(pixelAt(face, 72, 10), rgb(223, 223, 209)); // 0
    EXPECT_EQ(pixelAt(face, 10, 1), rgb(191, 191, 175));  // -32
    EXPECT_EQ(pixelAt(face, 10, 2), rgb(199, 199, 183));  // -24
    EXPECT_EQ(pixelAt(face, 1, 10), rgb(191, 191, 175));  // -32
    EXPECT_EQ(pixelAt(face, 2, 10), rgb(201, 201, 186));  // -22
    EXPECT_EQ(pixelAt(face, 2, 2), rgb(201, 201, 186));   // starts one row higher
    EXPECT_EQ(pixelAt(face, 2, 21), rgb(239, 239, 226));
}

TEST(FaceXp, DisabledFaceIsFlatWhateverTheFlags) {
    ButtonState state = xp();
    state.Enabled = false;
    state.g_Pressed = 1;
    state.g_Hover = 1;
    state.g_HasFocus = 1;
    const QImage face = paintOnce(state);
    const ColorValue flat = rgb(231, 231, 219);
    const ColorValue edge = rgb(171, 171, 141);
    const ColorValue corner = rgb(183, 183, 157);
    for (int y = 0; y < 23; ++y) {
        for (int x = 0; x < 75; ++x) {
            const bool outline = x == 0 || y == 0 || x == 74 || y == 22;
            const bool inner = (x == 1 || x == 73) && (y == 1 || y == 21);
            EXPECT_EQ(pixelAt(face, x, y), outline ? edge : inner ? corner : flat) << x << "," << y;
        }
    }
}

TEST(FaceXp, OwnStateColoursAreResolvedBeforeShading) {
    ButtonState state = xp();
    state.XPDefaultColors = false; // XPColor_Hover stays 0x80000016, 3-D light
    state.g_Hover = 1;
    const QImage face = paintOnce(state);
    EXPECT_EQ(pixelAt(face, 1, 10), rgb(212, 208, 200));
    EXPECT_EQ(pixelAt(face, 10, 21), rgb(172, 168, 159)); // -40
    EXPECT_EQ(pixelAt(face, 10, 1), rgb(255, 255, 255));  // +90
    EXPECT_EQ(pixelAt(face, 10, 2), rgb(247, 243, 236));  // +35
    EXPECT_EQ(pixelAt(face, 2, 10), rgb(232, 228, 220));  // +20

    state.g_Hover = 0;
    state.g_HasFocus = 1;
    state.XPColor_Pressed = rgb(0, 100, 0);
    const QImage focused = paintOnce(state);
    EXPECT_EQ(pixelAt(focused, 1, 10), rgb(0, 100, 0));
    EXPECT_EQ(pixelAt(focused, 10, 1), rgb(65, 165, 0));
}

TEST(FaceXp, DesignTimeShowsTheRestingFace) {
    ButtonState rest = xp();
    const QImage resting = paintOnce(rest);
    ButtonState state = xp();
    state.UserMode = false;
    state.g_Pressed = 1;
    state.g_Hover = 1;
    EXPECT_EQ(paintOnce(state), resting);
    state.UserMode.reset(); // a host that cannot tell
    EXPECT_EQ(paintOnce(state), resting);
}

TEST(FaceXp, UnknownStateLeavesThePlainFill) {
    ButtonState state = xp();
    QImage surface = makeSurface(75, 23);
    DeviceContext dc(surface);
    DrawXPFace(dc, state, 1, 1);
    EXPECT_EQ(surface, makeSurface(75, 23, kBack));
    // No height: the fill only, no crash.
    ButtonState flat = buttonOf(10, 0, 3, kBack);
    DrawXPFace(dc, flat, 0, 1);
}

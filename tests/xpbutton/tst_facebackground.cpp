#include "facebackground.h"
#include "tst_drawhelpers.h"

#include <gtest/gtest.h>

namespace {
constexpr ColorValue kHoverFace = rgb(181, 190, 214);
constexpr ColorValue kPressedFace = rgb(166, 175, 214);
constexpr ColorValue kBorder = rgb(0, 0, 255);

ButtonState highlightStyle() {
    ButtonState state = buttonOf(5, 4, 2, 0x8000000F);
    state.ForeColor = kBorder;
    return state;
}

const std::map<char, ColorValue> kLegend = {
    {'.', kFace}, {'h', kHoverFace}, {'p', kPressedFace}, {'#', kBorder}};
} // namespace

TEST(FaceBackground, HighlightStyleAtRestHasNoBorder) {
    ButtonState state = highlightStyle();
    expectPicture(paintOnce(state), {".....", ".....", ".....", "....."}, kLegend);
    state.XPShowBorderAlways = true;
    expectPicture(paintOnce(state), {"#####", "#...#", "#...#", "#####"}, kLegend);
}

TEST(FaceBackground, HighlightStyleHoveredAndPressedTakeHighlightDerivedFaces) {
    ButtonState state = highlightStyle();
    state.g_Hover = 1;
    expectPicture(paintOnce(state), {"#####", "#hhh#", "#hhh#", "#####"}, kLegend);
    state.g_Pressed = 1;
    expectPicture(paintOnce(state), {"#####", "#ppp#", "#ppp#", "#####"}, kLegend);
    state.g_Hover = 0;
    expectPicture(paintOnce(state), {"ppppp", "ppppp", "ppppp", "ppppp"}, kLegend);
}

TEST(FaceBackground, HighlightStyleOwnColoursAndTheKeptFaceColour) {
    ButtonState state = highlightStyle();
    state.XPDefaultColors = false;
    state.XPColor_Hover = rgb(1, 2, 3);
    state.XPColor_Pressed = 0x80000014;
    state.g_Hover = 1;
    QImage surface = makeSurface(5, 4);
    ButtonDrawState draw;
    draw.FaceColor = state.BackColor;
    paintButton(surface, state, draw);
    EXPECT_EQ(pixelAt(surface, 2, 2), rgb(1, 2, 3));
    // The face colour stays what style 2 set until it sets it again.
    EXPECT_EQ(draw.FaceColor, rgb(1, 2, 3));
    state.g_Pressed = 1;
    paintButton(surface, state, draw);
    EXPECT_EQ(pixelAt(surface, 2, 2), rgb(255, 255, 255));
    EXPECT_EQ(draw.FaceColor, 0x80000014u);
    state.g_Pressed = 0;
    state.g_Hover = 0;
    paintButton(surface, state, draw);
    EXPECT_EQ(pixelAt(surface, 2, 2), kFace);
    EXPECT_EQ(draw.FaceColor, 0x8000000Fu);
}

TEST(FaceBackground, BorderlessStyleShowsOnlyBackgroundAndFocusRectangle) {
    ButtonState state = buttonOf(12, 10, 4, 0x8000000F);
    state.g_Pressed = 1;
    state.g_Hover = 1;
    state.ExtenderDefault = true;
    state.g_HasFocus = 1;
    const QImage image = paintOnce(state);
    // The focus rectangle (4, 4, 8, 6), dotted and inverted, and nothing else.
    const ColorValue dot = kFace ^ 0x00FFFFFF;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool onOutline = x >= 4 && x < 8 && y >= 4 && y < 6;
            const bool dotted = onOutline && (x + y) % 2 == 0;
            EXPECT_EQ(pixelAt(image, x, y), dotted ? dot : kFace) << x << "," << y;
        }
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
    QImage image = paintOnce(state);
    EXPECT_EQ(pixelAt(image, 0, 0), rgb(50, 60, 7));
    EXPECT_EQ(pixelAt(image, 3, 2), rgb(80, 80, 7));
    // Where the parent's picture ends, the face colour shows.
    state.PositionInParent = QPoint(18, 0);
    image = paintOnce(state);
    EXPECT_EQ(pixelAt(image, 1, 0), rgb(190, 0, 7));
    EXPECT_EQ(pixelAt(image, 2, 0), kFace);
    // A position the host cannot give: the picture's corner.
    state.PositionInParent.reset();
    EXPECT_EQ(pixelAt(paintOnce(state), 1, 1), rgb(10, 10, 7));
}

TEST(FaceBackground, TransparentFaceWithoutParentPictureKeepsTheFaceColour) {
    ButtonState state = buttonOf(4, 3, 4, rgb(9, 8, 7));
    state.TransparentBG = true;
    state.PositionInParent = QPoint(1, 1);
    EXPECT_EQ(paintOnce(state), makeSurface(4, 3, rgb(9, 8, 7)));
}

TEST(FaceBackground, HighlightStylePressedDoesNotCopyTheParent) {
    QImage parent(10, 10, QImage::Format_RGB32);
    parent.fill(qRgb(1, 1, 1));
    ButtonState state = highlightStyle();
    state.TransparentBG = true;
    state.ParentPicture = parent;
    state.PositionInParent = QPoint(0, 0);
    EXPECT_EQ(pixelAt(paintOnce(state), 2, 2), rgb(1, 1, 1));
    state.g_Pressed = 1;
    EXPECT_EQ(pixelAt(paintOnce(state), 2, 2), kPressedFace);
}

#include "buttonlayout.h"
#include "checkedmath.h"
#include "tst_drawhelpers.h"

#include <gtest/gtest.h>

namespace {
// A caption box of 30 x 13 as MeasureCaption leaves it (already centred).
WinRect captionBox(const WinRect& inner) {
    return centredBox(inner, 30, 13);
}

struct Layout {
    WinRect picture;
    WinRect caption;
};

Layout place(const WinRect& inner, std::int32_t position) {
    Layout layout{{-1, -1, -1, -1}, captionBox(inner)};
    placePictureAndCaption(inner, position, 32, 32, layout.picture, layout.caption);
    return layout;
}

ButtonDrawState layoutOf(const ButtonState& state, ButtonDrawState draw = {}) {
    QImage surface = makeSurface(1, 1);
    DeviceContext dc(surface);
    SelectObject(dc, state.Font);
    CalcLayout(dc, state, draw);
    return draw;
}
} // namespace

TEST(Layout, PictureLeftOrRightOfTheCaption) {
    const WinRect inner{4, 4, 96, 36};
    // The group of 32 + 4 + 30 = 66 starts at 4 + (92 - 66) div 2 = 17.
    const Layout left = place(inner, 1);
    EXPECT_EQ(left.picture, (WinRect{17, 4, 49, 36}));
    EXPECT_EQ(left.caption, (WinRect{53, 13, 83, 26}));
    const Layout right = place(inner, 2);
    EXPECT_EQ(right.caption, (WinRect{17, 13, 47, 26}));
    EXPECT_EQ(right.picture, (WinRect{51, 4, 83, 36}));
}

TEST(Layout, PictureAboveOrBelowTheCaption) {
    const WinRect inner{4, 4, 96, 64};
    // The group is 32 + 4 + 13 = 49 high and starts at 4 + (60 - 49) div 2 = 9.
    const Layout above = place(inner, 0);
    EXPECT_EQ(above.picture, (WinRect{34, 9, 66, 41}));
    EXPECT_EQ(above.caption, (WinRect{35, 45, 65, 58}));
    const Layout below = place(inner, 3);
    EXPECT_EQ(below.caption, (WinRect{35, 9, 65, 22}));
    EXPECT_EQ(below.picture, (WinRect{34, 26, 66, 58}));
}

TEST(Layout, UnknownPositionLeavesBothRectanglesAlone) {
    const Layout layout = place({4, 4, 96, 64}, 4);
    EXPECT_EQ(layout.picture, (WinRect{-1, -1, -1, -1}));
    EXPECT_EQ(layout.caption, captionBox({4, 4, 96, 64}));
}

TEST(Layout, NegativeLeftoversTruncateTowardZero) {
    // The main window's 55 x 46 picture in the inner rectangle (4, 4, 55, 49).
    EXPECT_EQ(centredBox({4, 4, 55, 49}, 55, 46), (WinRect{2, 4, 57, 50}));
    // Leftovers of -1 and -3 centre at offsets 0 and -1.
    EXPECT_EQ(centredBox({0, 0, 10, 10}, 11, 13), (WinRect{0, -1, 11, 12}));
    EXPECT_EQ(centredBox({0, 0, 10, 10}, 13, 10), (WinRect{-1, 0, 12, 10}));
    EXPECT_THROW(centredBox({0, 0, 10, 10}, 10, std::int64_t(1) << 33), OverflowError);
}

TEST(Layout, CaptionOnlyIsMeasuredInTheInnerWidthAndCentred) {
    ButtonState state = buttonOf(73, 25, 3);
    state.Caption = "Ok";
    const ButtonDrawState draw = layoutOf(state);
    EXPECT_EQ(draw.g_ClientRect, (WinRect{0, 0, 72, 24}));
    EXPECT_EQ(draw.g_InnerRect, (WinRect{4, 4, 69, 21}));
    // 15 pixels of text and 6 of margin each side, 13 high:
    // left 4 + (65 - 27) div 2, top 4 + (17 - 13) div 2.
    EXPECT_EQ(draw.g_CaptionRect, (WinRect{23, 6, 50, 19}));
    EXPECT_EQ(draw.g_TextParams.size, 20);
    EXPECT_EQ(draw.g_TextParams.tabLength, 1);
    EXPECT_EQ(draw.g_TextParams.leftMargin, 1);
    EXPECT_EQ(draw.g_TextParams.rightMargin, 1);
}

TEST(Layout, AWordWiderThanTheInnerRectangleOverflowsBothSides) {
    ButtonState state = buttonOf(73, 25, 3);
    state.Caption = "OOOOOOOOOO"; // 90 pixels, 102 with the margins
    const ButtonDrawState draw = layoutOf(state);
    // 4 + (65 - 102) div 2 = 4 - 18.
    EXPECT_EQ(draw.g_CaptionRect, (WinRect{-14, 6, 88, 19}));
}

TEST(Layout, PictureAndCaptionThroughTheMeasure) {
    ButtonState state = buttonOf(100, 40, 3);
    state.Caption = "OO"; // measures 30 x 13
    state.Picture = OlePicture::bitmap(QImage(32, 32, QImage::Format_RGB32));
    const ButtonDrawState draw = layoutOf(state);
    EXPECT_EQ(draw.g_PictureRect, (WinRect{17, 4, 49, 36}));
    EXPECT_EQ(draw.g_CaptionRect, (WinRect{53, 13, 83, 26}));
}

TEST(Layout, RectanglesNotComputedKeepTheirValues) {
    ButtonDrawState before;
    before.g_PictureRect = {1, 2, 3, 4};
    before.g_CaptionRect = {5, 6, 7, 8};
    ButtonState state = buttonOf(100, 40, 3);
    state.Caption = "OO";
    // No picture: the picture's rectangle stays.
    EXPECT_EQ(layoutOf(state, before).g_PictureRect, before.g_PictureRect);
    // A picture without caption: the caption's rectangle stays.
    state.Picture = OlePicture::empty();
    state.Caption.clear();
    ButtonDrawState draw = layoutOf(state, before);
    EXPECT_EQ(draw.g_CaptionRect, before.g_CaptionRect);
    EXPECT_EQ(draw.g_PictureRect, (WinRect{34, 4, 66, 36}));
    // A position outside 0..3: only the caption is placed.
    state.Caption = "OO";
    state.PicturePosition = 7;
    draw = layoutOf(state, before);
    EXPECT_EQ(draw.g_PictureRect, before.g_PictureRect);
    EXPECT_EQ(draw.g_CaptionRect, (WinRect{35, 13, 65, 26}));
}

TEST(Layout, ScaleSizesAreRoundedHalvesToEven) {
    ButtonState state = buttonOf(73, 25, 3);
    state.ScaleWidth = 72.5;
    state.ScaleHeight = 25.5;
    const ButtonDrawState draw = layoutOf(state);
    EXPECT_EQ(draw.g_ClientRect, (WinRect{0, 0, 71, 25}));
}

#include "gdishapes.h"
#include "tst_drawhelpers.h"

#include <gtest/gtest.h>

namespace {
const std::map<char, ColorValue> kLegend = {
    {'.', rgb(255, 255, 255)}, {'#', rgb(255, 0, 0)}, {'o', rgb(0, 0, 255)}, {'x', rgb(0, 0, 0)}};
}

TEST(DrawShapes, FillRectFillsRightAndBottomExclusiveAndClips) {
    QImage image = makeSurface(6, 4);
    DeviceContext dc(image);
    FillRect(dc, {1, 1, 3, 3}, CreateSolidBrush(rgb(255, 0, 0)));
    FillRect(dc, {4, -5, 9, 2}, CreateSolidBrush(rgb(0, 0, 255)));
    FillRect(dc, {3, 3, 2, 4}, CreateSolidBrush(rgb(0, 0, 0))); // inverted: nothing
    expectPicture(image, {"....oo", ".##.oo", ".##...", "......"}, kLegend);
}

TEST(DrawShapes, FrameRectIsAnInsideOutlineClippedAtTheEdge) {
    QImage image = makeSurface(7, 5);
    DeviceContext dc(image);
    FrameRect(dc, {1, 1, 5, 4}, CreateSolidBrush(rgb(255, 0, 0)));
    expectPicture(image, {".......", ".####..", ".#..#..", ".####..", "......."}, kLegend);

    // One pixel too large: right and bottom lines fall outside.
    QImage clipped = makeSurface(4, 3);
    DeviceContext dc2(clipped);
    FrameRect(dc2, {0, 0, 5, 4}, CreateSolidBrush(rgb(0, 0, 255)));
    expectPicture(clipped, {"oooo", "o...", "o..."}, kLegend);

    // One-pixel-wide and one-pixel-high rectangles are a single line.
    QImage thin = makeSurface(4, 3);
    DeviceContext dc3(thin);
    FrameRect(dc3, {1, 0, 2, 3}, CreateSolidBrush(rgb(0, 0, 0)));
    FrameRect(dc3, {2, 1, 4, 2}, CreateSolidBrush(rgb(255, 0, 0)));
    expectPicture(thin, {".x..", ".x##", ".x.."}, kLegend);
}

TEST(DrawShapes, LineToLeavesTheEndPointUnpainted) {
    QImage image = makeSurface(6, 5);
    DeviceContext dc(image);
    SelectObject(dc, CreatePen(rgb(255, 0, 0)));
    MoveToEx(dc, 1, 0, nullptr);
    LineTo(dc, 5, 0);
    EXPECT_EQ(dc.position, QPoint(5, 0));
    SelectObject(dc, CreatePen(rgb(0, 0, 255)));
    MoveToEx(dc, 0, 4, nullptr);
    LineTo(dc, 0, 1); // upward: (0, 1) stays
    SelectObject(dc, CreatePen(rgb(0, 0, 0)));
    MoveToEx(dc, 5, 2, nullptr);
    LineTo(dc, 2, 2); // leftward: (2, 2) stays
    expectPicture(image, {".####.", "......", "o..xxx", "o.....", "o....."}, kLegend);
}

TEST(DrawShapes, DiagonalLinesFollowBresenham) {
    QImage image = makeSurface(7, 4);
    DeviceContext dc(image);
    SelectObject(dc, CreatePen(rgb(0, 0, 0)));
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, 6, 3);
    expectPicture(image, {"xx.....", "..xx...", "....xx.", "......."}, kLegend);
}

TEST(DrawShapes, LinesReachingFarOutsideAreClipped) {
    QImage image = makeSurface(3, 2);
    DeviceContext dc(image);
    SelectObject(dc, CreatePen(rgb(255, 0, 0)));
    MoveToEx(dc, -100000, 1, nullptr);
    LineTo(dc, 100000, 1);
    expectPicture(image, {"...", "###"}, kLegend);
}

TEST(DrawShapes, SetPixelVPaintsInsideOnly) {
    QImage image = makeSurface(2, 2);
    DeviceContext dc(image);
    EXPECT_TRUE(SetPixelV(dc, 1, 0, rgb(255, 0, 0)));
    EXPECT_FALSE(SetPixelV(dc, 2, 0, rgb(255, 0, 0)));
    EXPECT_FALSE(SetPixelV(dc, -1, 1, rgb(255, 0, 0)));
    expectPicture(image, {".#", ".."}, kLegend);
}

TEST(DrawShapes, FocusRectInvertsEveryOtherOutlinePixelAndUndoesItself) {
    QImage image = makeSurface(7, 5);
    DeviceContext dc(image);
    DrawFocusRect(dc, {1, 1, 6, 5});
    // x + y even is inverted: white turns black.
    expectPicture(image, {".......", ".x.x.x.", ".......", ".x...x.", "..x.x.."}, kLegend);
    DrawFocusRect(dc, {1, 1, 6, 5});
    expectPicture(image, {".......", ".......", ".......", ".......", "......."}, kLegend);

    QImage coloured = makeSurface(3, 1, rgb(255, 0, 0));
    DeviceContext dc2(coloured);
    DrawFocusRect(dc2, {0, 0, 3, 1});
    EXPECT_EQ(pixelAt(coloured, 0, 0), rgb(0, 255, 255));
    EXPECT_EQ(pixelAt(coloured, 1, 0), rgb(255, 0, 0));
}

#include "platform/controls/picturebox.h"
#include "tests/support/testpictures.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureBox, PointPastTheLastPixelIsMinusOne) {
    PictureBox box;
    box.place(QRect(0, 0, 40, 30));
    EXPECT_EQ(box.ScaleWidth(), 40);
    EXPECT_EQ(box.ScaleHeight(), 30);
    EXPECT_EQ(box.Point(39, 29), 0x00FFFFFF);
    EXPECT_EQ(box.Point(40, 0), -1);
    EXPECT_EQ(box.Point(0, 30), -1);
    EXPECT_EQ(box.Point(-0.5, 0), -1);
    EXPECT_EQ(box.Point(39.99, 29.99), 0x00FFFFFF);
}

TEST(PictureBox, HiddenLoaderTakesThePicturesSizeAndColours) {
    QWidget window;
    PictureBox loader(&window);
    loader.place(QRect(392, 128, 89, 73));
    loader.setAutoSize(true);
    loader.hide();
    EXPECT_EQ(loader.PictureHandle(), 0u);
    loader.setPicture(coordinatePicture(300, 200));
    EXPECT_NE(loader.PictureHandle(), 0u);
    EXPECT_EQ(loader.ScaleWidth(), 300);
    EXPECT_EQ(loader.ScaleHeight(), 200);
    EXPECT_EQ(loader.pos(), QPoint(392, 128));
    EXPECT_EQ(loader.Point(299, 199), colourValue(qRgb(299 % 256, 199, 16)));
    loader.setPicture(QImage());
    EXPECT_EQ(loader.PictureHandle(), 0u);
}

TEST(PictureBox, FractionsTruncateForReadingAndWriting) {
    PictureBox box;
    box.place(QRect(0, 0, 10, 10));
    box.PSet(2.9, 3.5, 0x00112233);
    EXPECT_EQ(box.Point(2, 3), 0x00112233);
    EXPECT_EQ(box.Point(2.99, 3.01), 0x00112233);
    EXPECT_EQ(box.Point(3, 3), 0x00FFFFFF);
    EXPECT_EQ(box.Point(2, 4), 0x00FFFFFF);
}

TEST(PictureBox, WritesOutsideTheAreaAreDropped) {
    PictureBox box;
    box.place(QRect(0, 0, 10, 10));
    const QImage before = box.Image();
    box.PSet(10, 0, 0);
    box.PSet(-1, 5, 0);
    box.PSet(3, 10, 0);
    EXPECT_EQ(box.Image(), before);
}

TEST(PictureBox, ClsShowsBackgroundAndPictureOnly) {
    PictureBox box;
    box.place(QRect(0, 0, 10, 10));
    box.setBackColor(0x80000005); // window background: white
    box.setPicture(patternPicture(4, 4, [](int, int) { return qRgb(1, 2, 3); }));
    box.PSet(1, 1, 0x000000FF);
    box.PSet(8, 8, 0x000000FF);
    box.Cls();
    EXPECT_EQ(box.Point(1, 1), 0x00030201);
    EXPECT_EQ(box.Point(8, 8), 0x00FFFFFF);
}

TEST(PictureBox, DrawingBecomesThePicture) {
    PictureBox box;
    box.place(QRect(0, 0, 10, 10));
    box.PSet(5, 5, 0x00010203);
    box.setPictureFromImage();
    box.PSet(5, 5, 0x00FFFFFF);
    box.Cls();
    EXPECT_EQ(box.Point(5, 5), 0x00010203);
    EXPECT_EQ(box.Picture().size(), QSize(10, 10));
}

TEST(PictureBox, PaintPictureDrawsAtItsOwnSize) {
    PictureBox box;
    box.place(QRect(0, 0, 10, 10));
    box.PaintPicture(coordinatePicture(4, 3), 2, 1);
    EXPECT_EQ(box.Point(2, 1), colourValue(qRgb(0, 0, 0)));
    EXPECT_EQ(box.Point(5, 3), colourValue(qRgb(3, 2, 0)));
    EXPECT_EQ(box.Point(6, 3), 0x00FFFFFF);
    EXPECT_EQ(box.Point(5, 4), 0x00FFFFFF);
}

TEST(PictureBox, ResizingKeepsWhatStillFits) {
    PictureBox box;
    box.place(QRect(0, 0, 10, 10));
    box.setBackColor(0x00000000);
    box.PSet(2, 2, 0x00010203);
    box.setBoxHeight(30);
    box.setBoxWidth(40);
    EXPECT_EQ(box.ScaleWidth(), 40);
    EXPECT_EQ(box.ScaleHeight(), 30);
    EXPECT_EQ(box.Point(2, 2), 0x00010203);
    EXPECT_EQ(box.Point(39, 29), 0);
}

} // namespace

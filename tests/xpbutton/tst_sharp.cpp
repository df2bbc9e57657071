// The button drawn for screens with more device pixels to a pixel: the
// designed face repeated by whole pixels, picture and caption at the device's
// own pixels, and the choice of a picture's sharpest drawing.
#include "sharperimages.h"
#include "tst_drawhelpers.h"

#include <gtest/gtest.h>

namespace {

QImage withRatio(QImage image, qreal ratio) {
    image.setDevicePixelRatio(ratio);
    return image;
}

TEST(SharperImages, TheSmallestDrawingLargeEnoughElseTheLargest) {
    const QImage base = makeSurface(2, 2);
    const QList<QImage> both = {withRatio(makeSurface(3, 3), 1.5), withRatio(makeSurface(4, 4), 2)};
    const QList<QImage> twice = {withRatio(makeSurface(4, 4), 2)};
    const struct {
        qreal screen;
        const QList<QImage>& sharper;
        int width;
    } rows[] = {{1, both, 2}, {1.25, both, 3}, {1.5, both, 3},  {1.75, both, 4},
                {2, both, 4}, {3, both, 4},    {1.5, twice, 4}, {2, {}, 2}};
    for (const auto& row : rows)
        EXPECT_EQ(imageForRatio(base, row.sharper, row.screen).width(), row.width) << row.screen;
}

TEST(FaceAtRatio, WholeRatiosRepeatEveryPixelOthersScaleFromTheNextWhole) {
    const QImage face = imageFrom({"x.#", "o.."});
    expectPicture(faceAtRatio(face, 1), {"x.#", "o.."});
    expectPicture(faceAtRatio(face, 2), {"xx..##", "xx..##", "oo....", "oo...."});
    const QImage three = faceAtRatio(face, 3);
    EXPECT_EQ(three.size(), QSize(9, 6));
    EXPECT_EQ(pixelAt(three, 8, 5), kWhite);
    EXPECT_EQ(pixelAt(three, 6, 2), kRed);
    EXPECT_EQ(faceAtRatio(face, 1.5).size(), QSize(5, 3));
}

// Two one-pixel lines, one on an even and one on an odd column: at 1.5 each
// carries the same ink, where repeating pixels would make one of them two
// device pixels wide and the other one.
TEST(FaceAtRatio, AtOneAndAHalfEveryLineCarriesTheSameInk) {
    const QImage face = imageFrom({"....x.x...", "....x.x..."});
    const QImage device = faceAtRatio(face, 1.5);
    ASSERT_EQ(device.size(), QSize(15, 3));
    const auto ink = [&device](int from, int to) {
        int sum = 0;
        for (int x = from; x < to; ++x)
            sum += 255 - qRed(device.pixel(x, 1));
        return sum;
    };
    EXPECT_NEAR(ink(5, 8), 382, 40);
    EXPECT_NEAR(ink(8, 11), 382, 40);
}

// The row editor's "Ok" at 2x: the face is the 1x face repeated, the caption
// is drawn with the font at twice the size.
TEST(PaintAtRatio, CaptionAtTheDevicesPixelsOverTheRepeatedFace) {
    ButtonState state = buttonOf(73, 25, 3, rgb(212, 208, 200));
    state.Caption = QStringLiteral("Ok");
    ButtonDrawState draw;
    draw.FaceColor = state.BackColor;
    const QImage device = paintButtonAtRatio(QSize(73, 25), state, draw, 2);
    ASSERT_EQ(device.size(), QSize(146, 50));
    EXPECT_EQ(device.devicePixelRatio(), 2);
    EXPECT_EQ(draw.g_CaptionRect, (WinRect{23, 6, 50, 19}));
    // Outline in the 3-D dark shadow; gradient row 10, ten steps darker.
    expectPixels(device, {{10, 0, rgb(64, 64, 64)},
                          {11, 1, rgb(64, 64, 64)},
                          {40, 20, rgb(245, 245, 237)},
                          {41, 21, rgb(245, 245, 237)}});
    QRect ink;
    bool halfBlock = false;
    for (int y = 0; y < device.height(); ++y)
        for (int x = 0; x < device.width(); ++x)
            if (pixelAt(device, x, y) == kBlack) {
                ink |= QRect(x, y, 1, 1);
                halfBlock |= pixelAt(device, x ^ 1, y) != kBlack;
            }
    EXPECT_EQ(ink, QRect(59, 15, 29, 17));
    // At 1x the same caption's ink covers half as many pixels each way.
    QImage once(73, 25, QImage::Format_RGB32);
    ButtonDrawState again;
    again.FaceColor = state.BackColor;
    paintButton(once, state, again);
    QRect small;
    for (int y = 0; y < once.height(); ++y)
        for (int x = 0; x < once.width(); ++x)
            if (pixelAt(once, x, y) == kBlack)
                small |= QRect(x, y, 1, 1);
    EXPECT_EQ(small, QRect(30, 7, 14, 9));
    // Repeated 1x glyphs would fill whole 2 x 2 blocks.
    EXPECT_TRUE(halfBlock);
}

// A picture with a 2x drawing lands at twice its place, drawn from that
// drawing pixel for pixel; its mask colour still shows the face.
TEST(PaintAtRatio, PictureFromItsSharperDrawing) {
    ButtonState state = buttonOf(12, 12, 4, kWhite);
    state.Picture = OlePicture::bitmap(imageFrom({"#o", "ox"}));
    state.Picture->setSharper({withRatio(imageFrom({"##oo", "#goo", "oogx", "ooxx"}), 2)});
    state.PictureWidth = state.PictureHeight = 2;
    state.OriginalPicSizeW = state.OriginalPicSizeH = 2;
    state.PicturePosition = 1;
    ButtonDrawState draw;
    draw.FaceColor = kWhite;
    const QImage device = paintButtonAtRatio(QSize(12, 12), state, draw, 2);
    EXPECT_EQ(draw.g_PictureRect, (WinRect{5, 5, 7, 7}));
    expectPicture(device.copy(8, 8, 8, 8), {"........", "........", "..##oo..", "..#goo..",
                                            "..oog...", "..oo....", "........", "........"});
}

} // namespace

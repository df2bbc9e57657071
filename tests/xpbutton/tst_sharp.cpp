// The face for screens with more device pixels: whole ratios repeat the
// designed pixels; at 1.5 it is drawn at 2 and scaled down smoothly.
#include "tst_drawhelpers.h"

namespace {

// Two one-pixel lines, on an even and an odd column: at 1.5 both carry the
// same ink, where repeating pixels would make one two device pixels wide.
TEST(FaceAtRatio, WholeRatiosRepeatPixelsAtOneAndAHalfNoLineIsWider) {
    expectPicture(faceAtRatio(imageFrom({"x#"}), 2), {"xx##", "xx##"});
    const QImage device = faceAtRatio(imageFrom({"....x.x...", "....x.x..."}), 1.5);
    ASSERT_EQ(device.size(), QSize(15, 3));
    int left = 0;
    int right = 0;
    for (int x = 5; x < 11; ++x)
        (x < 8 ? left : right) += 255 - qRed(device.pixel(x, 1));
    EXPECT_NEAR(left, 382, 40);
    EXPECT_NEAR(right, 382, 40);
}

} // namespace

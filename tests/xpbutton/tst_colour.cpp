#include "colorarithmetic.h"
#include "tst_drawhelpers.h"

#include <gtest/gtest.h>

TEST(Colour, TranslateColorResolvesSystemColoursFromTheClassicPalette) {
    EXPECT_EQ(TranslateColor(0x00123456), 0x00123456u);
    EXPECT_EQ(TranslateColor(0x00FFFFFF), 0x00FFFFFFu);
    EXPECT_EQ(TranslateColor(0x8000000D), rgb(10, 36, 106));
    EXPECT_EQ(TranslateColor(0x8000000F), rgb(212, 208, 200));
    EXPECT_EQ(TranslateColor(0x80000010), rgb(128, 128, 128));
    EXPECT_EQ(TranslateColor(0x80000012), rgb(0, 0, 0));
    EXPECT_EQ(TranslateColor(0x80000014), rgb(255, 255, 255));
    EXPECT_EQ(TranslateColor(0x80000015), rgb(64, 64, 64));
    EXPECT_EQ(TranslateColor(0x80000016), rgb(212, 208, 200));
    EXPECT_EQ(TranslateColor(0x80000004), rgb(212, 208, 200)); // menu
    EXPECT_EQ(TranslateColor(0x80000009), rgb(255, 255, 255)); // caption text
    // Not a plain value, so the low bytes are taken as an index: none there.
    EXPECT_EQ(TranslateColor(0x800000FF), 0u);
    EXPECT_EQ(TranslateColor(0x01000005), rgb(255, 255, 255));
}

TEST(Colour, SplitAndCompose) {
    const ColorParts parts = SplitColor(rgb(10, 36, 106));
    EXPECT_EQ(parts.red, 10);
    EXPECT_EQ(parts.green, 36);
    EXPECT_EQ(parts.blue, 106);
    EXPECT_EQ(RGB(181, 190, 214), rgb(181, 190, 214));
    EXPECT_EQ(RGB(300, 256, 1000), rgb(255, 255, 255));
    EXPECT_EQ(RGB(-5, 7, -1), rgb(0, 7, 0));
}

TEST(Colour, ShiftColorMovesBlueInProportion) {
    EXPECT_EQ(ShiftColor(rgb(200, 200, 200), 48), rgb(248, 248, 250));
    EXPECT_EQ(ShiftColor(rgb(100, 100, 100), -33), rgb(67, 67, 83));
    EXPECT_EQ(ShiftColor(rgb(212, 208, 200), 48), rgb(255, 255, 250));
    EXPECT_EQ(ShiftColor(rgb(255, 255, 250), -1), rgb(254, 254, 249));
    // Truncation toward zero: -250/192 is -1, 250*-24/192 is -31.
    EXPECT_EQ(ShiftColor(rgb(255, 255, 250), -24), rgb(231, 231, 219));
    // Clamping at both ends.
    EXPECT_EQ(ShiftColor(rgb(250, 10, 255), 90), rgb(255, 100, 255));
    EXPECT_EQ(ShiftColor(rgb(20, 30, 100), -40), rgb(0, 0, 80));
    EXPECT_EQ(ShiftColor(rgb(0, 0, 0), 65), rgb(65, 65, 0));
}

TEST(Colour, LightenAddsToAllThreeAlike) {
    EXPECT_EQ(lighten(rgb(212, 208, 200), 8), rgb(220, 216, 208));
    EXPECT_EQ(lighten(rgb(250, 100, 0), 8), rgb(255, 108, 8));
    EXPECT_EQ(lighten(rgb(5, 100, 200), -8), rgb(0, 92, 192));
}

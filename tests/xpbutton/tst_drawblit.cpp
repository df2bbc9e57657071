#include "blit.h"
#include "gdishapes.h"
#include "tst_drawhelpers.h"

#include <gtest/gtest.h>

namespace {
const std::map<char, ColorValue> kLegend = {
    {'.', kWhite}, {'#', kRed}, {'o', kBlue}, {'x', kBlack}, {'g', rgb(0, 255, 0)}};

// A colour bitmap drawn from characters of kLegend, in a memory context.
struct ColourSource {
    ColourSource(QImage& surface, const std::vector<std::string>& rows)
        : dc(CreateCompatibleDC(DeviceContext(surface))),
          bitmap(CreateCompatibleBitmap(DeviceContext(surface), static_cast<int>(rows[0].size()),
                                        static_cast<int>(rows.size()))) {
        SelectObject(dc, bitmap);
        for (int y = 0; y < static_cast<int>(rows.size()); ++y)
            for (int x = 0; x < static_cast<int>(rows[0].size()); ++x)
                SetPixelV(dc, x, y, kLegend.at(rows[y][x]));
    }
    DeviceContext dc;
    Bitmap bitmap;
};

struct MonoSource {
    MonoSource(const DeviceContext& like, const std::vector<std::string>& rows)
        : dc(CreateCompatibleDC(like)), bitmap(CreateBitmap(static_cast<int>(rows[0].size()),
                                                            static_cast<int>(rows.size()), 1, 1)) {
        SelectObject(dc, bitmap);
        for (int y = 0; y < static_cast<int>(rows.size()); ++y)
            for (int x = 0; x < static_cast<int>(rows[0].size()); ++x)
                bitmap.image().setPixel(x, y, rows[y][x] == '1' ? 1 : 0);
    }
    DeviceContext dc;
    Bitmap bitmap;
};
} // namespace

TEST(DrawBlit, MemoryContextsAndCompatibleBitmaps) {
    QImage surface = makeSurface(4, 4);
    DeviceContext window(surface);
    EXPECT_FALSE(window.isMonochrome());
    EXPECT_FALSE(window.isMemory());
    // A window keeps its surface.
    EXPECT_TRUE(SelectObject(window, Bitmap::colour(2, 2)).isNull());
    EXPECT_EQ(window.target(), &surface);

    DeviceContext memory = CreateCompatibleDC(window);
    EXPECT_TRUE(memory.isMonochrome()); // its 1 x 1 starting bitmap
    EXPECT_EQ(memory.bkColor, kWhite);
    EXPECT_EQ(memory.textColor, kBlack);
    // Compatible with a fresh memory context means monochrome.
    EXPECT_TRUE(CreateCompatibleBitmap(memory, 3, 3).isMonochrome());
    const Bitmap colour = CreateCompatibleBitmap(window, 3, 2);
    ASSERT_FALSE(colour.isNull());
    EXPECT_FALSE(colour.isMonochrome());
    EXPECT_EQ(pixelAt(colour.image(), 2, 1), kBlack);
    const Bitmap previous = SelectObject(memory, colour);
    EXPECT_TRUE(previous.isMonochrome());
    EXPECT_EQ(memory.width(), 3);
    EXPECT_FALSE(memory.isMonochrome());
    EXPECT_TRUE(CreateCompatibleBitmap(memory, 3, 3).isMonochrome() == false);
    EXPECT_TRUE(SelectObject(memory, previous) == colour);

    EXPECT_TRUE(CreateBitmap(0, 5, 1, 1).isNull());
    EXPECT_TRUE(CreateBitmap(-3, 5, 1, 32).isNull());
    EXPECT_TRUE(CreateBitmap(40000, 40000, 1, 32).isNull());
    EXPECT_TRUE(SelectObject(memory, Bitmap()).isNull());
    EXPECT_EQ(memory.width(), 1); // unchanged by the failed selection
}

TEST(DrawBlit, SourceCopyClipsAndLeavesPixelsWithoutSource) {
    QImage surface = makeSurface(5, 3);
    ColourSource source(surface, {"#o", "gx"});
    DeviceContext target(surface);
    EXPECT_TRUE(BitBlt(target, 3, 1, 3, 3, source.dc, 0, 0, SRCCOPY));
    // Column 5 lies outside the target; row 3 and column 2 of the source do not exist.
    expectPicture(surface, {".....", "...#o", "...gx"}, kLegend);
    EXPECT_FALSE(BitBlt(target, 0, 0, 0, 2, source.dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(target, 0, 0, 2, 2, source.dc, 0, 0, 0x00EE0086));
}

TEST(DrawBlit, ColourToMonochromeMarksTheSourceBackgroundColour) {
    QImage surface = makeSurface(1, 1);
    ColourSource source(surface, {"#o#.", "x##g"});
    DeviceContext mask = CreateCompatibleDC(source.dc);
    Bitmap bits = CreateBitmap(4, 2, 1, 1);
    SelectObject(mask, bits);
    SetBkColor(source.dc, kRed);
    BitBlt(mask, 0, 0, 4, 2, source.dc, 0, 0, SRCCOPY);
    expectPicture(bits.image(), {"1010", "0110"});
    // The inverse copy.
    BitBlt(mask, 0, 0, 4, 2, source.dc, 0, 0, NOTSRCCOPY);
    expectPicture(bits.image(), {"0101", "1001"});
}

TEST(DrawBlit, MonochromeToColourTakesTheTargetsColours) {
    QImage surface = makeSurface(4, 2);
    DeviceContext target(surface);
    MonoSource source(target, {"1010", "0011"});
    SetBkColor(source.dc, rgb(0, 255, 0)); // the source's colours do not matter
    SetTextColor(target, kBlue);
    SetBkColor(target, kRed);
    BitBlt(target, 0, 0, 4, 2, source.dc, 0, 0, SRCCOPY);
    expectPicture(surface, {"#o#o", "oo##"}, kLegend);
}

TEST(DrawBlit, AndAndXorCombineBitwise) {
    QImage surface = makeSurface(3, 1, rgb(0x0F, 0xF0, 0x3C));
    ColourSource source(surface, {"#.x"});
    DeviceContext target(surface);
    BitBlt(target, 0, 0, 3, 1, source.dc, 0, 0, SRCAND);
    EXPECT_EQ(pixelAt(surface, 0, 0), rgb(0x0F, 0, 0));
    EXPECT_EQ(pixelAt(surface, 1, 0), rgb(0x0F, 0xF0, 0x3C));
    EXPECT_EQ(pixelAt(surface, 2, 0), kBlack);
    BitBlt(target, 0, 0, 3, 1, source.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(pixelAt(surface, 0, 0), rgb(0xF0, 0, 0));
    EXPECT_EQ(pixelAt(surface, 1, 0), rgb(0xF0, 0x0F, 0xC3));
    EXPECT_EQ(pixelAt(surface, 2, 0), kBlack);

    // A monochrome 1 ANDed into a fresh colour context keeps (white), a 0
    // clears (black).
    QImage other = makeSurface(2, 1, rgb(0x12, 0x34, 0x56));
    DeviceContext colour(other);
    MonoSource mask(colour, {"10"});
    BitBlt(colour, 0, 0, 2, 1, mask.dc, 0, 0, SRCAND);
    EXPECT_EQ(pixelAt(other, 0, 0), rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(pixelAt(other, 1, 0), kBlack);
}

TEST(DrawBlit, StretchTakesThePixelUnderEachCentre) {
    QImage surface = makeSurface(6, 4);
    ColourSource source(surface, {"#og", "x.#"});
    DeviceContext target(surface);
    EXPECT_TRUE(StretchBlt(target, 0, 0, 6, 4, source.dc, 0, 0, 3, 2, SRCCOPY));
    expectPicture(surface, {"##oogg", "##oogg", "xx..##", "xx..##"}, kLegend);

    QImage small = makeSurface(2, 1);
    DeviceContext shrink(small);
    ColourSource wide(small, {"#xo.g#"});
    StretchBlt(shrink, 0, 0, 2, 1, wide.dc, 0, 0, 6, 1, SRCCOPY);
    // Centres at 1.5 and 4.5 of six.
    expectPicture(small, {"xg"}, kLegend);
    EXPECT_FALSE(StretchBlt(shrink, 0, 0, 2, 1, wide.dc, 0, 0, 0, 1, SRCCOPY));
    EXPECT_EQ(nearestSourceIndex(0, 3, 2), 0);
    EXPECT_EQ(nearestSourceIndex(1, 3, 2), 1);
    EXPECT_EQ(nearestSourceIndex(2, 3, 2), 1);
}

TEST(DrawBlit, CopyWithinOneBitmapReadsBeforeWriting) {
    QImage surface = makeSurface(4, 1);
    DeviceContext dc(surface);
    SetPixelV(dc, 0, 0, kRed);
    SetPixelV(dc, 1, 0, kBlue);
    BitBlt(dc, 1, 0, 3, 1, dc, 0, 0, SRCCOPY);
    expectPicture(surface, {"##o."}, kLegend);
}

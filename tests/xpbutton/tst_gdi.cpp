// The drawing layer under the button: colours, shapes, blits, DrawStateA.
#include "tst_drawhelpers.h"
#include "xpbutton/gdi/blit.h"
#include "xpbutton/gdi/drawstate.h"
#include "xpbutton/gdi/gdishapes.h"

#include <gtest/gtest.h>

#include <functional>

TEST(Colour, SystemColoursShiftsAndClamps) {
    const std::pair<ColorValue, ColorValue> translated[] = {
        {0x00123456, 0x00123456}, {0x00FFFFFF, kWhite},          {0x8000000D, rgb(10, 36, 106)},
        {0x8000000F, kFace},      {0x80000010, kShadow},         {0x80000012, kBlack},
        {0x80000014, kWhite},     {0x80000015, rgb(64, 64, 64)}, {0x80000016, kFace},
        {0x80000004, kFace},  // menu
        {0x80000009, kWhite}, // caption text
        {0x800000FF, 0},      // an index the palette lacks
        {0x01000005, kWhite}, // not plain: the low bytes are an index
    };
    for (const auto& [colour, want] : translated)
        EXPECT_EQ(TranslateColor(colour), want) << std::hex << colour;

    const ColorParts parts = SplitColor(rgb(10, 36, 106));
    EXPECT_EQ(std::tuple(parts.red, parts.green, parts.blue), std::tuple(10, 36, 106));
    EXPECT_EQ(RGB(181, 190, 214), rgb(181, 190, 214));
    EXPECT_EQ(RGB(300, 256, 1000), kWhite);
    EXPECT_EQ(RGB(-5, 7, -1), rgb(0, 7, 0));

    // Blue moves in proportion to itself, truncated toward zero; all clamp.
    const struct {
        ColorValue from;
        int amount;
        ColorValue shifted;
        ColorValue lightened;
    } shifts[] = {
        {rgb(200, 200, 200), 48, rgb(248, 248, 250), rgb(248, 248, 248)},
        {rgb(100, 100, 100), -33, rgb(67, 67, 83), rgb(67, 67, 67)},
        {kFace, 48, rgb(255, 255, 250), rgb(255, 255, 248)},
        {kFace, 8, rgb(220, 216, 208), rgb(220, 216, 208)},
        {rgb(255, 255, 250), -1, rgb(254, 254, 249), rgb(254, 254, 249)},
        {rgb(255, 255, 250), -24, rgb(231, 231, 219), rgb(231, 231, 226)},
        {rgb(250, 10, 255), 90, rgb(255, 100, 255), rgb(255, 100, 255)},
        {rgb(20, 30, 100), -40, rgb(0, 0, 80), rgb(0, 0, 60)},
        {rgb(0, 0, 0), 65, rgb(65, 65, 0), rgb(65, 65, 65)},
        {rgb(250, 100, 0), 8, rgb(255, 108, 0), rgb(255, 108, 8)},
        {rgb(5, 100, 200), -8, rgb(0, 92, 192), rgb(0, 92, 192)},
    };
    for (const auto& s : shifts) {
        EXPECT_EQ(ShiftColor(s.from, s.amount), s.shifted) << std::hex << s.from << " " << s.amount;
        EXPECT_EQ(lighten(s.from, s.amount), s.lightened) << std::hex << s.from << " " << s.amount;
    }
}

TEST(Shapes, EachPaintsExactlyItsPixels) {
    const Brush red = CreateSolidBrush(kRed), blue = CreateSolidBrush(kBlue),
                black = CreateSolidBrush(kBlack);
    const auto line = [](DeviceContext& dc, ColorValue colour, QPoint from, QPoint to) {
        SelectObject(dc, CreatePen(colour));
        MoveToEx(dc, from.x(), from.y(), nullptr);
        LineTo(dc, to.x(), to.y());
        EXPECT_EQ(dc.position, to);
    };
    const struct {
        const char* what;
        std::function<void(DeviceContext&)> draw;
        std::vector<std::string> want;
    } cases[] = {
        {"fills: right and bottom exclusive, clipped, inverted draws nothing",
         [&](DeviceContext& dc) {
             FillRect(dc, {1, 1, 3, 3}, red);
             FillRect(dc, {4, -5, 9, 2}, blue);
             FillRect(dc, {3, 3, 2, 4}, black);
         },
         {"....oo", ".##.oo", ".##...", "......"}},
        {"frame along the inside",
         [&](DeviceContext& dc) {
             FrameRect(dc, {1, 1, 5, 4}, red);
         },
         {".......", ".####..", ".#..#..", ".####..", "......."}},
        {"frame one pixel too large",
         [&](DeviceContext& dc) {
             FrameRect(dc, {0, 0, 5, 4}, blue);
         },
         {"oooo", "o...", "o..."}},
        {"one-pixel frames are lines",
         [&](DeviceContext& dc) {
             FrameRect(dc, {1, 0, 2, 3}, black);
             FrameRect(dc, {2, 1, 4, 2}, red);
         },
         {".x..", ".x##", ".x.."}},
        {"lines leave their end point",
         [&](DeviceContext& dc) {
             line(dc, kRed, {1, 0}, {5, 0});
             line(dc, kBlue, {0, 4}, {0, 1});
             line(dc, kBlack, {5, 2}, {2, 2});
         },
         {".####.", "......", "o..xxx", "o.....", "o....."}},
        {"diagonal",
         [&](DeviceContext& dc) {
             line(dc, kBlack, {0, 0}, {6, 3});
         },
         {"xx.....", "..xx...", "....xx.", "......."}},
        {"far outside",
         [&](DeviceContext& dc) {
             line(dc, kRed, {-100000, 1}, {100000, 1});
         },
         {"...", "###"}},
        {"pixels inside only",
         [&](DeviceContext& dc) {
             EXPECT_TRUE(SetPixelV(dc, 1, 0, kRed));
             EXPECT_FALSE(SetPixelV(dc, 2, 0, kRed));
             EXPECT_FALSE(SetPixelV(dc, -1, 1, kRed));
         },
         {".#", ".."}},
        {"focus outline: x + y even inverted",
         [&](DeviceContext& dc) {
             DrawFocusRect(dc, {1, 1, 6, 5});
         },
         {".......", ".x.x.x.", ".......", ".x...x.", "..x.x.."}},
        {"focus outline twice undoes itself",
         [&](DeviceContext& dc) {
             DrawFocusRect(dc, {1, 1, 6, 5});
             DrawFocusRect(dc, {1, 1, 6, 5});
         },
         {".......", ".......", ".......", ".......", "......."}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QImage image = makeSurface(int(c.want[0].size()), int(c.want.size()));
        DeviceContext dc(image);
        c.draw(dc);
        expectPicture(image, c.want);
    }
    QImage red3 = makeSurface(3, 1, kRed);
    DeviceContext dc(red3);
    DrawFocusRect(dc, {0, 0, 3, 1});
    expectPixels(red3, {{0, 0, rgb(0, 255, 255)}, {1, 0, kRed}});
}

namespace {
struct Source {
    DeviceContext dc;
    Bitmap bitmap;
};

// A bitmap drawn in kInks ('0' and '1' when monochrome) in a memory context
// made compatible with `like`.
Source sourceOf(const DeviceContext& like, const std::vector<std::string>& rows,
                bool mono = false) {
    const int w = int(rows[0].size()), h = int(rows.size());
    Source s{CreateCompatibleDC(like),
             mono ? CreateBitmap(w, h, 1, 1) : CreateCompatibleBitmap(like, w, h)};
    SelectObject(s.dc, s.bitmap);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mono)
                s.bitmap.image().setPixel(x, y, rows[y][x] == '1' ? 1 : 0);
            else
                SetPixelV(s.dc, x, y, kInks.at(rows[y][x]));
    return s;
}
} // namespace

TEST(Blit, MemoryContextsAndCompatibleBitmaps) {
    QImage surface = makeSurface(4, 4);
    DeviceContext window(surface);
    EXPECT_FALSE(window.isMonochrome() || window.isMemory());
    EXPECT_TRUE(SelectObject(window, Bitmap::colour(2, 2)).isNull()); // a window keeps its surface
    EXPECT_EQ(window.target(), &surface);

    DeviceContext memory = CreateCompatibleDC(window);
    EXPECT_TRUE(memory.isMonochrome()); // its 1 x 1 starting bitmap
    EXPECT_EQ(memory.bkColor, kWhite);
    EXPECT_EQ(memory.textColor, kBlack);
    EXPECT_TRUE(CreateCompatibleBitmap(memory, 3, 3).isMonochrome());
    const Bitmap colour = CreateCompatibleBitmap(window, 3, 2);
    ASSERT_FALSE(colour.isNull() || colour.isMonochrome());
    EXPECT_EQ(pixelAt(colour.image(), 2, 1), kBlack);
    const Bitmap previous = SelectObject(memory, colour);
    EXPECT_TRUE(previous.isMonochrome());
    EXPECT_EQ(memory.width(), 3);
    EXPECT_FALSE(memory.isMonochrome() || CreateCompatibleBitmap(memory, 3, 3).isMonochrome());
    EXPECT_TRUE(SelectObject(memory, previous) == colour);

    EXPECT_TRUE(CreateBitmap(0, 5, 1, 1).isNull());
    EXPECT_TRUE(CreateBitmap(-3, 5, 1, 32).isNull());
    EXPECT_TRUE(CreateBitmap(40000, 40000, 1, 32).isNull());
    EXPECT_TRUE(SelectObject(memory, Bitmap()).isNull());
    EXPECT_EQ(memory.width(), 1); // unchanged by the failed selection
}

TEST(Blit, CopiesClipAndConvertBetweenFormats) {
    QImage surface = makeSurface(5, 3);
    DeviceContext target(surface);
    Source source = sourceOf(target, {"#o", "gx"});
    // Column 5 lies outside the target; row 3 and column 2 of the source do not exist.
    EXPECT_TRUE(BitBlt(target, 3, 1, 3, 3, source.dc, 0, 0, SRCCOPY));
    expectPicture(surface, {".....", "...#o", "...gx"});
    EXPECT_FALSE(BitBlt(target, 0, 0, 0, 2, source.dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(target, 0, 0, 2, 2, source.dc, 0, 0, 0x00EE0086));

    // Within one bitmap the block is read before it is written.
    QImage row = makeSurface(4, 1);
    DeviceContext self(row);
    SetPixelV(self, 0, 0, kRed);
    SetPixelV(self, 1, 0, kBlue);
    BitBlt(self, 1, 0, 3, 1, self, 0, 0, SRCCOPY);
    expectPicture(row, {"##o."});

    // Colour to monochrome: 1 where the source's background colour is.
    Source colour = sourceOf(target, {"#o#.", "x##g"});
    DeviceContext mask = CreateCompatibleDC(colour.dc);
    Bitmap bits = CreateBitmap(4, 2, 1, 1);
    SelectObject(mask, bits);
    SetBkColor(colour.dc, kRed);
    BitBlt(mask, 0, 0, 4, 2, colour.dc, 0, 0, SRCCOPY);
    expectPicture(bits.image(), {"1010", "0110"});
    BitBlt(mask, 0, 0, 4, 2, colour.dc, 0, 0, NOTSRCCOPY);
    expectPicture(bits.image(), {"0101", "1001"});

    // Monochrome to colour: the target's colours, whatever the source's.
    QImage painted = makeSurface(4, 2);
    DeviceContext into(painted);
    Source mono = sourceOf(into, {"1010", "0011"}, true);
    SetBkColor(mono.dc, kGreen);
    SetTextColor(into, kBlue);
    SetBkColor(into, kRed);
    BitBlt(into, 0, 0, 4, 2, mono.dc, 0, 0, SRCCOPY);
    expectPicture(painted, {"#o#o", "oo##"});
}

TEST(Blit, AndAndXorCombineBitwise) {
    QImage surface = makeSurface(3, 1, rgb(0x0F, 0xF0, 0x3C));
    DeviceContext target(surface);
    Source source = sourceOf(target, {"#.x"});
    BitBlt(target, 0, 0, 3, 1, source.dc, 0, 0, SRCAND);
    expectPixels(surface, {{0, 0, rgb(0x0F, 0, 0)}, {1, 0, rgb(0x0F, 0xF0, 0x3C)}, {2, 0, kBlack}});
    BitBlt(target, 0, 0, 3, 1, source.dc, 0, 0, SRCINVERT);
    expectPixels(surface, {{0, 0, rgb(0xF0, 0, 0)}, {1, 0, rgb(0xF0, 0x0F, 0xC3)}, {2, 0, kBlack}});

    // A monochrome 1 ANDed into a fresh colour context keeps (white), a 0 clears.
    QImage other = makeSurface(2, 1, rgb(0x12, 0x34, 0x56));
    DeviceContext colour(other);
    Source mask = sourceOf(colour, {"10"}, true);
    BitBlt(colour, 0, 0, 2, 1, mask.dc, 0, 0, SRCAND);
    expectPixels(other, {{0, 0, rgb(0x12, 0x34, 0x56)}, {1, 0, kBlack}});
}

TEST(Blit, StretchTakesThePixelUnderEachCentre) {
    QImage surface = makeSurface(6, 4);
    DeviceContext target(surface);
    Source source = sourceOf(target, {"#og", "x.#"});
    EXPECT_TRUE(StretchBlt(target, 0, 0, 6, 4, source.dc, 0, 0, 3, 2, SRCCOPY));
    expectPicture(surface, {"##oogg", "##oogg", "xx..##", "xx..##"});

    QImage small = makeSurface(2, 1);
    DeviceContext shrink(small);
    Source wide = sourceOf(shrink, {"#xo.g#"});
    StretchBlt(shrink, 0, 0, 2, 1, wide.dc, 0, 0, 6, 1, SRCCOPY);
    expectPicture(small, {"xg"}); // centres at 1.5 and 4.5 of six
    EXPECT_FALSE(StretchBlt(shrink, 0, 0, 2, 1, wide.dc, 0, 0, 0, 1, SRCCOPY));
    EXPECT_EQ(nearestSourceIndex(0, 3, 2), 0);
    EXPECT_EQ(nearestSourceIndex(1, 3, 2), 1);
    EXPECT_EQ(nearestSourceIndex(2, 3, 2), 1);
}

TEST(DrawState, EachTypeAndStateOnItsPaper) {
    constexpr ColorValue kPaper = rgb(0, 128, 0);
    const std::map<char, ColorValue> legend = {{'#', kRed},    {'o', kBlue},          {'.', kWhite},
                                               {'x', kBlack},  {'g', kGrey},          {'-', kPaper},
                                               {'s', kShadow}, {'h', rgb(0, 64, 128)}};
    const auto bitmap = [&](const std::vector<std::string>& rows) {
        return imageFrom(rows, legend);
    };
    const auto icon = [&](const std::vector<std::string>& rows) {
        return imageFrom(rows, legend, true);
    };
    QImage halfBlue = icon({"# o"});
    halfBlue.setPixel(2, 0, qRgba(0, 0, 255, 128));
    const struct {
        const char* what;
        ColorValue paper;
        QImage image;
        int x, y, cx, cy;
        unsigned flags;
        bool brush;
        bool drawn;
        std::vector<std::string> want;
    } cases[] = {
        {"bitmap in its own size",
         kPaper,
         bitmap({"#o", ".x"}),
         1,
         1,
         0,
         0,
         DST_BITMAP,
         false,
         true,
         {"-----", "-#o--", "-.x--"}},
        {"bitmap cut off",
         kPaper,
         bitmap({"xx", "xx"}),
         3,
         0,
         1,
         1,
         DST_BITMAP,
         false,
         true,
         {"---x-", "-----"}},
        {"monochrome bitmap: non-white in the brush",
         kPaper,
         bitmap({"#.x.", "..o."}),
         0,
         0,
         0,
         0,
         0x84,
         true,
         true,
         {"g-g-", "--g-"}},
        {"monochrome without a brush",
         kPaper,
         bitmap({"#"}),
         0,
         0,
         0,
         0,
         0x84,
         false,
         false,
         {"--"}},
        {"monochrome icon: opaque non-white",
         kPaper,
         icon({"# .", "ox "}),
         0,
         0,
         0,
         0,
         0x83,
         true,
         true,
         {"g--", "gg-"}},
        // Highlight one right and down, shadow at the place; white and
        // transparent pixels not inked.
        {"disabled icon",
         kBlack,
         icon({"#o ", " .#"}),
         0,
         0,
         0,
         0,
         0x23,
         false,
         true,
         {"ssxx", "x.sx", "xxx."}},
        // Half blue over dark green: (0*128 + 0*127 + 127) / 255 and so on.
        {"icon with its alpha", kPaper, halfBlue, 0, 0, 0, 0, DST_ICON, false, true, {"#-h"}},
        {"unknown type", kPaper, bitmap({"#"}), 0, 0, 0, 0, 0x2, false, false, {"--"}},
        {"unknown state",
         kPaper,
         bitmap({"#"}),
         0,
         0,
         0,
         0,
         DST_BITMAP | 0x10,
         false,
         false,
         {"--"}},
        {"null image", kPaper, QImage(), 0, 0, 0, 0, DST_BITMAP, false, false, {"--"}},
    };
    const Brush grey = CreateSolidBrush(kGrey);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QImage surface = makeSurface(int(c.want[0].size()), int(c.want.size()), c.paper);
        DeviceContext dc(surface);
        EXPECT_EQ(DrawStateA(dc, c.brush ? &grey : nullptr, c.image, c.x, c.y, c.cx, c.cy, c.flags),
                  c.drawn);
        expectPicture(surface, c.want, legend);
    }

    // PaintPicture scales with the icon's transparency; what lies beyond the
    // picture is transparent.
    QImage surface = makeSurface(4, 3, kPaper);
    DeviceContext dc(surface);
    PaintPicture(dc, icon({"# "}), 0, 0, 4, 2, 0, 0, 2, 1);
    PaintPicture(dc, icon({"o"}), 0, 2, 4, 1, 0, 0, 2, 1);
    expectPicture(surface, {"##--", "##--", "oo--"}, legend);
}

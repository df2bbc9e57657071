#include "drawstate.h"
#include "tst_drawhelpers.h"

#include <gtest/gtest.h>

namespace {
constexpr ColorValue kPaper = rgb(0, 128, 0);
const std::map<char, ColorValue> kLegend = {{'#', kRed},   {'o', kBlue}, {'.', kWhite},
                                            {'x', kBlack}, {'g', kGrey}, {'-', kPaper},
                                            {'s', kShadow}};

QImage bitmapFrom(const std::vector<std::string>& rows) {
    return imageFrom(rows, kLegend);
}

QImage iconFrom(const std::vector<std::string>& rows) {
    return imageFrom(rows, kLegend, true);
}
} // namespace

TEST(DrawState, NormalBitmapIsCopiedInItsOwnSize) {
    QImage surface = makeSurface(5, 3, kPaper);
    DeviceContext dc(surface);
    EXPECT_TRUE(DrawStateA(dc, nullptr, bitmapFrom({"#o", ".x"}), 1, 1, 0, 0, DST_BITMAP));
    expectPicture(surface, {"-----", "-#o--", "-.x--"}, kLegend);
    // A smaller cx, cy cuts it off.
    EXPECT_TRUE(DrawStateA(dc, nullptr, bitmapFrom({"xx", "xx"}), 3, 0, 1, 1, DST_BITMAP));
    expectPicture(surface, {"---x-", "-#o--", "-.x--"}, kLegend);
}

TEST(DrawState, MonochromeBitmapPaintsEveryNonWhitePixelWithTheBrush) {
    QImage surface = makeSurface(4, 2, kPaper);
    DeviceContext dc(surface);
    const Brush grey = CreateSolidBrush(kGrey);
    EXPECT_TRUE(DrawStateA(dc, &grey, bitmapFrom({"#.x.", "..o."}), 0, 0, 0, 0, 0x84));
    expectPicture(surface, {"g-g-", "--g-"}, kLegend);
    EXPECT_FALSE(DrawStateA(dc, nullptr, bitmapFrom({"#"}), 0, 0, 0, 0, 0x84));
}

TEST(DrawState, MonochromeIconPaintsItsOpaqueNonWhitePixels) {
    QImage surface = makeSurface(3, 2, kPaper);
    DeviceContext dc(surface);
    const Brush grey = CreateSolidBrush(kGrey);
    EXPECT_TRUE(DrawStateA(dc, &grey, iconFrom({"# .", "ox "}), 0, 0, 0, 0, 0x83));
    expectPicture(surface, {"g--", "gg-"}, kLegend);
}

TEST(DrawState, DisabledIconIsEmbossedInHighlightAndShadow) {
    QImage surface = makeSurface(4, 3, kBlack);
    DeviceContext dc(surface);
    EXPECT_TRUE(DrawStateA(dc, nullptr, iconFrom({"#o ", " .#"}), 0, 0, 0, 0, 0x23));
    // Highlight one pixel right and down, shadow over it at the place itself;
    // white and transparent pixels of the icon are not inked.
    expectPicture(surface, {"ssxx", "x.sx", "xxx."}, kLegend);
}

TEST(DrawState, NormalIconKeepsItsTransparency) {
    QImage surface = makeSurface(3, 1, kPaper);
    DeviceContext dc(surface);
    QImage icon = iconFrom({"# o"});
    icon.setPixel(2, 0, qRgba(0, 0, 255, 128));
    EXPECT_TRUE(DrawStateA(dc, nullptr, icon, 0, 0, 0, 0, DST_ICON));
    EXPECT_EQ(pixelAt(surface, 0, 0), kRed);
    EXPECT_EQ(pixelAt(surface, 1, 0), kPaper);
    // Half blue over dark green: (0*128 + 0*127 + 127) / 255 and so on.
    EXPECT_EQ(pixelAt(surface, 2, 0), rgb(0, 64, 128));
}

TEST(DrawState, UnknownTypesAndStatesDrawNothing) {
    QImage surface = makeSurface(2, 1, kPaper);
    DeviceContext dc(surface);
    EXPECT_FALSE(DrawStateA(dc, nullptr, bitmapFrom({"#"}), 0, 0, 0, 0, 0x2));
    EXPECT_FALSE(DrawStateA(dc, nullptr, bitmapFrom({"#"}), 0, 0, 0, 0, DST_BITMAP | 0x10));
    EXPECT_FALSE(DrawStateA(dc, nullptr, QImage(), 0, 0, 0, 0, DST_BITMAP));
    expectPicture(surface, {"--"}, kLegend);
}

TEST(DrawState, PaintPictureScalesAnIconWithItsTransparency) {
    QImage surface = makeSurface(4, 2, kPaper);
    DeviceContext dc(surface);
    PaintPicture(dc, iconFrom({"# "}), 0, 0, 4, 2, 0, 0, 2, 1);
    expectPicture(surface, {"##--", "##--"}, kLegend);
    // A source block larger than the picture: the missing part is transparent.
    QImage other = makeSurface(4, 1, kPaper);
    DeviceContext dc2(other);
    PaintPicture(dc2, iconFrom({"o"}), 0, 0, 4, 1, 0, 0, 2, 1);
    expectPicture(other, {"oo--"}, kLegend);
}

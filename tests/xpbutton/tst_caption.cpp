#include "buttoncaption.h"
#include "drawtext.h"
#include "tst_drawhelpers.h"

#include <gtest/gtest.h>

#include <set>

// Captions on a flat, borderless button (style 4) so that only text differs
// from the face; the "Ok" box of a 73 x 25 button is (23, 6, 50, 19).

namespace {
constexpr ColorValue kInk = rgb(200, 0, 0);
using Pixels = std::set<std::pair<int, int>>;

ButtonState captioned(const QString& caption, std::int32_t style = 4) {
    ButtonState state = buttonOf(73, 25, style, kFace);
    state.Caption = caption;
    state.ForeColor = kInk;
    return state;
}

Pixels pixelsOf(const QImage& image, ColorValue colour) {
    Pixels pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pixelAt(image, x, y) == colour)
                pixels.insert({x, y});
    return pixels;
}

Pixels moved(const Pixels& pixels, int dx, int dy) {
    Pixels result;
    for (const auto& [x, y] : pixels)
        result.insert({x + dx, y + dy});
    return result;
}

QRect bounds(const Pixels& pixels) {
    QRect rect;
    for (const auto& [x, y] : pixels)
        rect |= QRect(x, y, 1, 1);
    return rect;
}
} // namespace

TEST(Caption, DrawnInTheForeColourInsideItsBox) {
    const QImage image = paintOnce(captioned("Ok"));
    const Pixels ink = pixelsOf(image, kInk);
    EXPECT_GT(ink.size(), 20u);
    EXPECT_EQ(ink.size() + pixelsOf(image, kFace).size(), 73u * 25u);
    // "Ok" is 15 wide at 23 + 6 = 29, its line from 6 to 18.
    const QRect box = bounds(ink);
    EXPECT_GE(box.left(), 29);
    EXPECT_LE(box.right(), 43);
    EXPECT_GE(box.top(), 6);
    EXPECT_LE(box.bottom(), 18);
    // A system colour is resolved: button text is black.
    ButtonState state = captioned("Ok");
    state.ForeColor = 0x80000012;
    EXPECT_EQ(pixelsOf(paintOnce(state), rgb(0, 0, 0)), ink);
}

TEST(Caption, PressedMovesOneRightAndDownExceptInStyleTwo) {
    const Pixels resting = pixelsOf(paintOnce(captioned("Ok")), kInk);
    for (std::int32_t style : {0, 1, 3, 4}) {
        ButtonState state = captioned("Ok", style);
        state.g_Pressed = 1;
        state.ShowFocusRect = false;
        QImage surface = makeSurface(73, 25);
        ButtonDrawState draw;
        draw.FaceColor = state.BackColor;
        paintButton(surface, state, draw);
        EXPECT_EQ(pixelsOf(surface, kInk), moved(resting, 1, 1)) << "style " << style;
        EXPECT_EQ(draw.g_CaptionRect, (WinRect{23, 6, 50, 19})) << "style " << style;
    }
    ButtonState highlight = captioned("Ok", 2);
    highlight.g_Pressed = 1;
    highlight.ForeColor = rgb(0, 0, 0); // also the border colour
    ButtonState resting2 = captioned("Ok", 2);
    resting2.ForeColor = rgb(0, 0, 0);
    const QImage pressedImage = paintOnce(highlight);
    EXPECT_EQ(pixelsOf(pressedImage, rgb(0, 0, 0)), pixelsOf(paintOnce(resting2), rgb(0, 0, 0)));
}

TEST(Caption, DisabledIsEmbossedAndKeepsItsMovedRectangle) {
    const Pixels enabled = pixelsOf(paintOnce(captioned("Ok")), kInk);
    ButtonState state = captioned("Ok");
    state.Enabled = false;
    const QImage image = paintOnce(state);
    const Pixels shadow = pixelsOf(image, rgb(128, 128, 128));
    const Pixels highlight = pixelsOf(image, rgb(255, 255, 255));
    EXPECT_EQ(shadow, enabled);
    Pixels expectedHighlight;
    for (const auto& p : moved(enabled, 1, 1))
        if (!enabled.count(p))
            expectedHighlight.insert(p);
    EXPECT_EQ(highlight, expectedHighlight);
    EXPECT_TRUE(pixelsOf(image, kInk).empty());

    // Pressed and disabled: the offset rectangle is not put back.
    state.g_Pressed = 1;
    QImage surface = makeSurface(73, 25);
    ButtonDrawState draw;
    draw.FaceColor = state.BackColor;
    paintButton(surface, state, draw);
    EXPECT_EQ(draw.g_CaptionRect, (WinRect{24, 7, 51, 20}));
    EXPECT_EQ(draw.g_SavedRect, (WinRect{23, 6, 50, 19}));
}

TEST(Caption, AmpersandUnderlinesTheNextCharacter) {
    const QImage plain = paintOnce(captioned("Ok"));
    const QImage marked = paintOnce(captioned("&Ok"));
    const Pixels plainInk = pixelsOf(plain, kInk);
    const Pixels markedInk = pixelsOf(marked, kInk);
    // The underline under "O" (advance 9) at 29..36, one row below the
    // baseline (6 + 10 + 1); everything else is the same.
    Pixels underline;
    for (int x = 29; x < 37; ++x)
        underline.insert({x, 17});
    Pixels extra;
    for (const auto& p : markedInk)
        if (!plainInk.count(p))
            extra.insert(p);
    EXPECT_EQ(extra, underline);
    EXPECT_EQ(markedInk.size(), plainInk.size() + underline.size());

    // "&&" shows one "&", with no underline.
    const Pixels doubled = pixelsOf(paintOnce(captioned("O&&k")), kInk);
    const Pixels single = pixelsOf(paintOnce(captioned(QStringLiteral("O&k"))), kInk);
    EXPECT_NE(doubled, single);
    QImage image = makeSurface(73, 25, kFace);
    DeviceContext dc(image);
    SelectObject(dc, designFont());
    SetTextColor(dc, kInk);
    WinRect box{0, 0, 73, 13};
    DrawTextExA(dc, "O&k", -1, box, DT_CENTER | DT_NOPREFIX, nullptr);
    EXPECT_EQ(bounds(doubled).width(), bounds(pixelsOf(image, kInk)).width());
}

TEST(Caption, AWordWiderThanTheFaceOverflowsOnBothSides) {
    const Pixels ink = pixelsOf(paintOnce(captioned("OOOOOOOOOO")), kInk);
    const QRect box = bounds(ink);
    EXPECT_LT(box.left(), 4);
    EXPECT_GT(box.right(), 68);
}

TEST(Caption, EmptyCaptionDrawsNothing) {
    ButtonState state = captioned("");
    state.g_HasFocus = 0;
    EXPECT_EQ(paintOnce(state), makeSurface(73, 25, kFace));
}

TEST(Caption, WrapsAtWordsCentredLineByLine) {
    const Pixels ink = pixelsOf(paintOnce(captioned("OOOO OOOO")), kInk);
    // 75 + 12 > 65: two lines of 36 each in a box 48 x 26 at
    // (4 + (65 - 48) div 2, 4 + (17 - 26) div 2) = (12, 0); text from 18.
    const QRect box = bounds(ink);
    EXPECT_GE(box.left(), 18);
    EXPECT_LE(box.right(), 18 + 35);
    bool secondLine = false;
    for (const auto& [x, y] : ink)
        secondLine |= y >= 13;
    EXPECT_TRUE(secondLine);
}

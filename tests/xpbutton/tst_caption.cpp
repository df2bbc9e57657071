// Caption text: measuring and drawing it, and where the caption and the
// picture go on the face.
#include "tst_drawhelpers.h"
#include "xpbutton/face/buttonlayout.h"
#include "xpbutton/gdi/checkedmath.h"
#include "xpbutton/gdi/drawtext.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

#include <array>
#include <set>

// Metrics of the font the tests draw with (DejaVu Sans 11 px, unsmoothed): height 13,
// ascent 10, average character width 6; advances O 9, k 6, space 3, & 9.

namespace {
constexpr ColorValue kInk = rgb(200, 0, 0);
constexpr ColorValue kPaper = rgb(0, 128, 0);
using Pixels = std::set<std::pair<int, int>>;

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

std::vector<int> columnsOf(const Pixels& pixels, int row) {
    std::vector<int> xs;
    for (const auto& [x, y] : pixels)
        if (y == row)
            xs.push_back(x);
    return xs;
}

TextParams captionParams() {
    TextParams params;
    params.size = 20;
    params.tabLength = params.leftMargin = params.rightMargin = 1;
    return params;
}

struct TextSurface {
    explicit TextSurface(int w = 1, int h = 1) : image(makeSurface(w, h, kPaper)), dc(image) {
        SelectObject(dc, metricsFont());
        SetTextColor(dc, kInk);
    }
    WinRect measure(const QString& text, WinRect rect, int* height = nullptr) {
        TextParams params = captionParams();
        const int h = DrawTextExA(dc, text, static_cast<int>(text.size()), rect,
                                  DT_CALCRECT | DT_WORDBREAK | DT_VCENTER | DT_CENTER, &params);
        if (height)
            *height = h;
        return rect;
    }
    // The ink drawn.
    Pixels draw(const QString& text, WinRect rect, unsigned flags = DT_WORDBREAK | DT_CENTER) {
        TextParams params = captionParams();
        DrawTextExA(dc, text, -1, rect, flags | DT_VCENTER, &params);
        return pixelsOf(image, kInk);
    }
    QImage image;
    DeviceContext dc;
};
} // namespace

TEST(DrawText, MeasuresWithOneAverageCharacterEachSide) {
    TextSurface s;
    const QFontMetrics metrics(textFont(s.dc));
    EXPECT_EQ((std::array{metrics.height(), metrics.ascent(), metrics.averageCharWidth(),
                          metrics.horizontalAdvance('O'), metrics.horizontalAdvance('k'),
                          metrics.horizontalAdvance(' '), metrics.horizontalAdvance('&')}),
              (std::array{13, 10, 6, 9, 6, 3, 9}))
        << "the font the expectations rely on";

    const struct {
        const char* text;
        WinRect in, out;
    } cases[] = {
        {"Ok", {4, 4, 69, 21}, {4, 4, 31, 17}},
        {"", {5, 6, 50, 50}, {5, 6, 5, 6}},
        // 12 of margins leave 30: "Ok Ok" (33) breaks, the space is dropped.
        {"Ok Ok", {0, 0, 42, 0}, {0, 0, 27, 26}},
        {"Ok Ok", {0, 0, 45, 0}, {0, 0, 45, 13}},
        // A word that fits no line stands alone, unbroken.
        {"OOOOO k", {2, 0, 22, 0}, {2, 0, 2 + 12 + 45, 26}},
        {"Ok\r\nk\nO", {0, 0, 200, 0}, {0, 0, 27, 39}},
        // "&O" measures as "O", "&&" as one "&", a last "&" as nothing.
        {"&Ok", {0, 0, 200, 0}, {0, 0, 27, 13}},
        {"O&&k", {0, 0, 200, 0}, {0, 0, 12 + 9 + 9 + 6, 13}},
        {"Ok&", {0, 0, 200, 0}, {0, 0, 27, 13}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.measure(c.text, c.in), c.out) << c.text;
    int height = 0;
    s.measure("Ok", {4, 4, 69, 21}, &height);
    EXPECT_EQ(height, 13);
    EXPECT_EQ(pixelAt(s.image, 0, 0), kPaper); // nothing drawn while measuring

    TextParams params = captionParams();
    WinRect rect{0, 0, 100, 100};
    DrawTextExA(s.dc, "Okay", 2, rect, DT_CALCRECT, &params);
    EXPECT_EQ(params.lengthDrawn, 2u);
    EXPECT_EQ(rect, (WinRect{0, 0, 27, 13}));
    TextParams none;
    rect = {0, 0, 200, 0};
    DrawTextExA(s.dc, "&Ok", -1, rect, DT_CALCRECT | DT_NOPREFIX, &none);
    EXPECT_EQ(rect.right, 9 + 9 + 6);
}

TEST(DrawText, GlyphsCentredUnderlinedAndClipped) {
    // Box (0, 0, 39, 13): margins 6, "Ok" 15 wide centred at 6 + (27 - 15) / 2 = 12.
    TextSurface plain(40, 16);
    const Pixels ink = plain.draw("Ok", {0, 0, 39, 13});
    EXPECT_GT(ink.size(), 20u);
    EXPECT_EQ(ink.size() + pixelsOf(plain.image, kPaper).size(), 40u * 16u); // ink or paper only
    EXPECT_GE(bounds(ink).left(), 12);
    EXPECT_LE(bounds(ink).right(), 26);
    EXPECT_TRUE(columnsOf(ink, 11).empty());

    // The underline one row below the baseline, under "k" only (12 + 9 ..
    // 12 + 9 + 4); the glyphs are those without the prefix.
    TextSurface marked(40, 16);
    const Pixels underlined = marked.draw("O&k", {0, 0, 39, 13});
    EXPECT_EQ(columnsOf(underlined, 11), (std::vector<int>{21, 22, 23, 24, 25}));
    EXPECT_EQ(bounds(underlined).bottom(), 11);
    for (int y = 0; y < 11; ++y)
        EXPECT_EQ(columnsOf(underlined, y), columnsOf(ink, y)) << "row " << y;

    // 51 - 12 leaves 39: "OOO Ok" (27 + 18) breaks. Line 1 "OOO" at
    // 6 + (39 - 27) / 2 = 12, line 2 "Ok" at 6 + 24 / 2 = 18.
    TextSurface lines(60, 30);
    const Pixels two = lines.draw("OOO Ok", {0, 0, 51, 26});
    Pixels first, second;
    for (const auto& p : two)
        (p.second < 13 ? first : second).insert(p);
    EXPECT_FALSE(first.empty() || columnsOf(two, 13 + 5).empty());
    EXPECT_GE(bounds(first).left(), 12);
    EXPECT_LT(bounds(first).right(), 39);
    EXPECT_GE(bounds(second).left(), 18);
    EXPECT_LT(bounds(second).right(), 33);

    // Left aligned after the 6-pixel margin: "O" at 6, "k" at 15 to 20.
    TextSurface clipped(40, 16);
    const QRect inside = bounds(clipped.draw("Ok", {0, 0, 18, 13}, DT_SINGLELINE));
    EXPECT_GE(inside.left(), 6);
    EXPECT_EQ(inside.right(), 17);
    TextSurface free(40, 16);
    EXPECT_GT(bounds(free.draw("Ok", {0, 0, 18, 13}, DT_SINGLELINE | DT_NOCLIP)).right(), 17);
}

TEST(DrawText, AnsiConversionReplacesWhatTheCodePageLacks) {
    EXPECT_EQ(toAnsiText(QString::fromUtf8("Caf\u00e9 \u20ac5")),
              QString::fromUtf8("Caf\u00e9 \u20ac5"));
    const QString foreign = QString(QChar(0x0416)) + QLatin1Char('x') + QChar(0x0085);
    EXPECT_EQ(toAnsiText(foreign), QStringLiteral("?x?"));
}

namespace {
ButtonDrawState layoutOf(const ButtonState& state, ButtonDrawState draw = {}) {
    QImage surface = makeSurface(1, 1);
    DeviceContext dc(surface);
    SelectObject(dc, state.Font);
    CalcLayout(dc, state, draw);
    return draw;
}
} // namespace

TEST(Layout, PictureBesideAboveOrBelowTheCaption) {
    const struct {
        WinRect inner;
        std::int32_t position;
        WinRect picture, caption;
    } cases[] = {
        // The group of 32 + 4 + 30 = 66 starts at 4 + (92 - 66) div 2 = 17.
        {{4, 4, 96, 36}, 1, {17, 4, 49, 36}, {53, 13, 83, 26}},
        {{4, 4, 96, 36}, 2, {51, 4, 83, 36}, {17, 13, 47, 26}},
        // The group is 32 + 4 + 13 = 49 high, from 4 + (60 - 49) div 2 = 9.
        {{4, 4, 96, 64}, 0, {34, 9, 66, 41}, {35, 45, 65, 58}},
        {{4, 4, 96, 64}, 3, {34, 26, 66, 58}, {35, 9, 65, 22}},
        // Unknown: both left alone.
        {{4, 4, 96, 64}, 4, {-1, -1, -1, -1}, {35, 27, 65, 40}},
    };
    for (const auto& c : cases) {
        WinRect picture{-1, -1, -1, -1};
        WinRect caption = centredBox(c.inner, 30, 13); // as MeasureCaption leaves it
        placePictureAndCaption(c.inner, c.position, 32, 32, picture, caption);
        EXPECT_EQ(picture, c.picture) << c.position;
        EXPECT_EQ(caption, c.caption) << c.position;
    }
    // Negative leftovers truncate toward zero: the main window's 55 x 46
    // picture, leftovers of -1 and -3.
    EXPECT_EQ(centredBox({4, 4, 55, 49}, 55, 46), (WinRect{2, 4, 57, 50}));
    EXPECT_EQ(centredBox({0, 0, 10, 10}, 11, 13), (WinRect{0, -1, 11, 12}));
    EXPECT_EQ(centredBox({0, 0, 10, 10}, 13, 10), (WinRect{-1, 0, 12, 10}));
    EXPECT_THROW(centredBox({0, 0, 10, 10}, 10, std::int64_t(1) << 33), OverflowError);
}

TEST(Layout, CalcLayoutMeasuresTheCaptionAndKeepsWhatItDoesNotCompute) {
    ButtonState state = buttonOf(73, 25, 3);
    state.Caption = "Ok";
    ButtonDrawState draw = layoutOf(state);
    EXPECT_EQ(draw.g_ClientRect, (WinRect{0, 0, 72, 24}));
    EXPECT_EQ(draw.g_InnerRect, (WinRect{4, 4, 69, 21}));
    // 15 of text and 6 of margin each side, 13 high: 4 + (65 - 27) div 2, 4 + (17 - 13) div 2.
    EXPECT_EQ(draw.g_CaptionRect, (WinRect{23, 6, 50, 19}));
    const TextParams& params = draw.g_TextParams;
    EXPECT_EQ(std::tuple(params.size, params.tabLength, params.leftMargin, params.rightMargin),
              std::tuple(20, 1, 1, 1));
    state.Caption = "OOOOOOOOOO"; // 90 pixels, 102 with the margins: 4 + (65 - 102) div 2
    EXPECT_EQ(layoutOf(state).g_CaptionRect, (WinRect{-14, 6, 88, 19}));
    state.ScaleWidth = 72.5; // halves to even
    state.ScaleHeight = 25.5;
    EXPECT_EQ(layoutOf(state).g_ClientRect, (WinRect{0, 0, 71, 25}));

    ButtonDrawState before;
    before.g_PictureRect = {1, 2, 3, 4};
    before.g_CaptionRect = {5, 6, 7, 8};
    state = buttonOf(100, 40, 3);
    state.Caption = "OO";                                                   // measures 30 x 13
    EXPECT_EQ(layoutOf(state, before).g_PictureRect, before.g_PictureRect); // no picture
    state.Picture = OlePicture::bitmap(QImage(32, 32, QImage::Format_RGB32));
    draw = layoutOf(state, before);
    EXPECT_EQ(draw.g_PictureRect, (WinRect{17, 4, 49, 36}));
    EXPECT_EQ(draw.g_CaptionRect, (WinRect{53, 13, 83, 26}));
    state.PicturePosition = 7; // outside 0..3: only the caption is placed
    draw = layoutOf(state, before);
    EXPECT_EQ(draw.g_PictureRect, before.g_PictureRect);
    EXPECT_EQ(draw.g_CaptionRect, (WinRect{35, 13, 65, 26}));
    state.Picture = OlePicture::empty(); // a picture without caption
    state.PicturePosition = 1;
    state.Caption.clear();
    draw = layoutOf(state, before);
    EXPECT_EQ(draw.g_CaptionRect, before.g_CaptionRect);
    EXPECT_EQ(draw.g_PictureRect, (WinRect{34, 4, 66, 36}));
}

// Captions on a flat, borderless button (style 4) so that only text differs
// from the face; the "Ok" box of a 73 x 25 button is (23, 6, 50, 19).
namespace {
ButtonState captioned(const QString& caption, std::int32_t style = 4) {
    ButtonState state = buttonOf(73, 25, style, kFace);
    state.Caption = caption;
    state.ForeColor = kInk;
    return state;
}
} // namespace

TEST(Caption, DrawnInTheForeColourInsideItsBox) {
    const QImage image = paintOnce(captioned("Ok"));
    const Pixels ink = pixelsOf(image, kInk);
    EXPECT_GT(ink.size(), 20u);
    EXPECT_EQ(ink.size() + pixelsOf(image, kFace).size(), 73u * 25u);
    // "Ok" is 15 wide at 23 + 6 = 29, its line from 6 to 18.
    EXPECT_TRUE(QRect(29, 6, 15, 13).contains(bounds(ink)));
    ButtonState state = captioned("Ok");
    state.ForeColor = 0x80000012; // button text: black
    EXPECT_EQ(pixelsOf(paintOnce(state), kBlack), ink);

    // "&" underlines the next character: under "O" (advance 9) at 29..36,
    // one row below the baseline (6 + 10 + 1); nothing else changes.
    Pixels underline;
    for (int x = 29; x < 37; ++x)
        underline.insert({x, 17});
    Pixels expected = ink;
    expected.insert(underline.begin(), underline.end());
    EXPECT_EQ(pixelsOf(paintOnce(captioned("&Ok")), kInk), expected);
    EXPECT_EQ(expected.size(), ink.size() + underline.size());

    state.Caption.clear();
    EXPECT_EQ(paintOnce(state), makeSurface(73, 25, kFace));
    // A word wider than the face overflows on both sides.
    const QRect wide = bounds(pixelsOf(paintOnce(captioned("OOOOOOOOOO")), kInk));
    EXPECT_LT(wide.left(), 4);
    EXPECT_GT(wide.right(), 68);
    // 75 + 12 > 65: two lines of 36 in a box 48 x 26 at
    // (4 + (65 - 48) div 2, 4 + (17 - 26) div 2) = (12, 0); text from 18.
    const QRect wrapped = bounds(pixelsOf(paintOnce(captioned("OOOO OOOO")), kInk));
    EXPECT_GE(wrapped.left(), 18);
    EXPECT_LE(wrapped.right(), 18 + 35);
    EXPECT_GE(wrapped.bottom(), 13);
}

TEST(Caption, PressedMovesOneRightAndDownExceptInStyleTwo) {
    const Pixels resting = pixelsOf(paintOnce(captioned("Ok")), kInk);
    for (std::int32_t style : {0, 1, 3, 4}) {
        ButtonState state = captioned("Ok", style);
        state.g_Pressed = 1;
        state.ShowFocusRect = false;
        ButtonDrawState draw;
        EXPECT_EQ(pixelsOf(paintWith(state, draw), kInk), moved(resting, 1, 1)) << style;
        EXPECT_EQ(draw.g_CaptionRect, (WinRect{23, 6, 50, 19})) << "put back, style " << style;
    }
    ButtonState highlight = captioned("Ok", 2);
    highlight.ForeColor = kBlack; // also the border colour
    const Pixels rest = pixelsOf(paintOnce(highlight), kBlack);
    highlight.g_Pressed = 1;
    EXPECT_EQ(pixelsOf(paintOnce(highlight), kBlack), rest);
}

TEST(Caption, DisabledIsEmbossedAndKeepsItsMovedRectangle) {
    const Pixels enabled = pixelsOf(paintOnce(captioned("Ok")), kInk);
    ButtonState state = captioned("Ok");
    state.Enabled = false;
    const QImage image = paintOnce(state);
    EXPECT_EQ(pixelsOf(image, kShadow), enabled);
    Pixels highlight;
    for (const auto& p : moved(enabled, 1, 1))
        if (!enabled.count(p))
            highlight.insert(p);
    EXPECT_EQ(pixelsOf(image, kWhite), highlight);
    EXPECT_TRUE(pixelsOf(image, kInk).empty());

    // Pressed and disabled: the offset rectangle is not put back.
    state.g_Pressed = 1;
    ButtonDrawState draw;
    paintWith(state, draw);
    EXPECT_EQ(draw.g_CaptionRect, (WinRect{24, 7, 51, 20}));
    EXPECT_EQ(draw.g_SavedRect, (WinRect{23, 6, 50, 19}));
}

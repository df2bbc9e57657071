#include "designfont.h"
#include "drawtext.h"
#include "tst_drawhelpers.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

// Metrics of the design font (DejaVu Sans 11 px, unsmoothed): height 13,
// ascent 10, average character width 6; advances O 9, k 6, space 3, & 9.

namespace {
constexpr ColorValue kInk = rgb(200, 0, 0);
constexpr ColorValue kPaper = rgb(0, 128, 0);

TextParams captionParams() {
    TextParams params;
    params.size = 20;
    params.tabLength = 1;
    params.leftMargin = 1;
    params.rightMargin = 1;
    return params;
}

struct TextSurface {
    explicit TextSurface(int w, int h) : image(makeSurface(w, h, kPaper)), dc(image) {
        SelectObject(dc, designFont());
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
    void draw(const QString& text, WinRect rect, unsigned flags = DT_WORDBREAK | DT_CENTER) {
        TextParams params = captionParams();
        DrawTextExA(dc, text, -1, rect, flags | DT_VCENTER, &params);
    }
    // Columns of row y painted in the ink colour.
    std::vector<int> inkColumns(int y) const {
        std::vector<int> xs;
        for (int x = 0; x < image.width(); ++x)
            if (pixelAt(image, x, y) == kInk)
                xs.push_back(x);
        return xs;
    }
    QRect inkBounds() const {
        QRect bounds;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (pixelAt(image, x, y) == kInk)
                    bounds |= QRect(x, y, 1, 1);
        return bounds;
    }
    QImage image;
    DeviceContext dc;
};
} // namespace

TEST(DrawText, FontMetricsTheTestsRelyOn) {
    TextSurface s(1, 1);
    const QFontMetrics metrics(textFont(s.dc));
    EXPECT_EQ(metrics.height(), 13);
    EXPECT_EQ(metrics.ascent(), 10);
    EXPECT_EQ(metrics.averageCharWidth(), 6);
    EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('O')), 9);
    EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('k')), 6);
    EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char(' ')), 3);
    EXPECT_EQ(metrics.horizontalAdvance(QLatin1Char('&')), 9);
}

TEST(DrawText, CalcRectHoldsTheTextAndOneAverageCharacterEachSide) {
    TextSurface s(1, 1);
    int height = 0;
    EXPECT_EQ(s.measure("Ok", {4, 4, 69, 21}, &height), (WinRect{4, 4, 31, 17}));
    EXPECT_EQ(height, 13);
    // Nothing is drawn while measuring.
    EXPECT_EQ(pixelAt(s.image, 0, 0), kPaper);
    TextParams params = captionParams();
    WinRect rect{0, 0, 100, 100};
    DrawTextExA(s.dc, "Okay", 2, rect, DT_CALCRECT, &params);
    EXPECT_EQ(params.lengthDrawn, 2u);
    EXPECT_EQ(rect, (WinRect{0, 0, 27, 13}));
    EXPECT_EQ(s.measure("", {5, 6, 50, 50}), (WinRect{5, 6, 5, 6}));
}

TEST(DrawText, WordsWrapAtSpacesAndALongWordWidensTheBox) {
    TextSurface s(1, 1);
    // 12 of margins leave 30: "Ok Ok" (33) breaks, the space is dropped.
    EXPECT_EQ(s.measure("Ok Ok", {0, 0, 42, 0}), (WinRect{0, 0, 27, 26}));
    EXPECT_EQ(s.measure("Ok Ok", {0, 0, 45, 0}), (WinRect{0, 0, 45, 13}));
    // A word that fits no line stands alone and is not broken.
    EXPECT_EQ(s.measure("OOOOO k", {2, 0, 22, 0}), (WinRect{2, 0, 2 + 12 + 45, 26}));
    // Line ends break as well.
    EXPECT_EQ(s.measure("Ok\r\nk\nO", {0, 0, 200, 0}), (WinRect{0, 0, 27, 39}));
}

TEST(DrawText, AmpersandsHideThemselvesOrShowOnce) {
    TextSurface s(1, 1);
    // "&O" measures as "O"; "&&" as one "&".
    EXPECT_EQ(s.measure("&Ok", {0, 0, 200, 0}).right, 27);
    EXPECT_EQ(s.measure("O&&k", {0, 0, 200, 0}).right, 12 + 9 + 9 + 6);
    EXPECT_EQ(s.measure("Ok&", {0, 0, 200, 0}).right, 27);
    TextParams params;
    WinRect rect{0, 0, 200, 0};
    DrawTextExA(s.dc, "&Ok", -1, rect, DT_CALCRECT | DT_NOPREFIX, &params);
    EXPECT_EQ(rect.right, 9 + 9 + 6);
}

TEST(DrawText, TheUnderlineRunsUnderThePrefixedCharacterOnly) {
    TextSurface s(40, 16);
    // Box (0, 0, 39, 13): margins 6, text 15 wide centred at 6 + (27 - 15) / 2 = 12.
    s.draw("O&k", {0, 0, 39, 13});
    // The underline: one row below the baseline, under "k" (12 + 9 .. 12 + 9 + 4).
    EXPECT_EQ(s.inkColumns(11), (std::vector<int>{21, 22, 23, 24, 25}));
    const QRect bounds = s.inkBounds();
    EXPECT_GE(bounds.left(), 12);
    EXPECT_LE(bounds.right(), 26);
    EXPECT_GE(bounds.top(), 0);
    EXPECT_EQ(bounds.bottom(), 11);

    TextSurface plain(40, 16);
    plain.draw("Ok", {0, 0, 39, 13});
    EXPECT_TRUE(plain.inkColumns(11).empty());
    // The glyphs themselves are the same with and without the prefix.
    for (int y = 0; y < 11; ++y)
        EXPECT_EQ(plain.inkColumns(y), s.inkColumns(y)) << "row " << y;
}

TEST(DrawText, OnlyGlyphPixelsArePaintedInTheTextColour) {
    TextSurface s(40, 16);
    s.draw("Ok", {0, 0, 39, 13});
    int inked = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 40; ++x) {
            const ColorValue c = pixelAt(s.image, x, y);
            EXPECT_TRUE(c == kInk || c == kPaper) << x << "," << y;
            inked += c == kInk;
        }
    EXPECT_GT(inked, 20);
    // Centred lines: the ink lies within the 15 pixels of "Ok" at 12.
    const QRect bounds = s.inkBounds();
    EXPECT_GE(bounds.left(), 12);
    EXPECT_LE(bounds.right(), 26);
}

TEST(DrawText, LinesAreCentredOneUnderTheOther) {
    TextSurface s(60, 30);
    s.draw("OOO Ok", {0, 0, 51, 26}); // 51 - 12 leaves 39: "OOO Ok" (27 + 18) breaks
    // Line 1 "OOO" (27) at 6 + (39 - 27) / 2 = 12; line 2 "Ok" (15) at 6 + 24 / 2 = 18.
    int firstBottom = -1;
    for (int y = 0; y < 13; ++y)
        for (int x : s.inkColumns(y)) {
            EXPECT_GE(x, 12);
            EXPECT_LT(x, 39);
            firstBottom = y;
        }
    EXPECT_GE(firstBottom, 0);
    for (int y = 13; y < 26; ++y)
        for (int x : s.inkColumns(y)) {
            EXPECT_GE(x, 18);
            EXPECT_LT(x, 33);
        }
    EXPECT_FALSE(s.inkColumns(13 + 5).empty());
}

TEST(DrawText, GlyphsAreClippedToTheRectangleUnlessNoClip) {
    TextSurface s(40, 16);
    // Left aligned after the 6-pixel margin: "O" at 6, "k" at 15 to 20.
    s.draw("Ok", {0, 0, 18, 13}, DT_SINGLELINE);
    const QRect bounds = s.inkBounds();
    EXPECT_GE(bounds.left(), 6);
    EXPECT_EQ(bounds.right(), 17);

    TextSurface free(40, 16);
    free.draw("Ok", {0, 0, 18, 13}, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(free.inkBounds().right(), 17);
}

TEST(DrawText, AnsiConversionReplacesWhatTheCodePageLacks) {
    EXPECT_EQ(toAnsiText(QString::fromUtf8("Caf\u00e9 \u20ac5")),
              QString::fromUtf8("Caf\u00e9 \u20ac5"));
    const QString foreign = QString(QChar(0x0416)) + QLatin1Char('x') + QChar(0x0085);
    EXPECT_EQ(toAnsiText(foreign), QStringLiteral("?x?"));
}

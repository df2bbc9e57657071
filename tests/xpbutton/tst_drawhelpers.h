#pragma once

// Pixel helpers shared by the drawing tests.

#include "xpbutton/face/buttonpainter.h"
#include "xpbutton/gdi/colorarithmetic.h"
#include <QFontDatabase>
#include <QImage>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

inline QImage makeSurface(int width, int height, ColorValue fill = 0x00FFFFFF) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(toQRgb(fill));
    return image;
}

inline ColorValue pixelAt(const QImage& image, int x, int y) {
    return fromQRgb(image.pixel(x, y));
}

constexpr ColorValue rgb(unsigned r, unsigned g, unsigned b) {
    return r | g << 8 | b << 16;
}

constexpr ColorValue kRed = rgb(255, 0, 0);
constexpr ColorValue kBlue = rgb(0, 0, 255);
constexpr ColorValue kGreen = rgb(0, 255, 0);
constexpr ColorValue kWhite = rgb(255, 255, 255);
constexpr ColorValue kBlack = rgb(0, 0, 0);
constexpr ColorValue kFace = rgb(212, 208, 200);   // button face
constexpr ColorValue kShadow = rgb(128, 128, 128); // button shadow
constexpr ColorValue kGrey = rgb(146, 146, 146);   // the picture's silhouette

// The characters most pictures are drawn in.
inline const std::map<char, ColorValue> kInks = {
    {'.', kWhite}, {'#', kRed}, {'o', kBlue}, {'x', kBlack}, {'g', kGreen}};

// An image drawn in characters of the legend; with `alpha`, ' ' is a fully
// transparent pixel and the image has an alpha channel (an icon).
inline QImage imageFrom(const std::vector<std::string>& rows,
                        const std::map<char, ColorValue>& legend = kInks, bool alpha = false) {
    QImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                 alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           alpha && rows[y][x] == ' ' ? qRgba(0, 0, 0, 0)
                                                      : toQRgb(legend.at(rows[y][x])));
    return image;
}

// Compares every pixel with a picture drawn in characters, each standing for
// the colour the legend gives it (or, for a monochrome image, '0' and '1').
inline void expectPicture(const QImage& image, const std::vector<std::string>& rows,
                          const std::map<char, ColorValue>& legend = kInks) {
    ASSERT_EQ(image.height(), static_cast<int>(rows.size()));
    int failures = 0;
    for (int y = 0; y < image.height(); ++y) {
        ASSERT_EQ(image.width(), static_cast<int>(rows[y].size())) << "row " << y;
        for (int x = 0; x < image.width(); ++x) {
            char got = '?';
            if (image.format() == QImage::Format_Mono)
                got = image.pixelIndex(x, y) ? '1' : '0';
            else
                for (const auto& [key, colour] : legend)
                    if (colour == pixelAt(image, x, y))
                        got = key;
            if (got != rows[y][x] && ++failures <= 10)
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): want '" << rows[y][x]
                              << "', got '" << got << "' (0x" << std::hex << pixelAt(image, x, y)
                              << ")";
        }
    }
}

struct PixelIs {
    int x;
    int y;
    ColorValue colour;
};

inline void expectPixels(const QImage& image, const std::vector<PixelIs>& pixels) {
    for (const PixelIs& p : pixels)
        EXPECT_EQ(pixelAt(image, p.x, p.y), p.colour) << "pixel (" << p.x << ", " << p.y << ")";
}

// The font whose metrics the drawing tests' expectations rely on (DejaVu Sans
// 11 px), whichever font the program's windows use.
inline QFont metricsFont() {
    static const bool added = QFontDatabase::addApplicationFont(QStringLiteral(
                                  "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf")) >= 0;
    Q_UNUSED(added);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    font.setWeight(QFont::Normal);
    return font;
}

// A button of w x h pixels in run mode, not the host's default, with the
// metrics font and the given style and face colour.
inline ButtonState buttonOf(int w, int h, std::int32_t style, ColorValue back = 0x00C8D0D4) {
    ButtonState state;
    state.ButtonStyle = style;
    state.BackColor = back;
    state.Caption.clear();
    state.Font = metricsFont();
    state.g_Width = w;
    state.g_Height = h;
    state.ScaleWidth = w;
    state.ScaleHeight = h;
    state.g_FocusRect = {4, 4, w - 4, h - 4};
    state.UserMode = true;
    state.ExtenderDefault = false;
    return state;
}

// One refresh on a fresh surface with the given drawing state.
inline QImage paintWith(const ButtonState& state, ButtonDrawState& draw,
                        RefreshError* error = nullptr) {
    QImage surface(state.g_Width, state.g_Height, QImage::Format_RGB32);
    surface.fill(Qt::magenta);
    const RefreshError result = paintButton(surface, state, draw);
    if (error)
        *error = result;
    return surface;
}

// One refresh whose face colour is the button's BackColor.
inline QImage paintOnce(const ButtonState& state, RefreshError* error = nullptr) {
    ButtonDrawState draw;
    draw.FaceColor = state.BackColor;
    draw.BaseForeColor = state.ForeColor;
    return paintWith(state, draw, error);
}

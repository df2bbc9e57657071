#include "buttonpicture.h"
#include "tst_drawhelpers.h"

#include <gtest/gtest.h>

namespace {

QImage pictureFrom(const std::vector<std::string>& rows, bool icon = false) {
    return imageFrom(
        rows, {{'#', kRed}, {'o', kBlue}, {'.', kWhite}, {'x', kBlack}, {'g', rgb(0, 255, 0)}},
        icon);
}

// A button with only a picture, drawn in its natural size.
ButtonState pictured(int w, int h, std::int32_t style, PicturePtr picture) {
    ButtonState state = buttonOf(w, h, style, kFace);
    state.Picture = std::move(picture);
    const QSize size = state.Picture->pixelSize();
    state.PictureWidth = state.OriginalPicSizeW = size.width();
    state.PictureHeight = state.OriginalPicSizeH = size.height();
    return state;
}

// The face each pixel of `image` should show: the picture's pixel at
// `origin`, or, where the picture is transparent, the face without picture.
void expectOver(const QImage& image, const QImage& face, const QImage& picture, QPoint origin,
                ColorValue transparent) {
    int failures = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QPoint p = QPoint(x, y) - origin;
            ColorValue want = pixelAt(face, x, y);
            if (picture.rect().contains(p) && fromQRgb(picture.pixel(p)) != transparent)
                want = fromQRgb(picture.pixel(p));
            if (pixelAt(image, x, y) != want && ++failures < 10)
                ADD_FAILURE() << "pixel " << x << "," << y << ": want " << std::hex << want
                              << " got " << pixelAt(image, x, y);
        }
}

// A 55 x 46 bitmap like the main window's: a black background (the mask
// colour) with a red frame and a blue block.
QImage mainWindowBitmap() {
    QImage image(55, 46, QImage::Format_RGB32);
    image.fill(qRgb(0, 0, 0));
    for (int x = 0; x < 55; ++x) {
        image.setPixel(x, 0, toQRgb(kRed));
        image.setPixel(x, 45, toQRgb(kRed));
    }
    for (int y = 10; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            image.setPixel(x, y, toQRgb(kBlue));
    return image;
}
} // namespace

TEST(Picture, MainWindowButtonCentresItsBitmapOverTheXpFace) {
    const QImage bitmap = mainWindowBitmap();
    ButtonState state = pictured(59, 53, 3, OlePicture::bitmap(bitmap));
    ButtonState bare = state;
    bare.Picture.reset();
    QImage surface = makeSurface(59, 53);
    ButtonDrawState draw;
    draw.FaceColor = state.BackColor;
    EXPECT_EQ(paintButton(surface, state, draw), RefreshError::None);
    EXPECT_EQ(draw.g_PictureRect, (WinRect{2, 4, 57, 50}));
    expectOver(surface, paintOnce(bare), bitmap, {2, 4}, kBlack);

    state.g_Pressed = 1;
    bare.g_Pressed = 1;
    paintButton(surface, state, draw);
    expectOver(surface, paintOnce(bare), bitmap, {3, 5}, kBlack);
    EXPECT_EQ(draw.g_PictureRect, (WinRect{2, 4, 57, 50}));
}

TEST(Picture, PressedMovesThePictureExceptInStyleTwo) {
    const QImage bitmap = pictureFrom({"#o", "o#"});
    for (std::int32_t style : {0, 1, 2, 3, 4, 7}) {
        ButtonState state = pictured(12, 12, style, OlePicture::bitmap(bitmap));
        state.g_Pressed = 1;
        ButtonState bare = state;
        bare.Picture.reset();
        const QPoint at = style == 2 ? QPoint(5, 5) : QPoint(6, 6);
        expectOver(paintOnce(state), paintOnce(bare), bitmap, at, kBlack);
    }
}

TEST(Picture, StyleTwoHoveredLiftsThePictureOverAGreySilhouette) {
    // White pixels are left alone by the silhouette; the mask colour (black)
    // turns white first and so drops out too.
    const QImage bitmap = pictureFrom({"####", "#xx#", "#..#", "o###"});
    ButtonState state = pictured(20, 20, 2, OlePicture::bitmap(bitmap));
    state.g_Hover = 1;
    state.ForeColor = rgb(0, 0, 0);
    ButtonState bare = state;
    bare.Picture.reset();
    // At rest at (8, 8); lifted to (5, 5).
    QImage face = paintOnce(bare);
    QImage silhouette = face;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const ColorValue c = fromQRgb(bitmap.pixel(x, y));
            if (c != kBlack && c != kWhite)
                silhouette.setPixel(8 + x, 8 + y, toQRgb(kGrey));
        }
    expectOver(paintOnce(state), silhouette, bitmap, {5, 5}, kBlack);
    EXPECT_EQ(pixelAt(paintOnce(state), 11, 11), kGrey);
    EXPECT_EQ(pixelAt(paintOnce(state), 9, 10), rgb(181, 190, 214)); // white: left alone

    // Pressed in style 2: no lift, no silhouette, no move.
    state.g_Pressed = 1;
    bare.g_Pressed = 1;
    expectOver(paintOnce(state), paintOnce(bare), bitmap, {8, 8}, kBlack);
}

TEST(Picture, ABitmapWithoutMaskColourCoversItsWholeRectangle) {
    const QImage bitmap = pictureFrom({"#o.", "g#o"});
    ButtonState state = pictured(11, 10, 4, OlePicture::bitmap(bitmap));
    const QImage image = paintOnce(state);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(pixelAt(image, 4 + x, 4 + y), fromQRgb(bitmap.pixel(x, y)));
}

TEST(Picture, TheMaskColourIsTransparentAndMayBeASystemColour) {
    const QImage bitmap = pictureFrom({"#o", "x#"});
    ButtonState state = pictured(10, 10, 4, OlePicture::bitmap(bitmap));
    state.MaskColor = kRed;
    ButtonState bare = state;
    bare.Picture.reset();
    expectOver(paintOnce(state), paintOnce(bare), bitmap, {4, 4}, kRed);

    QImage faceColoured = bitmap;
    faceColoured.setPixel(1, 0, toQRgb(kFace));
    state.Picture = OlePicture::bitmap(faceColoured);
    state.MaskColor = 0x8000000F;
    state.BackColor = rgb(1, 2, 3);
    bare.BackColor = rgb(1, 2, 3);
    expectOver(paintOnce(state), paintOnce(bare), faceColoured, {4, 4}, kFace);
}

TEST(Picture, PictureScaledFromItsNaturalSize) {
    // A natural size smaller than the bitmap: cut off, then stretched.
    const QImage bitmap = pictureFrom({"#ogg", "o#gg", "gggg"});
    ButtonState state = pictured(16, 16, 4, OlePicture::bitmap(bitmap));
    state.OriginalPicSizeW = 2;
    state.OriginalPicSizeH = 2;
    state.PictureWidth = 4;
    state.PictureHeight = 4;
    const QImage image = paintOnce(state);
    const QImage expected = pictureFrom({"##oo", "##oo", "oo##", "oo##"});
    ButtonState bare = state;
    bare.Picture.reset();
    expectOver(image, paintOnce(bare), expected, {6, 6}, kBlack);
}

TEST(Picture, DisabledBitmapIsEmbossedAndTransparent) {
    const QImage bitmap = pictureFrom({"#x..", "xxo.", "...."});
    ButtonState state = pictured(12, 11, 4, OlePicture::bitmap(bitmap));
    state.Enabled = false;
    const QImage image = paintOnce(state);
    // Inked: (0, 0) and (2, 1); the mask colour and white show the face.
    // Shadow at the place, highlight one right and down where not covered.
    const std::map<char, ColorValue> legend = {{'.', kFace}, {'s', kShadow}, {'h', kWhite}};
    expectPicture(image.copy(4, 4, 5, 4), {"s....", ".hs..", "...h.", "....."}, legend);
}

TEST(Picture, IconsKeepTheirTransparencyAndScale) {
    const QImage icon = pictureFrom({"# ", "o#"}, true);
    ButtonState state = pictured(12, 12, 4, OlePicture::icon(icon));
    state.PictureWidth = 4;
    state.PictureHeight = 4;
    const QImage image = paintOnce(state);
    const std::map<char, ColorValue> legend = {{'.', kFace}, {'#', kRed}, {'o', kBlue}};
    expectPicture(image.copy(4, 4, 4, 4), {"##..", "##..", "oo##", "oo##"}, legend);
}

TEST(Picture, DisabledIconIsEmbossedWithItsBackgroundTransparent) {
    const QImage icon = pictureFrom({"# ", " ."}, true);
    ButtonState state = pictured(10, 10, 4, OlePicture::icon(icon));
    state.Enabled = false;
    const QImage image = paintOnce(state);
    const std::map<char, ColorValue> legend = {{'.', kFace}, {'s', kShadow}, {'h', kWhite}};
    // The shadow copy, the highlight one right and down, cut to PW x PH.
    expectPicture(image.copy(3, 3, 4, 4), {"....", ".s..", "..h.", "...."}, legend);
}

TEST(Picture, IconSilhouetteInStyleTwo) {
    const QImage icon = pictureFrom({"#o", " #"}, true);
    ButtonState state = pictured(10, 10, 2, OlePicture::icon(icon));
    state.g_Hover = 1;
    state.XPShowBorderAlways = false;
    state.ForeColor = rgb(0, 0, 0);
    const QImage image = paintOnce(state);
    const ColorValue hover = rgb(181, 190, 214);
    const std::map<char, ColorValue> legend = {
        {'.', hover}, {'g', kGrey}, {'#', kRed}, {'o', kBlue}};
    // Lifted to (1, 1); the silhouette at (4, 4).
    expectPicture(image.copy(1, 1, 5, 5), {"#o...", ".#...", ".....", "...gg", "....g"}, legend);
}

TEST(Picture, EmptyPictureReservesItsPlaceAndDrawsNothing) {
    ButtonState state = buttonOf(100, 40, 4, kFace);
    state.Caption = "OO";
    state.ForeColor = kRed;
    state.Picture = OlePicture::empty();
    QImage surface = makeSurface(100, 40);
    ButtonDrawState draw;
    draw.FaceColor = state.BackColor;
    paintButton(surface, state, draw);
    EXPECT_EQ(draw.g_CaptionRect, (WinRect{53, 13, 83, 26}));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 53; ++x)
            EXPECT_EQ(pixelAt(surface, x, y), kFace) << x << "," << y;
    // Other kinds of picture are not drawn either.
    state.Picture =
        std::make_shared<OlePicture>(OlePicture::Type::Metafile, pictureFrom({"##", "##"}));
    QImage other = makeSurface(100, 40);
    ButtonDrawState draw2;
    draw2.FaceColor = state.BackColor;
    paintButton(other, state, draw2);
    EXPECT_EQ(other, surface);
}

TEST(Picture, APictureWiderThan32767PixelsEndsTheRefreshWithAnOverflow) {
    ButtonState state = pictured(40, 30, 3, OlePicture::bitmap(pictureFrom({"#o"})));
    state.Caption = "Ok";
    state.PicturePosition = 9; // keep the picture where it was
    state.PictureWidth = 40000;
    state.PictureHeight = 2;
    QImage surface = makeSurface(40, 30);
    ButtonDrawState draw;
    draw.FaceColor = state.BackColor;
    draw.g_PictureRect = {1, 1, 3, 2};
    EXPECT_EQ(paintButton(surface, state, draw), RefreshError::Overflow);
    // The offset of the pressed picture is not left behind.
    state.g_Pressed = 1;
    EXPECT_EQ(paintButton(surface, state, draw), RefreshError::Overflow);
    EXPECT_EQ(draw.g_PictureRect, (WinRect{1, 1, 3, 2}));
    // The caption, drawn after the picture, is not reached.
    ButtonState bare = state;
    bare.Caption.clear();
    bare.Picture.reset();
    EXPECT_EQ(surface, paintOnce(bare));

    state.PictureWidth = 32767;
    EXPECT_EQ(paintButton(surface, state, draw), RefreshError::None);
    state.PictureWidth = -5;
    EXPECT_EQ(paintButton(surface, state, draw), RefreshError::None);
    state.OriginalPicSizeW = 40000;
    state.PictureWidth = 2;
    state.Enabled = false; // the natural size goes through TransparentBlit here
    EXPECT_EQ(paintButton(surface, state, draw), RefreshError::Overflow);
}

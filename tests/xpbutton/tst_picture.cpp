// The picture on the face: placing, masking, scaling, embossing, lifting.
#include "tst_drawhelpers.h"
#include "xpbutton/face/buttonpicture.h"

#include <gtest/gtest.h>

namespace {
QImage iconFrom(const std::vector<std::string>& rows) {
    return imageFrom(rows, kInks, true);
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

ButtonState bare(ButtonState state) {
    state.Picture.reset();
    return state;
}

// Each pixel of `image` is the picture's pixel at `origin`, or, where the
// picture is transparent or absent, the face without picture.
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
} // namespace

TEST(Picture, MainWindowButtonCentresItsBitmapOverTheXpFace) {
    // Like the main window's: black background (the mask colour), a red
    // frame and a blue block.
    QImage bitmap(55, 46, QImage::Format_RGB32);
    bitmap.fill(qRgb(0, 0, 0));
    for (int x = 0; x < 55; ++x) {
        bitmap.setPixel(x, 0, toQRgb(kRed));
        bitmap.setPixel(x, 45, toQRgb(kRed));
    }
    for (int y = 10; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            bitmap.setPixel(x, y, toQRgb(kBlue));
    ButtonState state = pictured(59, 53, 3, OlePicture::bitmap(bitmap));
    ButtonDrawState draw;
    RefreshError error = RefreshError::Overflow;
    expectOver(paintWith(state, draw, &error), paintOnce(bare(state)), bitmap, {2, 4}, kBlack);
    EXPECT_EQ(error, RefreshError::None);
    EXPECT_EQ(draw.g_PictureRect, (WinRect{2, 4, 57, 50}));
    state.g_Pressed = 1;
    expectOver(paintWith(state, draw), paintOnce(bare(state)), bitmap, {3, 5}, kBlack);
    EXPECT_EQ(draw.g_PictureRect, (WinRect{2, 4, 57, 50}));
}

TEST(Picture, PressedMovesThePictureExceptInStyleTwo) {
    const QImage bitmap = imageFrom({"#o", "o#"});
    for (std::int32_t style : {0, 1, 2, 3, 4, 7}) {
        ButtonState state = pictured(12, 12, style, OlePicture::bitmap(bitmap));
        state.g_Pressed = 1;
        const QPoint at = style == 2 ? QPoint(5, 5) : QPoint(6, 6);
        expectOver(paintOnce(state), paintOnce(bare(state)), bitmap, at, kBlack);
    }
}

TEST(Picture, StyleTwoHoveredLiftsThePictureOverAGreySilhouette) {
    // White pixels are left alone by the silhouette; the mask colour (black)
    // turns white first and so drops out too.
    const QImage bitmap = imageFrom({"####", "#xx#", "#..#", "o###"});
    ButtonState state = pictured(20, 20, 2, OlePicture::bitmap(bitmap));
    state.g_Hover = 1;
    state.ForeColor = kBlack;
    // At rest at (8, 8); lifted to (5, 5).
    QImage silhouette = paintOnce(bare(state));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            if (const ColorValue c = fromQRgb(bitmap.pixel(x, y)); c != kBlack && c != kWhite)
                silhouette.setPixel(8 + x, 8 + y, toQRgb(kGrey));
    const QImage lifted = paintOnce(state);
    expectOver(lifted, silhouette, bitmap, {5, 5}, kBlack);
    expectPixels(lifted, {{11, 11, kGrey}, {9, 10, rgb(181, 190, 214)}});

    // Pressed: no lift, no silhouette, no move.
    state.g_Pressed = 1;
    expectOver(paintOnce(state), paintOnce(bare(state)), bitmap, {8, 8}, kBlack);
}

TEST(Picture, TheMaskColourIsTransparentAndMayBeASystemColour) {
    // No mask colour in the bitmap: it covers its whole rectangle.
    const QImage full = imageFrom({"#o.", "g#o"});
    ButtonState state = pictured(11, 10, 4, OlePicture::bitmap(full));
    expectOver(paintOnce(state), paintOnce(bare(state)), full, {4, 4}, 0x01000000);

    const QImage bitmap = imageFrom({"#o", "x#"});
    state = pictured(10, 10, 4, OlePicture::bitmap(bitmap));
    state.MaskColor = kRed;
    expectOver(paintOnce(state), paintOnce(bare(state)), bitmap, {4, 4}, kRed);

    QImage faceColoured = bitmap;
    faceColoured.setPixel(1, 0, toQRgb(kFace));
    state.Picture = OlePicture::bitmap(faceColoured);
    state.MaskColor = 0x8000000F;
    state.BackColor = rgb(1, 2, 3);
    expectOver(paintOnce(state), paintOnce(bare(state)), faceColoured, {4, 4}, kFace);

    // A natural size smaller than the bitmap: cut off, then stretched.
    state = pictured(16, 16, 4, OlePicture::bitmap(imageFrom({"#ogg", "o#gg", "gggg"})));
    state.OriginalPicSizeW = state.OriginalPicSizeH = 2;
    state.PictureWidth = state.PictureHeight = 4;
    expectOver(paintOnce(state), paintOnce(bare(state)),
               imageFrom({"##oo", "##oo", "oo##", "oo##"}), {6, 6}, kBlack);
}

TEST(Picture, DisabledScaledAndLiftedBitmapsAndIcons) {
    const std::map<char, ColorValue> legend = {
        {'.', kFace}, {'s', kShadow},           {'h', kWhite}, {'#', kRed}, {'o', kBlue},
        {'g', kGrey}, {'v', rgb(181, 190, 214)}};
    const struct {
        const char* what;
        PicturePtr picture;
        QSize button, drawn;
        std::int32_t style;
        bool enabled, hover;
        QRect seen;
        std::vector<std::string> want;
    } cases[] = {
        // Inked (0, 0) and (2, 1); the mask colour and white show the face;
        // shadow at the place, highlight one right and down where not covered.
        {"disabled bitmap",
         OlePicture::bitmap(imageFrom({"#x..", "xxo.", "...."})),
         {12, 11},
         {},
         4,
         false,
         false,
         {4, 4, 5, 4},
         {"s....", ".hs..", "...h.", "....."}},
        {"icon scaled",
         OlePicture::icon(iconFrom({"# ", "o#"})),
         {12, 12},
         {4, 4},
         4,
         true,
         false,
         {4, 4, 4, 4},
         {"##..", "##..", "oo##", "oo##"}},
        {"disabled icon, cut to its size",
         OlePicture::icon(iconFrom({"# ", " ."})),
         {10, 10},
         {},
         4,
         false,
         false,
         {3, 3, 4, 4},
         {"....", ".s..", "..h.", "...."}},
        // Lifted to (1, 1); the silhouette at (4, 4).
        {"icon lifted in style 2",
         OlePicture::icon(iconFrom({"#o", " #"})),
         {10, 10},
         {},
         2,
         true,
         true,
         {1, 1, 5, 5},
         {"#ovvv", "v#vvv", "vvvvv", "vvvgg", "vvvvg"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ButtonState state = pictured(c.button.width(), c.button.height(), c.style, c.picture);
        if (!c.drawn.isEmpty()) {
            state.PictureWidth = c.drawn.width();
            state.PictureHeight = c.drawn.height();
        }
        state.Enabled = c.enabled;
        state.g_Hover = c.hover;
        state.ForeColor = kBlack;
        expectPicture(paintOnce(state).copy(c.seen), c.want, legend);
    }
}

TEST(Picture, EmptyOrOtherPicturesReserveTheirPlaceAndDrawNothing) {
    ButtonState state = buttonOf(100, 40, 4, kFace);
    state.Caption = "OO";
    state.ForeColor = kRed;
    state.Picture = OlePicture::empty();
    ButtonDrawState draw;
    const QImage image = paintWith(state, draw);
    EXPECT_EQ(draw.g_CaptionRect, (WinRect{53, 13, 83, 26}));
    EXPECT_EQ(image.copy(0, 0, 53, 40), makeSurface(53, 40, kFace));
    state.Picture =
        std::make_shared<OlePicture>(OlePicture::Type::Metafile, imageFrom({"##", "##"}));
    EXPECT_EQ(paintOnce(state), image);
}

TEST(Picture, APictureWiderThan32767PixelsEndsTheRefreshWithAnOverflow) {
    ButtonState state = pictured(40, 30, 3, OlePicture::bitmap(imageFrom({"#o"})));
    state.Caption = "Ok";
    state.PicturePosition = 9; // keep the picture where it was
    state.PictureWidth = 40000;
    state.PictureHeight = 2;
    ButtonDrawState draw;
    draw.g_PictureRect = {1, 1, 3, 2};
    RefreshError error = RefreshError::None;
    paintWith(state, draw, &error);
    EXPECT_EQ(error, RefreshError::Overflow);
    // The offset of the pressed picture is not left behind, and the caption,
    // drawn after the picture, is not reached.
    state.g_Pressed = 1;
    const QImage image = paintWith(state, draw, &error);
    EXPECT_EQ(error, RefreshError::Overflow);
    EXPECT_EQ(draw.g_PictureRect, (WinRect{1, 1, 3, 2}));
    ButtonState plain = bare(state);
    plain.Caption.clear();
    EXPECT_EQ(image, paintOnce(plain));

    for (int width : {32767, -5}) {
        state.PictureWidth = width;
        paintWith(state, draw, &error);
        EXPECT_EQ(error, RefreshError::None) << width;
    }
    state.OriginalPicSizeW = 40000;
    state.PictureWidth = 2;
    state.Enabled = false; // the natural size goes through TransparentBlit here
    paintWith(state, draw, &error);
    EXPECT_EQ(error, RefreshError::Overflow);
}

#include "xpbutton/face/buttonpicture.h"

#include "platform/units/sharperimages.h"
#include "xpbutton/face/buttoncaption.h"
#include "xpbutton/face/faceprimitives.h"
#include "xpbutton/gdi/blit.h"
#include "xpbutton/gdi/checkedmath.h"
#include "xpbutton/gdi/colorarithmetic.h"
#include "xpbutton/gdi/drawstate.h"
#include "xpbutton/gdi/memorybitmap.h"
#include "xpbutton/gdi/transparentblit.h"

#include <cmath>
#include <optional>

namespace {
constexpr ColorValue kWhite = 0x00FFFFFF;
constexpr ColorValue kBlack = 0;

// The sizes a picture is drawn through: natural (nw x nh) and drawn (pw x ph).
struct PictureSizes {
    int nw;
    int nh;
    int pw;
    int ph;
};

PictureSizes sizesOf(const ButtonState& state) {
    return {state.OriginalPicSizeW, state.OriginalPicSizeH, state.PictureWidth,
            state.PictureHeight};
}

QImage pictureOf(const ButtonState& state) {
    return state.Picture ? state.Picture->image() : QImage();
}

using PictureDraw = void (*)(DeviceContext&, const ButtonState&, std::uint8_t, const WinRect&,
                             std::uint8_t);

std::int32_t pictureOffset(const ButtonState& state) {
    const bool pressed = state.g_Pressed == 1;
    if (state.g_Hover == 1 && !pressed && state.ButtonStyle == 2)
        return -3;
    if (pressed && state.ButtonStyle != 2)
        return 1;
    return 0;
}

// The picture as a surface with `scale` device pixels to a pixel draws it:
// its sharpest drawing, and its sizes in device pixels.
ButtonState onDevice(const ButtonState& state, qreal scale) {
    ButtonState device = state;
    QImage image = imageForRatio(state.Picture->image(), state.Picture->sharper(), scale);
    const qreal own = image.devicePixelRatio();
    image.setDevicePixelRatio(1);
    device.Picture = std::make_shared<OlePicture>(state.Picture->type(), image);
    const auto times = [](std::int32_t length, qreal by) {
        return to32(std::llround(length * by));
    };
    device.OriginalPicSizeW = times(state.OriginalPicSizeW, own);
    device.OriginalPicSizeH = times(state.OriginalPicSizeH, own);
    device.PictureWidth = times(state.PictureWidth, scale);
    device.PictureHeight = times(state.PictureHeight, scale);
    return device;
}

// Where a rectangle of the button's pixels starts on the device, with the
// picture's device size.
WinRect onDevice(const WinRect& rect, const ButtonState& device, qreal scale) {
    const std::int32_t left = to32(std::llround(rect.left * scale));
    const std::int32_t top = to32(std::llround(rect.top * scale));
    return {left, top, to32(std::int64_t(left) + device.PictureWidth),
            to32(std::int64_t(top) + device.PictureHeight)};
}

// Embossed, then laid over the face with its black background left out.
void drawDisabledBitmap(DeviceContext& hDC, const ButtonState& state, const Bitmap& scaled,
                        const WinRect& rect) {
    const PictureSizes sizes = sizesOf(state);
    const int pw = sizes.pw;
    const int ph = sizes.ph;
    MemoryBitmap embossed(hDC, pw, ph);
    DrawStateA(embossed.dc, nullptr, scaled.toImage(), 0, 0, 0, 0, DST_BITMAP | DSS_DISABLED);
    TransparentBlit(hDC, hDC, embossed.dc, 0, 0, pw, ph, rect.left, rect.top, kBlack);
}
} // namespace

void DrawBitmapPicture(DeviceContext& hDC, const ButtonState& state, std::uint8_t normal,
                       const WinRect& rect, std::uint8_t shadow) {
    const auto [nw, nh, pw, ph] = sizesOf(state);
    const QImage picture = pictureOf(state);
    const ColorValue mask = TranslateColor(state.MaskColor);
    MemoryBitmap natural(hDC, nw, nh);
    MemoryBitmap scaled(hDC, pw, ph);

    if (normal == 1) {
        DrawStateA(natural.dc, nullptr, picture, 0, 0, 0, 0, DST_BITMAP | DSS_NORMAL);
        StretchBlt(scaled.dc, 0, 0, pw, ph, natural.dc, 0, 0, nw, nh, SRCCOPY);
        TransparentBlit(hDC, hDC, scaled.dc, 0, 0, pw, ph, rect.left, rect.top, mask);
        return;
    }
    MemoryBitmap original(hDC, Bitmap::fromImage(picture));
    // The picture on white, its mask colour turned white too.
    SetBkColor(natural.dc, kWhite);
    DrawRect(natural.dc, 0, 0, nw, nh, kWhite, true);
    TransparentBlit(natural.dc, natural.dc, original.dc, 0, 0, nw, nh, 0, 0, mask);
    StretchBlt(scaled.dc, 0, 0, pw, ph, natural.dc, 0, 0, nw, nh, SRCCOPY);
    scaled.deselect();
    if (shadow == 1) {
        const Brush grey = CreateSolidBrush(kSilhouetteGrey);
        DrawStateA(hDC, &grey, scaled.bitmap.toImage(), rect.left, rect.top, 0, 0,
                   DST_BITMAP | DSS_MONO);
    } else {
        drawDisabledBitmap(hDC, state, scaled.bitmap, rect);
    }
}

void DrawIconPicture(DeviceContext& hDC, const ButtonState& state, std::uint8_t normal,
                     const WinRect& rect, std::uint8_t shadow) {
    const auto [nw, nh, pw, ph] = sizesOf(state);
    const QImage icon = pictureOf(state);
    const std::int32_t width = to32(std::int64_t(rect.right) - rect.left);
    const std::int32_t height = to32(std::int64_t(rect.bottom) - rect.top);
    if (normal == 1) {
        PaintPicture(hDC, icon, rect.left, rect.top, width, height, 0, 0, nw, nh);
        return;
    }
    MemoryBitmap natural(hDC, nw, nh);
    MemoryBitmap scaled(hDC, pw, ph);
    if (shadow == 1) {
        const Brush grey = CreateSolidBrush(kSilhouetteGrey);
        DrawStateA(natural.dc, &grey, icon, 0, 0, 0, 0, DST_ICON | DSS_MONO);
    } else {
        DrawStateA(natural.dc, nullptr, icon, 0, 0, 0, 0, DST_ICON | DSS_DISABLED);
    }
    StretchBlt(scaled.dc, 0, 0, width, height, natural.dc, 0, 0, nw, nh, SRCCOPY);
    TransparentBlit(hDC, hDC, scaled.dc, 0, 0, pw, ph, rect.left, rect.top, kBlack);
}

void DrawPicture(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw) {
    if (!state.Picture)
        return;
    draw.g_SavedRect = draw.g_PictureRect;
    draw.g_PictureRect = offsetAll(draw.g_PictureRect, pictureOffset(state));

    PictureDraw drawPicture = nullptr;
    if (state.Picture->type() == OlePicture::Type::Bitmap)
        drawPicture = DrawBitmapPicture;
    else if (state.Picture->type() == OlePicture::Type::Icon)
        drawPicture = DrawIconPicture;
    try {
        // On a surface with more device pixels the picture is drawn at the
        // device's pixels, from its sharpest drawing.
        const qreal scale = hDC.scale;
        const std::optional<ButtonState> device =
            scale == 1 ? std::nullopt : std::optional(onDevice(state, scale));
        const ButtonState& drawn = device ? *device : state;
        const auto place = [&](const WinRect& rect) {
            return device ? onDevice(rect, *device, scale) : rect;
        };
        if (!drawPicture) {
            // Other kinds of picture are not drawn.
        } else if (!state.Enabled) {
            drawPicture(hDC, drawn, 0, place(draw.g_PictureRect), 0);
        } else if (state.g_Hover == 1 && state.g_Pressed != 1 && state.ButtonStyle == 2) {
            drawPicture(hDC, drawn, 0, place(draw.g_SavedRect), 1);
            drawPicture(hDC, drawn, 1, place(draw.g_PictureRect), 0);
        } else {
            drawPicture(hDC, drawn, 1, place(draw.g_PictureRect), 0);
        }
    } catch (...) {
        draw.g_PictureRect = draw.g_SavedRect;
        throw;
    }
    draw.g_PictureRect = draw.g_SavedRect;
}

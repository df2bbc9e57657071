#include "xpbutton/face/buttonlayout.h"

#include "xpbutton/face/faceprimitives.h"
#include "xpbutton/gdi/checkedmath.h"
#include "xpbutton/gdi/drawtext.h"

namespace {
constexpr int kGap = 4;

// Where a run of `size` pixels starts when centred in start..end.
std::int32_t centred(std::int64_t start, std::int64_t end, std::int64_t size) {
    return to32(start + div32(end - start - size, 2));
}

WinRect placed(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height) {
    return {to32(left), to32(top), to32(left + width), to32(top + height)};
}

// Two boxes side by side, kGap apart, centred together across `inner` and
// each centred on its own down it. The first is placed before the second.
void sideBySide(const WinRect& inner, std::int64_t w1, std::int64_t h1, WinRect& first,
                std::int64_t w2, std::int64_t h2, WinRect& second) {
    first = placed(centred(inner.left, inner.right, w1 + kGap + w2),
                   centred(inner.top, inner.bottom, h1), w1, h1);
    second = placed(std::int64_t(first.right) + kGap, centred(inner.top, inner.bottom, h2), w2, h2);
}

// The same with the first box above the second.
void stacked(const WinRect& inner, std::int64_t w1, std::int64_t h1, WinRect& first,
             std::int64_t w2, std::int64_t h2, WinRect& second) {
    first = placed(centred(inner.left, inner.right, w1),
                   centred(inner.top, inner.bottom, h1 + kGap + h2), w1, h1);
    second =
        placed(centred(inner.left, inner.right, w2), std::int64_t(first.bottom) + kGap, w2, h2);
}
} // namespace

QString captionText(const ButtonState& state) {
    return toAnsiText(state.Caption);
}

WinRect centredBox(const WinRect& inner, std::int64_t width, std::int64_t height) {
    return placed(centred(inner.left, inner.right, width), centred(inner.top, inner.bottom, height),
                  width, height);
}

void placePictureAndCaption(const WinRect& inner, std::int32_t position, std::int32_t pw,
                            std::int32_t ph, WinRect& picture, WinRect& caption) {
    const std::int64_t cw = std::int64_t(caption.right) - caption.left;
    const std::int64_t ch = std::int64_t(caption.bottom) - caption.top;
    switch (position) {
    case 0: // above
        stacked(inner, pw, ph, picture, cw, ch, caption);
        break;
    case 1: // left
        sideBySide(inner, pw, ph, picture, cw, ch, caption);
        break;
    case 2: // right
        sideBySide(inner, cw, ch, caption, pw, ph, picture);
        break;
    case 3: // below
        stacked(inner, cw, ch, caption, pw, ph, picture);
        break;
    default: // the caption alone; the picture stays where it was
        break;
    }
}

void MeasureCaption(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw) {
    TextParams& params = draw.g_TextParams;
    params.size = 20;
    params.tabLength = 1;
    params.leftMargin = 1;
    params.rightMargin = 1;
    const QString text = captionText(state);
    WinRect& box = draw.g_CaptionRect;
    DrawTextExA(hDC, text, static_cast<int>(text.size()), box,
                DT_CALCRECT | DT_WORDBREAK | DT_VCENTER | DT_CENTER, &params);
    box = centredBox(draw.g_InnerRect, std::int64_t(box.right) - box.left,
                     std::int64_t(box.bottom) - box.top);
}

void CalcLayout(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw) {
    const int sw = scaleWidthPixels(state);
    const int sh = scaleHeightPixels(state);
    draw.g_ClientRect = {0, 0, sw - 1, sh - 1};
    const WinRect& client = draw.g_ClientRect;
    draw.g_InnerRect = {client.left + 4, client.top + 4, client.right - 3, client.bottom - 3};

    if (!state.Picture) {
        draw.g_CaptionRect = draw.g_InnerRect;
        MeasureCaption(hDC, state, draw);
        return;
    }
    if (state.Caption.isEmpty()) {
        draw.g_PictureRect = centredBox(draw.g_InnerRect, state.PictureWidth, state.PictureHeight);
        return;
    }
    draw.g_CaptionRect = draw.g_InnerRect;
    MeasureCaption(hDC, state, draw);
    placePictureAndCaption(draw.g_InnerRect, state.PicturePosition, state.PictureWidth,
                           state.PictureHeight, draw.g_PictureRect, draw.g_CaptionRect);
}

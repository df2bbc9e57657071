#include "xpbutton/face/facebackground.h"

#include "xpbutton/face/faceprimitives.h"
#include "xpbutton/gdi/blit.h"
#include "xpbutton/gdi/colorarithmetic.h"

void Cls(DeviceContext& hDC, const ButtonDrawState& draw) {
    if (QImage* surface = hDC.target())
        surface->fill(toQRgb(TranslateColor(draw.FaceColor)));
}

void setFaceColor(DeviceContext& hDC, ButtonDrawState& draw, ColorValue colour) {
    draw.FaceColor = colour;
    Cls(hDC, draw);
}

void PaintBackground(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw) {
    if (state.ButtonStyle == 3)
        return;
    if (state.ButtonStyle != 2) {
        if (state.TransparentBG)
            CopyParentBackground(hDC, state);
        return;
    }
    if (state.g_Pressed != 1 && state.TransparentBG)
        CopyParentBackground(hDC, state);
    else
        setFaceColor(hDC, draw, state.BackColor);
    const ColorParts highlight = SplitColor(sysColor(SysColor::Highlight));
    if (state.g_Hover == 1 && state.g_Pressed != 1) {
        setFaceColor(hDC, draw,
                     state.XPDefaultColors
                         ? RGB(highlight.red + 171, highlight.green + 154, highlight.blue + 108)
                         : state.XPColor_Hover);
    } else if (state.g_Pressed == 1) {
        setFaceColor(hDC, draw,
                     state.XPDefaultColors
                         ? RGB(highlight.red + 156, highlight.green + 139, highlight.blue + 108)
                         : state.XPColor_Pressed);
    }
}

void CopyParentBackground(DeviceContext& hDC, const ButtonState& state) {
    const QPoint at = state.PositionInParent.value_or(QPoint(0, 0));
    if (state.ParentPicture.isNull())
        return;
    DeviceContext picture = CreateCompatibleDC(hDC);
    const Bitmap bitmap = Bitmap::fromImage(state.ParentPicture);
    const Bitmap previous = SelectObject(picture, bitmap);
    BitBlt(hDC, 0, 0, scaleWidthPixels(state), scaleHeightPixels(state), picture, at.x(), at.y(),
           SRCCOPY);
    SelectObject(picture, previous);
}

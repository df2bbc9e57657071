#include "buttonpainter.h"

#include "buttoncaption.h"
#include "buttonlayout.h"
#include "buttonpicture.h"
#include "checkedmath.h"
#include "facebackground.h"
#include "faceborder.h"
#include "gdishapes.h"

RefreshError paintButton(QImage& surface, const ButtonState& state, ButtonDrawState& draw) {
    DeviceContext hDC(surface);
    SelectObject(hDC, state.Font);
    try {
        Cls(hDC, draw);
        PaintBackground(hDC, state, draw);
        if (state.ButtonStyle != 4)
            DrawBorder(hDC, state, draw);
        CalcLayout(hDC, state, draw);
        DrawPicture(hDC, state, draw);
        // The focus rectangle lies under the caption.
        if (state.g_HasFocus == 1 && state.ShowFocusRect && state.ButtonStyle != 3)
            DrawFocusRect(hDC, state.g_FocusRect);
        DrawCaption(hDC, state, draw);
    } catch (const OverflowError&) {
        return RefreshError::Overflow;
    }
    return RefreshError::None;
}

#include "xpbutton/face/buttoncaption.h"

#include "xpbutton/face/buttonlayout.h"
#include "xpbutton/gdi/checkedmath.h"
#include "xpbutton/gdi/colorarithmetic.h"
#include "xpbutton/gdi/drawtext.h"

WinRect offsetAll(const WinRect& rect, std::int32_t amount) {
    return {to32(std::int64_t(rect.left) + amount), to32(std::int64_t(rect.top) + amount),
            to32(std::int64_t(rect.right) + amount), to32(std::int64_t(rect.bottom) + amount)};
}

void DrawCaption(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw) {
    if (state.Caption.isEmpty())
        return;
    SetTextColor(hDC, TranslateColor(state.ForeColor));
    draw.g_SavedRect = draw.g_CaptionRect;
    if (state.g_Pressed == 1 && state.ButtonStyle != 2)
        draw.g_CaptionRect = offsetAll(draw.g_CaptionRect, 1);

    const QString text = captionText(state);
    const int length = static_cast<int>(text.size());
    constexpr unsigned flags = DT_WORDBREAK | DT_VCENTER | DT_CENTER;
    if (state.Enabled) {
        DrawTextExA(hDC, text, length, draw.g_CaptionRect, flags, &draw.g_TextParams);
        draw.g_CaptionRect = draw.g_SavedRect;
        return;
    }
    SetTextColor(hDC, sysColor(SysColor::ButtonHighlight));
    WinRect moved = offsetAll(draw.g_CaptionRect, 1);
    DrawTextExA(hDC, text, length, moved, flags, &draw.g_TextParams);
    SetTextColor(hDC, sysColor(SysColor::ButtonShadow));
    DrawTextExA(hDC, text, length, draw.g_CaptionRect, flags, &draw.g_TextParams);
    SetTextColor(hDC, TranslateColor(draw.BaseForeColor));
}

#include "xpbutton/face/buttonpainter.h"

#include "xpbutton/face/buttoncaption.h"
#include "xpbutton/face/buttonlayout.h"
#include "xpbutton/face/buttonpicture.h"
#include "xpbutton/face/facebackground.h"
#include "xpbutton/face/faceborder.h"
#include "xpbutton/gdi/checkedmath.h"
#include "xpbutton/gdi/gdishapes.h"

#include <cmath>

namespace {

// Steps 2 to 5 of a refresh: what lies under the picture, and the layout.
void paintFace(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw) {
    Cls(hDC, draw);
    PaintBackground(hDC, state, draw);
    if (state.ButtonStyle != 4)
        DrawBorder(hDC, state, draw);
    CalcLayout(hDC, state, draw);
}

// The rest: picture, focus rectangle (at `focusRect`, on the context's own
// pixels) and caption.
void paintContent(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw,
                  const WinRect& focusRect) {
    DrawPicture(hDC, state, draw);
    // The focus rectangle lies under the caption.
    if (state.g_HasFocus == 1 && state.ShowFocusRect && state.ButtonStyle != 3)
        DrawFocusRect(hDC, focusRect);
    DrawCaption(hDC, state, draw);
}

int wholeRatio(qreal ratio) {
    return std::max(1, static_cast<int>(std::ceil(ratio - 1e-9)));
}

int deviceLength(int length, qreal ratio) {
    return static_cast<int>(std::ceil(length * ratio - 1e-9));
}

} // namespace

RefreshError paintButton(QImage& surface, const ButtonState& state, ButtonDrawState& draw) {
    DeviceContext hDC(surface);
    SelectObject(hDC, state.Font);
    try {
        paintFace(hDC, state, draw);
        paintContent(hDC, state, draw, state.g_FocusRect);
    } catch (const OverflowError&) {
        return RefreshError::Overflow;
    }
    return RefreshError::None;
}

QImage faceAtRatio(const QImage& face, qreal ratio) {
    const int whole = wholeRatio(ratio);
    QImage repeated(face.size() * whole, QImage::Format_RGB32);
    for (int y = 0; y < repeated.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(face.constScanLine(y / whole));
        auto* to = reinterpret_cast<QRgb*>(repeated.scanLine(y));
        for (int x = 0; x < repeated.width(); ++x)
            to[x] = from[x / whole];
    }
    const QSize device(deviceLength(face.width(), ratio), deviceLength(face.height(), ratio));
    if (repeated.size() == device)
        return repeated;
    return repeated.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

QImage paintButtonAtRatio(QSize size, const ButtonState& state, ButtonDrawState& draw, qreal ratio,
                          RefreshError* error) {
    QImage face(size, QImage::Format_RGB32);
    DeviceContext faceDC(face);
    SelectObject(faceDC, state.Font);
    RefreshError result = RefreshError::None;
    try {
        paintFace(faceDC, state, draw);
    } catch (const OverflowError&) {
        result = RefreshError::Overflow;
    }
    QImage device = faceAtRatio(face, ratio);
    if (result == RefreshError::None) {
        DeviceContext hDC(device);
        SelectObject(hDC, state.Font);
        hDC.scale = ratio;
        const WinRect& f = state.g_FocusRect;
        const auto at = [ratio](std::int32_t v) { return to32(std::llround(v * ratio)); };
        try {
            paintContent(hDC, state, draw, {at(f.left), at(f.top), at(f.right), at(f.bottom)});
        } catch (const OverflowError&) {
            result = RefreshError::Overflow;
        }
    }
    device.setDevicePixelRatio(ratio);
    if (error)
        *error = result;
    return device;
}

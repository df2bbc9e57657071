#pragma once

#include "xpbutton/face/buttonstate.h"

#include <QImage>

// One refresh of the button: clears the surface to the face colour and paints
// background, border, picture, focus rectangle and caption in that order.
// The surface is the button's client area. Returns the error that ended the
// refresh early, if any.
RefreshError paintButton(QImage& surface, const ButtonState& state, ButtonDrawState& draw);

// The same refresh for a screen with `ratio` device pixels to a pixel (above
// 1), on a new image of the client area `size` in device pixels, its device
// pixel ratio set. The face is the designed one at 1x, repeated by whole
// pixels (faceAtRatio); the picture (from its sharpest drawing), the focus
// rectangle and the caption are laid out as at 1x and drawn at the device's
// pixels. `draw` goes through the same steps as in paintButton.
QImage paintButtonAtRatio(QSize size, const ButtonState& state, ButtonDrawState& draw, qreal ratio,
                          RefreshError* error = nullptr);

// The designed face at a device pixel ratio: every pixel repeated by the
// whole ratio at or above it; at a ratio that is not whole the result is then
// scaled smoothly to the device size (each length times the ratio, rounded
// up), so no line comes out wider than another.
QImage faceAtRatio(const QImage& face, qreal ratio);

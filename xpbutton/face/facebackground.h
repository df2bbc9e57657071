#pragma once

#include "xpbutton/face/buttonstate.h"
#include "xpbutton/gdi/devicecontext.h"

// Clears the whole surface to the face colour (the base's own BackColor).
void Cls(DeviceContext& hDC, const ButtonDrawState& draw);

// Assigns the base's BackColor: stored for later refreshes, and the whole
// surface is cleared to it at once.
void setFaceColor(DeviceContext& hDC, ButtonDrawState& draw, ColorValue colour);

// The face colour for style and state (style 2), or the parent's background.
void PaintBackground(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw);

// Copies the part of the parent's background picture under the button onto
// the face. Without a background picture nothing changes; without a known
// position the picture's top-left corner is used.
void CopyParentBackground(DeviceContext& hDC, const ButtonState& state);

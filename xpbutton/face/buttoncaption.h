#pragma once

#include "xpbutton/face/buttonstate.h"
#include "xpbutton/gdi/devicecontext.h"

// Draws the caption in g_CaptionRect: one pixel right and down while pressed
// (not in style 2), embossed in highlight and shadow when disabled. The
// rectangle is put back afterwards, except on the disabled path.
void DrawCaption(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw);

// g_CaptionRect-style offset of all four values; throws OverflowError when a
// value leaves 32 bits.
WinRect offsetAll(const WinRect& rect, std::int32_t amount);

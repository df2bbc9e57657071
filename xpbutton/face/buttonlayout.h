#pragma once

#include "xpbutton/face/buttonstate.h"
#include "xpbutton/gdi/devicecontext.h"

// Places picture and caption in the face: sets g_ClientRect, g_InnerRect and,
// as the case needs, g_CaptionRect and g_PictureRect; a rectangle not
// computed keeps its value. Throws OverflowError when a position does not fit
// 32 bits.
void CalcLayout(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw);

// Measures the caption from g_CaptionRect's left and top in the context's
// font, then centres the box in g_InnerRect without changing its size.
void MeasureCaption(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw);

// The arithmetic of CalcLayout once the caption is measured: places the
// picture (pw x ph) and the caption box (keeping its size) in `inner` by
// PicturePosition, 4 pixels apart. An unknown position leaves both alone.
// Throws OverflowError when a position does not fit 32 bits.
void placePictureAndCaption(const WinRect& inner, std::int32_t position, std::int32_t pw,
                            std::int32_t ph, WinRect& picture, WinRect& caption);

// A box of the given size centred in `inner` (leftovers divided truncating
// toward zero).
WinRect centredBox(const WinRect& inner, std::int64_t width, std::int64_t height);

// The caption as the text calls take it: in the ANSI code page.
QString captionText(const ButtonState& state);

#pragma once

#include "xpbutton/face/buttonstate.h"
#include "xpbutton/gdi/devicecontext.h"

#include <cstdint>

// Frames, bevels and faces by style, state and design or run mode. A step
// that fails (an overflow in the bevel arithmetic) ends that step only.
void DrawBorder(DeviceContext& hDC, const ButtonState& state, ButtonDrawState& draw);

// BEVEL + 1 rings darkening outward, then top and left lines lightening
// outward. Throws OverflowError when -step does not fit 16 bits.
void DrawBevelRaised(DeviceContext& hDC, const ButtonState& state, ColorValue colour,
                     std::int16_t rings, std::int16_t step);
// The mirror image: rings lightening outward, top and left lines darkening.
void DrawBevelSunken(DeviceContext& hDC, const ButtonState& state, ColorValue colour,
                     std::int16_t rings, std::int16_t step);

// The default button's frame: a stronger bevel over the one already there, or
// a shadow line inside the right and bottom edges. Throws OverflowError when
// step + 3 does not fit 16 bits.
void DrawDefaultFrame(DeviceContext& hDC, const ButtonState& state, const ButtonDrawState& draw,
                      std::int16_t rings, std::int16_t step);

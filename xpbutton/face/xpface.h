#pragma once

#include "xpbutton/face/buttonstate.h"
#include "xpbutton/gdi/devicecontext.h"

#include <cstdint>

// The whole style-3 face in g_Width x g_Height: gradient, dark outline with
// inner corner pixels, edge lines, and the focus and hover rings. State 0 is
// the normal face, 2 the pressed one; any other state leaves the plain fill.
// A disabled button gets the flat disabled face whatever state and hover say.
void DrawXPFace(DeviceContext& hDC, const ButtonState& state, std::uint8_t faceState,
                std::uint8_t hover);

#pragma once

#include "xpbutton/face/buttonstate.h"
#include "xpbutton/gdi/devicecontext.h"

#include <cstdint>

// The face's two drawing primitives and the sizes they work with.

// A filled rectangle, or a one-pixel frame along its inside; the colour may be
// a system colour. A brush is made for the call and dropped after it.
void DrawRect(DeviceContext& hDC, int left, int top, int right, int bottom, ColorValue colour,
              bool fill);

// A one-pixel line in a plain colour; the end point is not painted. The new
// pen replaces the context's current one.
void DrawLine(DeviceContext& hDC, int x1, int y1, int x2, int y2, ColorValue rgb);

// Nearest whole number, halves to the even neighbour, kept within 64 bits.
std::int64_t roundToInt64(double value);

// ScaleWidth and ScaleHeight in whole pixels (SW and SH).
int scaleWidthPixels(const ButtonState& state);
int scaleHeightPixels(const ButtonState& state);

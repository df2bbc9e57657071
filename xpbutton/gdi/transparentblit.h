#pragma once

#include "xpbutton/gdi/devicecontext.h"

// Copies the source block (x1, y1)-(x2, y2) to the target at (dx, dy); the
// source's pixels of exactly maskColour let the background's pixels at the
// same place show instead. Width and height are held in 16 bits: a block
// wider or higher than 32767 throws OverflowError before anything is drawn.
void TransparentBlit(DeviceContext& target, DeviceContext& background, DeviceContext& source,
                     int x1, int y1, int x2, int y2, int dx, int dy, ColorValue maskColour);

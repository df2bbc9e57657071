#pragma once

#include "xpbutton/gdi/devicecontext.h"

// Image types and states for DrawStateA.
enum DrawStateFlag : unsigned {
    DST_ICON = 0x3,
    DST_BITMAP = 0x4,
    DSS_NORMAL = 0x0,
    DSS_DISABLED = 0x20,
    DSS_MONO = 0x80,
};

// Draws a bitmap or an icon (an image with alpha) at (x, y) in cx x cy
// pixels (0 takes the image's own size), not scaled: the image is cut off or
// padded.
// - normal: a bitmap is copied, an icon laid over with its own transparency;
// - monochrome: every pixel of the image that is not white (for an icon: not
//   white and at least half opaque) is painted with the brush, the rest left
//   alone;
// - disabled: the same pixels embossed, in button highlight one pixel right
//   and down, then in button shadow at the place itself.
// Returns false, drawing nothing, for an unknown type or state, a null image
// or a monochrome draw without a brush.
bool DrawStateA(DeviceContext& dc, const Brush* brush, const QImage& image, int x, int y, int cx,
                int cy, unsigned flags);

// The control base's picture painting: the source block (sx, sy, sw, sh) of
// the picture scaled into (x, y, w, h) with nearest sampling, each pixel laid
// over with its own alpha. Pixels outside the picture are transparent.
// Extents that are not positive draw nothing.
void PaintPicture(DeviceContext& dc, const QImage& picture, int x, int y, int w, int h, int sx,
                  int sy, int sw, int sh);

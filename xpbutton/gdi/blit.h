#pragma once

#include "xpbutton/gdi/devicecontext.h"

#include <cstdint>

// Raster operations the button uses.
enum RasterOp : std::uint32_t {
    SRCCOPY = 0x00CC0020,
    NOTSRCCOPY = 0x00330008,
    SRCAND = 0x008800C6,
    SRCINVERT = 0x00660046,
};

// Copies a w x h block of the source at (sx, sy) to (x, y) of the target,
// combining source and target by the raster operation. Between formats:
// colour to monochrome gives 1 where the pixel equals the source's background
// colour and 0 elsewhere; monochrome to colour gives the target's background
// colour for 1 and its text colour for 0. Target pixels outside the target
// bitmap are clipped; those whose source pixel lies outside the source bitmap
// are left as they are. An unknown operation or a block that is not positive
// in both directions draws nothing and returns false.
bool BitBlt(DeviceContext& target, int x, int y, int w, int h, const DeviceContext& source, int sx,
            int sy, std::uint32_t rop);

// Like BitBlt, with the source block (sx, sy, sw, sh) scaled to w x h. Each
// target pixel takes the source pixel under its centre (nearest sampling,
// also for monochrome sources).
bool StretchBlt(DeviceContext& target, int x, int y, int w, int h, const DeviceContext& source,
                int sx, int sy, int sw, int sh, std::uint32_t rop);

// Offsets i in [first, end) of a run of `length` pixels starting at `origin`
// for which origin + i lies in 0..limit-1; first >= end when none does.
struct VisibleSpan {
    int first = 0;
    int end = 0;
};
VisibleSpan visibleSpan(int origin, int length, int limit);

// The source index, counted from the block's start, that target index i of
// a block of `targetLength` samples from a block of `sourceLength`.
int nearestSourceIndex(int i, int targetLength, int sourceLength);

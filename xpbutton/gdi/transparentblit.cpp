#include "xpbutton/gdi/transparentblit.h"

#include "xpbutton/gdi/blit.h"
#include "xpbutton/gdi/checkedmath.h"
#include "xpbutton/gdi/memorybitmap.h"

void TransparentBlit(DeviceContext& target, DeviceContext& background, DeviceContext& source,
                     int x1, int y1, int x2, int y2, int dx, int dy, ColorValue maskColour) {
    const std::int16_t w = to16(std::int64_t(x2) - x1);
    const std::int16_t h = to16(std::int64_t(y2) - y1);

    MemoryBitmap mask(background, CreateBitmap(w, h, 1, 1));
    MemoryBitmap inverse(background, CreateBitmap(w, h, 1, 1));
    MemoryBitmap result(background, w, h);
    MemoryBitmap work(background, w, h);
    // An empty block, or one too large to hold, draws nothing.
    if (mask.bitmap.isNull() || inverse.bitmap.isNull() || result.bitmap.isNull() ||
        work.bitmap.isNull())
        return;

    // 1 where the source shows the mask colour.
    const ColorValue oldBack = SetBkColor(source, maskColour);
    BitBlt(mask.dc, 0, 0, w, h, source, x1, y1, SRCCOPY);
    SetBkColor(source, oldBack);
    BitBlt(inverse.dc, 0, 0, w, h, mask.dc, 0, 0, NOTSRCCOPY);

    // The background where the picture is transparent, black elsewhere...
    BitBlt(result.dc, 0, 0, w, h, background, dx, dy, SRCCOPY);
    BitBlt(result.dc, 0, 0, w, h, mask.dc, 0, 0, SRCAND);
    // ...the picture where it is opaque, black elsewhere...
    BitBlt(work.dc, 0, 0, w, h, source, x1, y1, SRCCOPY);
    BitBlt(work.dc, 0, 0, w, h, inverse.dc, 0, 0, SRCAND);
    // ...and the two together.
    BitBlt(result.dc, 0, 0, w, h, work.dc, 0, 0, SRCINVERT);
    BitBlt(target, dx, dy, w, h, result.dc, 0, 0, SRCCOPY);
}

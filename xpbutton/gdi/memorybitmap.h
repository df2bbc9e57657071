#pragma once

#include "xpbutton/gdi/devicecontext.h"

// A memory context compatible with another one, with a bitmap of its own
// selected. The bitmap the context started with goes back in before both are
// released, as drawing objects must be handed back before they are deleted.
class MemoryBitmap {
public:
    MemoryBitmap(const DeviceContext& like, Bitmap selected)
        : dc(CreateCompatibleDC(like)), bitmap(std::move(selected)),
          m_previous(SelectObject(dc, bitmap)) {}
    // A compatible w x h bitmap, black at first.
    MemoryBitmap(const DeviceContext& like, int w, int h)
        : MemoryBitmap(like, CreateCompatibleBitmap(like, w, h)) {}
    ~MemoryBitmap() { deselect(); }
    MemoryBitmap(const MemoryBitmap&) = delete;
    MemoryBitmap& operator=(const MemoryBitmap&) = delete;

    // Takes the bitmap out of the context, so that it can be drawn from.
    void deselect() {
        if (!m_previous.isNull())
            SelectObject(dc, m_previous);
        m_previous = Bitmap();
    }

    DeviceContext dc;
    const Bitmap bitmap;

private:
    Bitmap m_previous;
};

#pragma once

#include "xpbutton/gdi/gdiobjects.h"

#include <QFont>
#include <QImage>
#include <QPoint>

// A device context: a drawing target (a window's surface or the bitmap
// selected into a memory context) with the state the drawing calls use:
// background and text colour, current pen, font and pen position.
class DeviceContext {
public:
    // A context over a window's surface; the surface stays its bitmap.
    explicit DeviceContext(QImage& surface);

    bool isMemory() const { return m_surface == nullptr; }
    // The pixels drawn on; null when nothing can be drawn.
    QImage* target() const;
    bool isMonochrome() const;
    int width() const;
    int height() const;
    bool contains(int x, int y) const;

    // Writes one pixel, clipped. A monochrome target takes white for light
    // colours and black for dark ones.
    void putColour(int x, int y, ColorValue rgb);
    // putColour over every pixel of the rectangle inside the target.
    void fill(const WinRect& rect, ColorValue rgb);
    // Lays a pixel with its own alpha over the target, clipped.
    void blendPixel(int x, int y, QRgb argb);
    // Inverts one pixel, clipped.
    void invertPixel(int x, int y);

    // Device pixels to a pixel of the coordinates that text and pictures are
    // given in: on a surface for a screen with more device pixels, they are
    // laid out in the button's pixels and drawn at the device's. Everything
    // else works in the target's own pixels. A memory context starts at 1.
    qreal scale = 1;
    ColorValue bkColor = 0x00FFFFFF;
    ColorValue textColor = 0x00000000;
    Pen pen;
    QFont font;
    QPoint position;

private:
    DeviceContext() = default;
    friend DeviceContext CreateCompatibleDC(const DeviceContext&);
    friend Bitmap SelectObject(DeviceContext&, const Bitmap&);

    QImage* m_surface = nullptr;
    Bitmap m_bitmap;
};

// A memory context with a 1 x 1 monochrome bitmap selected, white background
// and black text.
DeviceContext CreateCompatibleDC(const DeviceContext& dc);

// A bitmap of the format of the bitmap selected in the context: colour for a
// window or a colour memory context, monochrome for a monochrome one.
Bitmap CreateCompatibleBitmap(const DeviceContext& dc, int width, int height);

// Selects a bitmap into a memory context and returns the one it held. A null
// bitmap, or a window context, selects nothing and returns a null bitmap.
Bitmap SelectObject(DeviceContext& dc, const Bitmap& bitmap);
// Makes the pen current and returns the one it replaces.
Pen SelectObject(DeviceContext& dc, const Pen& pen);
// Makes the font current and returns the one it replaces.
QFont SelectObject(DeviceContext& dc, const QFont& font);

// Both return the previous colour.
ColorValue SetBkColor(DeviceContext& dc, ColorValue rgb);
ColorValue SetTextColor(DeviceContext& dc, ColorValue rgb);

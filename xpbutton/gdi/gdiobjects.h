#pragma once

#include "xpbutton/gdi/gditypes.h"

#include <QImage>

#include <memory>

// Drawing objects with the desktop's value semantics: a pen or a brush is
// just its colour; a bitmap is a handle, so copies share the pixels.

struct Brush {
    ColorValue colour = 0;
};

struct Pen {
    ColorValue colour = 0;
};

Brush CreateSolidBrush(ColorValue rgb);
// Solid and one pixel wide: the only pen the button draws with.
Pen CreatePen(ColorValue rgb);

// A colour (32-bit RGB) or monochrome (1 bit per pixel, 1 = white) bitmap.
// A bitmap that could not be created is null and every operation on it does
// nothing.
class Bitmap {
public:
    Bitmap() = default;

    bool isNull() const { return !m_image || m_image->isNull(); }
    bool isMonochrome() const { return m_image && m_image->format() == QImage::Format_Mono; }
    int width() const { return isNull() ? 0 : m_image->width(); }
    int height() const { return isNull() ? 0 : m_image->height(); }
    // The pixels; only valid when not null.
    QImage& image() const { return *m_image; }
    // A shared copy of the pixels; a null image for a null bitmap.
    QImage toImage() const { return isNull() ? QImage() : *m_image; }

    static Bitmap colour(int width, int height);
    static Bitmap monochrome(int width, int height);
    // Wraps a picture's pixels (converted to 32-bit RGB).
    static Bitmap fromImage(const QImage& image);

    friend bool operator==(const Bitmap& a, const Bitmap& b) { return a.m_image == b.m_image; }

private:
    explicit Bitmap(QImage image);
    std::shared_ptr<QImage> m_image;
};

// One plane, one bit per pixel gives a monochrome bitmap; anything else a
// colour one. Starts black. Sizes that are not positive or too large fail.
Bitmap CreateBitmap(int width, int height, int planes, int bitsPerPixel);

// Largest bitmap the drawing layer agrees to create, in pixels.
constexpr std::int64_t kMaxBitmapPixels = std::int64_t(1) << 26;

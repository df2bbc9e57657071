#pragma once

#include "xpbutton/face/buttonstate.h"

#include <QRegion>
#include <QString>

#include <cstdint>

// Whole pixels from a fraction: nearest, halves to the even neighbour.
std::int32_t wholePixels(double value);

// The focus rectangle of a client area: inset 4 pixels on every side.
WinRect focusRectFor(double scaleWidth, double scaleHeight);

// The window shape of style 3: the client rectangle without three pixels at
// each corner.
QRegion roundedWindowRegion(std::int32_t width, std::int32_t height);

// The access key a caption marks with "&", lower-cased, or "" for none.
// "&&" is a literal ampersand; only the first "&" and, after one "&&", the
// next "&" are looked at.
QString accessKeyFromCaption(const QString& caption);

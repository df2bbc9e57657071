#pragma once

#include <QImage>
#include <QSize>

// Pictures made smaller as photo browsers make them: by area averaging, so
// that fine patterns do not turn into moire as they do when pixels are
// picked.

// A photo of the given size fitted into a square of longSide pixels at its
// shape: its long side longSide, the other rounded, at least 1. Never larger
// than the photo.
QSize fittedSize(QSize photo, int longSide);

// Each pixel of the result is the mean of the source pixels its area
// covers, a pixel covered in part counting by its share; rounded to the
// nearest. A size not smaller than the source gives the source (as RGB32).
QImage areaAverage(const QImage& source, QSize to);

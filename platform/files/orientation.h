#pragma once

#include <QByteArrayView>
#include <QPoint>
#include <QSize>

// A photo's orientation as its camera tagged it (1 to 8): how the stored
// pixels are turned and mirrored to stand upright.

// The orientation tag of an EXIF block (an APP1 segment's content, starting
// with "Exif\0\0"). Anything missing, damaged or out of range counts as 1.
int exifOrientation(QByteArrayView app1);

// Orientations 5 to 8 swap width and height.
bool swapsSides(int orientation);
QSize uprightSize(QSize stored, int orientation);

// The stored pixel shown at upright (x, y). For orientations 1 to 4 the
// stored column follows x alone and the stored row y alone; for 5 to 8 the
// stored column follows y and the stored row x.
QPoint storedPoint(int orientation, QSize stored, QPoint upright);

#pragma once

#include "app/core/previewgeometry.h"
#include "app/core/sampling.h"

#include <QImage>
#include <QPoint>
#include <QSize>

// What the scaler draws on a screen with more device pixels to a pixel: the
// same rule, sampled from the photo at the device size of the box rather
// than drawn at 1x and enlarged. At a ratio of 1 every size is the designed.

// A length of `logical` pixels in device pixels, to the nearest (a half to
// the even neighbour, as the window places it).
int deviceLength(int logical, double ratio);
QSize deviceSize(QSize logical, double ratio);

// Where a drawing of width x height starts when centred as the preview
// centres it: in a square of its long side, the halved difference truncated.
QPoint centredOrigin(int width, int height);

// The preview of a picture of trueSize (held as `pixels`, with the kept grid
// the loader keeps) at `ratio`: a square of deviceLength(329) pixels in the
// background colour, the picture sampled at previewSize(..., ratio) and
// centred. Its device pixel ratio is set, so it is drawn at 329 x 329 pixels.
QImage previewAtRatio(const QImage& pixels, QSize trueSize, const SampleGrid& kept, double ratio,
                      QRgb background);

// A picture fitted in the device size of a box of `box` pixels (the grid's
// thumbnails, the row editor's photo) on white, its device pixel ratio set.
QImage sampledAtRatio(const QImage& pixels, QSize trueSize, const SampleGrid& kept, QSize box,
                      double ratio);

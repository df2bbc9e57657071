#pragma once

#include "platform/files/picturefile.h"
#include "platform/files/samplegrid.h"

#include <QSize>

#include <cstdint>

// Grid thumbnails are 40 x 30 pixels.
constexpr std::int16_t kThumbWidth = 40;
constexpr std::int16_t kThumbHeight = 30;

// What the loader keeps of a photo for each use: exactly the pixels the
// scaler will read, computed from the upright size with the scaler's own
// positions.

// The 40 x 30 thumbnail's pixels, the photo fitted in it (boxfit.h).
SampleGrid thumbnailGrid(QSize upright);
// The preview's pixels and the thumbnail's, so that adding the photo just
// previewed reads nothing again.
SampleGrid previewGrid(QSize upright);
// A box of box.width() x box.height() pixels that the picture is fitted in.
SampleGrid boxGrid(QSize upright, QSize box);

// At a device pixel ratio above 1 each also keeps the pixels of the same
// drawing at the device's size (devicesampling.h); at 1 nothing more.
SampleLayout thumbnailLayout(double ratio = 1);
SampleLayout previewLayout(double ratio = 1);
SampleLayout boxLayout(QSize box, double ratio = 1);

#pragma once

#include "platform/files/pictureread.h"

class QIODevice;

// Decodes the PNG device holds, from its start, as readPictureFile does:
// upright as its EXIF block says, alpha on white, 16 bits rounded to 8, an
// embedded profile's colours made sRGB. The rows are inflated one at a time
// and only the pixels layout asks for are kept; an interlaced file is
// decoded whole first. A file libpng refuses, or one whose colours only a
// gamma chunk states, is left to Qt's reader, which says why in its words.
PictureRead decodePng(QIODevice& device, const SampleLayout& layout, const ReadWatch& watch);

#pragma once

#include "platform/files/pictureread.h"

class QIODevice;

// Decodes any other picture device holds (PNG, WebP, TIFF, bitmaps) with
// Qt's image readers, told by its content, as readPictureFile does: turned
// upright as its EXIF orientation says, alpha on white, 16 bits rounded to
// 8, colours made sRGB, and the pixels layout asks for picked from the whole
// decode.
PictureRead decodeWithImageReader(QIODevice& device, const SampleLayout& layout,
                                  const ReadWatch& watch);

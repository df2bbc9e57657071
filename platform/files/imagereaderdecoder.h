#pragma once

#include "platform/files/pictureread.h"

class QIODevice;

// Decodes any other picture device holds with Qt's image readers, told by
// its content, as readPictureFile does. PNG, WebP and TIFF: turned upright as
// the EXIF orientation says, alpha on white, 16 bits rounded to 8, colours
// made sRGB, and the pixels layout asks for picked from the whole decode.
// Other kinds (bitmaps): the whole picture as it is.
PictureRead decodeWithImageReader(QIODevice& device, const SampleLayout& layout,
                                  const ReadWatch& watch);

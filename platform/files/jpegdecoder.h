#pragma once

#include "platform/files/decoderlimits.h"
#include "platform/files/pictureread.h"

class QIODevice;

// Decodes the JPEG device holds, from its current position, as
// readPictureFile does: upright, keeping only the pixels layout asks for, with
// the library's accurate DCT and its own upsampling, so every kept pixel is
// the full-size decode's. The file is read a chunk at a time as the library
// asks for it.
PictureRead decodeJpeg(QIODevice& device, const SampleLayout& layout, const ReadWatch& watch);

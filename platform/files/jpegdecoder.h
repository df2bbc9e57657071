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

// The library's own reduced decode, upright and whole: the smallest of its
// scales from 1/8 to 8/8 whose long side is at least longSide (the full size
// when none is). Its pixels are block averages, not the full picture's.
// fullSize stays the picture's true size.
PictureRead decodeJpegScaled(QIODevice& device, int longSide, const ReadWatch& watch);

#pragma once

#include "platform/files/pictureread.h"

#include <QByteArrayView>

class QIODevice;

// Whether a file starting with these bytes is a HEIF picture (HEIC, AVIF).
bool isHeifStart(QByteArrayView start);

// Decodes the HEIF or AVIF picture device holds with libheif, as
// readPictureFile does: the file's own rotation and mirroring applied (they
// stand instead of its EXIF tag, which is not applied on top), alpha on
// white, more than 8 bits rounded to 8, colours made sRGB, and the pixels
// layout asks for picked from the whole decode.
PictureRead decodeHeif(QIODevice& device, const SampleLayout& layout, const ReadWatch& watch);

#pragma once

#include "platform/files/pictureread.h"

#include <QByteArray>
#include <QByteArrayView>

class QIODevice;

// Whether a file starting with these bytes is a HEIF picture (HEIC, AVIF).
bool isHeifStart(QByteArrayView start);

// The EXIF block of the HEIF picture device holds, as a JPEG's APP1 segment
// holds it ("Exif\0\0" first); empty when it has none. Read from the
// device's start; the device is left where it was.
QByteArray heifExif(QIODevice& device);

// Decodes the HEIF or AVIF picture device holds with libheif, as
// readPictureFile does: the file's own rotation and mirroring applied (they
// stand instead of its EXIF tag, which is not applied on top), alpha on
// white, more than 8 bits rounded to 8, colours made sRGB, and the pixels
// layout asks for picked from the whole decode.
PictureRead decodeHeif(QIODevice& device, const SampleLayout& layout, const ReadWatch& watch);

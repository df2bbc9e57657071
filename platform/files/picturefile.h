#pragma once

#include "platform/files/pictureread.h"

#include <QString>

class QIODevice;

// The kinds of photo told apart by a file's first bytes (16 are enough).
enum class PhotoKind { Jpeg, Heif, Png, Webp, Tiff, Other };
PhotoKind photoKind(QByteArrayView start);
// The kind of the file at path; Other when it cannot be read.
PhotoKind photoKindOf(const QString& path);

// Reads a picture file of any kind the program shows, told by its content:
// JPEG, HEIF and AVIF, PNG, WebP, TIFF, bitmaps. A JPEG is decoded row by
// row, rows no kept pixel lies on are skipped, and no full-size picture is
// ever held; a PNG is inflated row by row and only the kept pixels held; the
// others are decoded whole by their libraries and the kept pixels picked
// from that. A JPEG that is damaged or cut short is an error, not a partly
// grey picture.
PictureRead readPictureFile(const QString& path, const SampleLayout& layout = {},
                            const ReadWatch& watch = {});

// The whole picture at least longSide pixels on its long side where the
// format's library can decode it smaller (JPEG: its 1/8 to 8/8 scales),
// else the whole picture at its full size. Upright; fullSize is the true size.
PictureRead readPictureAtLeast(const QString& path, int longSide, const ReadWatch& watch = {});

// The same from a device open for reading at its start: the kind is told by
// its first bytes.
PictureRead readPicture(QIODevice& device, const SampleLayout& layout, const ReadWatch& watch);

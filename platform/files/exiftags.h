#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The tags a photo's date and camera are told by, as EXIF keeps them: text
// without its closing NUL ("2024:05:06 07:08:09", "Canon"); empty where the
// photo has none.
struct PhotoTags {
    QByteArray dateTimeOriginal; // when it was taken
    QByteArray dateTime;         // when the file was last made
    QByteArray make;
    QByteArray model;
    bool operator==(const PhotoTags&) const = default;
};

// The tags of an EXIF block (an APP1 segment's content, "Exif\0\0" first).
// A damaged block gives what could be read before the damage.
PhotoTags exifTags(QByteArrayView app1);

// The tags of a photo file: a JPEG's and HEIF's EXIF block, PNG's and WebP's
// EXIF chunk, TIFF's own tags. None when it has none or cannot be read.
PhotoTags photoTags(const QString& path);

// A small EXIF block for a JPEG's APP1 segment (little endian): orientation 1,
// and the tags the photo has.
QByteArray exifBlock(const PhotoTags& tags);

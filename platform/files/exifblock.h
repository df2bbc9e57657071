#pragma once

#include <QByteArray>

class QIODevice;

// The EXIF block of a PNG (its eXIf chunk) or WebP file (its EXIF chunk),
// read with the format's own library since Qt's readers leave it out; as a
// JPEG's APP1 segment holds it ("Exif\0\0" first), so that exifOrientation
// reads it. Empty when there is none or the file cannot be read that far.
// Read from the device's start; the device is left where it was.
QByteArray pngExif(QIODevice& device);
QByteArray webpExif(QIODevice& device);
// A JPEG's first APP1 segment that holds EXIF, looked for before its scan.
QByteArray jpegExif(QIODevice& device);

// An EXIF chunk's bytes as a JPEG's APP1 segment holds them; empty for none.
QByteArray asApp1(const char* tiff, qsizetype size);

#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// JPEGs made at test time with the JPEG library itself, and the library's own
// full-size decode to compare the program's pictures with.

enum class JpegColours { Colour, Grey, Cmyk, Ycck };

struct JpegOptions {
    JpegColours colours = JpegColours::Colour;
    int quality = 92;
    int hSampling = 2; // of the first component: 1 1 is 4:4:4, 2 1 is 4:2:2, 2 2 is 4:2:0
    int vSampling = 2;
    bool progressive = false;
    bool arithmetic = false;
    int restartRows = 0; // a restart marker every this many MCU rows
    // Greyscale progressive in 64 x bitSteps scans: every coefficient in a
    // scan of its own, and again for each further bit; 0 for the usual scans.
    int bitSteps = 0;
};

// Encodes picture (RGB). CMYK and YCCK are written as Adobe's tools write
// them: inverted, with Adobe's marker; the inks come from the colours.
QByteArray encodeJpeg(const QImage& picture, const JpegOptions& options);

// The same file with an EXIF block carrying this orientation tag right after
// its start (big endian when bigEndian).
QByteArray withOrientation(const QByteArray& jpeg, int orientation, bool bigEndian = false);

// The library's full-size decode (accurate DCT, its own upsampling), as the
// file stores it. CMYK and YCCK are turned into RGB as viewers do: red =
// (1 - cyan) x (1 - black), from Adobe's inverted values. A file the library
// warns about gives no picture, unless despiteWarnings.
QImage referenceDecode(const QByteArray& jpeg, bool despiteWarnings = false);

// The stored picture turned as orientation 1 to 8 says, with Qt's own
// mirroring and quarter turns.
QImage uprightOf(const QImage& stored, int orientation);
// The inverse: what a camera stores for an upright picture.
QImage storedFor(const QImage& upright, int orientation);

// The scaler's designed sampling of a full picture at width x height: the
// pixel at (floor(sx), floor(sy)) for every position.
QImage designedSamples(const QImage& full, int width, int height);

// The real photographs Debian's lomiri-wallpapers-16.04 installs; empty
// when it is not installed.
QStringList realPhotos();

#pragma once

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>

// A file made of a photo for the lab: its bytes, or why it could not be made,
// in words for the user.
struct MadeFile {
    QByteArray bytes;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// Quality of the JPEGs made for the lab, and their chroma: 4:2:0, as cameras
// and phones save theirs.
constexpr int kLabJpegQuality = 95;

// Whether the lab gets a JPEG made of the file at path: a photo of another
// kind the program reads (HEIF, AVIF, PNG, WebP, TIFF), told by its content.
// A JPEG, and any other file, goes as it is.
bool takesLabJpeg(const QString& path);

// A JPEG at kLabJpegQuality of white paper of the given size with an RGB32
// photo on it at `at`, with exif (an APP1 segment's content) after its start;
// or why it could not be made.
MadeFile encodeOnPaper(const QImage& photo, QSize paper, QPoint at, const QByteArray& exif);

// The JPEG the lab gets of a photo of another kind: the whole picture upright
// on white in sRGB, 8 bits, its date and camera tags kept, orientation 1.
MadeFile labJpeg(const QString& path);

// Where the photo goes in the file made for one print: the part of the
// upright photo printed, the file's size, and where that part lies in it
// (on white where it does not fill it).
struct PrintPlacement {
    QRect cut;
    QSize paper;
    QPoint at;
    bool operator==(const PrintPlacement&) const = default;
};
// Told the upright photo's size once it is read, so a photo that changed
// since it was framed is still placed as the framing says.
using PrintLayout = std::function<PrintPlacement(QSize upright)>;

// The JPEG the lab gets for one print of a photo of any kind the program
// reads: the cut laid on white paper as placed, never scaled, upright in
// sRGB, its date and camera tags kept, orientation 1.
MadeFile labPrint(const QString& path, const PrintLayout& layout);

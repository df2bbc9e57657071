#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// A picture read from a file. A failed read leaves image null and says why
// in error, in words for the user.
struct PictureRead {
    QImage image;
    QSize fullSize;        // the picture's true size, also when decoded smaller
    bool scalable = false; // a JPEG, which the decoder can reduce
    QString error;
    bool ok() const { return error.isEmpty() && !image.isNull(); }
};

// Reads a JPEG or bitmap file. A JPEG that is damaged or cut short is an
// error, not a partly grey picture. With atLeast set, a JPEG may be decoded
// at a reduced scale that is still at least that large in both directions.
PictureRead readPictureFile(const QString& path, QSize atLeast = QSize());

// The size a JPEG of fullSize is decoded at for atLeast: the smallest scale
// the decoder offers that keeps it at least atLeast in both directions, or
// fullSize when atLeast is empty.
QSize reducedDecodeSize(QSize fullSize, QSize atLeast);

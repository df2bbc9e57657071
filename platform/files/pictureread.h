#pragma once

#include "platform/files/samplegrid.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <atomic>
#include <functional>

// A picture read from a file, upright (a photo's EXIF orientation applied).
// Only the pixels a reader asked for are kept: image holds kept.columns x
// kept.rows pixels, the colour of upright pixel (kept.columns[i],
// kept.rows[j]) at (i, j), exactly what a full-size decode gives there. With
// kept empty, image is the whole picture. A failed read leaves image null and
// says why in error, in words for the user.
struct PictureRead {
    QImage image;
    QSize fullSize; // the upright picture's true size
    SampleGrid kept;
    QString error;
    bool ok() const { return error.isEmpty() && !image.isNull(); }
    // The kept pixel for upright (x, y): exact where kept, else the nearest
    // kept one above and to the left.
    QRgb pixel(int x, int y) const;
};

// The pixels to keep of a picture of the given upright size; an empty
// layout keeps every pixel.
using SampleLayout = std::function<SampleGrid(QSize upright)>;

// The pixels a layout asks for of a picture of the given upright size: only
// those inside it, ascending and without repeats; every pixel without a
// layout, and the first when it asks for none.
SampleGrid keptGrid(const SampleLayout& layout, QSize upright);

// What a read reports while it decodes and how it is told to stop. progress
// is called on the reading thread with the stored row reached and the stored
// picture's height: after each kept row, or for a progressive file (read
// whole before its rows) as its scans are read. stop, when set, ends the
// read with an error.
struct ReadWatch {
    std::function<void(int row, int rows)> progress;
    const std::atomic<bool>* stop = nullptr;
};

#pragma once

#include "platform/files/samplegrid.h"

#include <QImage>
#include <QSize>

#include <cstdint>
#include <vector>

// What the scaler draws of a picture: one source pixel per drawn target
// pixel, without averaging. Kept apart from the picture boxes so that
// thumbnails can be made on worker threads and kept.
struct Samples {
    QImage block;   // the drawn pixels, columns x rows, as they land from the top-left
    QSize trueSize; // the true size of the picture they were taken from
};

// Where the scaler samples along a side `size` pixels long drawn `count`
// pixels long: 0, step, 2 x step, ... (step = size / count, added up in single
// precision) while not past size - 1; at most 32768, the 16-bit counter's room.
std::vector<float> samplePositions(int size, std::int16_t count);

// Samples a picture of trueSize held in pixels. With kept set, pixels holds
// only those columns and rows of it (as the loader keeps them) and each
// position reads the kept pixel it falls on; without, positions are mapped
// into pixels in proportion (scaledPixel). An empty result when width or
// height is below 1.
Samples samplePicture(const QImage& pixels, QSize trueSize, const SampleGrid& kept,
                      std::int16_t width, std::int16_t height);

// The columns and rows the scaler reads of a picture of size drawn width x
// height pixels: the whole pixels its positions fall in.
SampleGrid sampledGrid(QSize size, std::int16_t width, std::int16_t height);

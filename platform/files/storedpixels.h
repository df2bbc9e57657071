#pragma once

#include "platform/files/memorybudget.h"
#include "platform/files/pictureread.h"

#include <QSize>
#include <QtGlobal>

#include <utility>
#include <vector>

// How a decoded picture keeps its samples: interleaved red, green, blue and
// maybe alpha in bytes or in 16-bit words, or Qt's 32-bit 0xAARRGGBB words.
enum class StoredSamples { Bytes, Words, Argb };

// A picture decoded whole as its file stores it. Words hold values up to
// maxValue (a 10-bit HEIF keeps 1023 there).
struct StoredPixels {
    const uchar* data = nullptr;
    qsizetype stride = 0;
    QSize size;
    StoredSamples samples = StoredSamples::Bytes;
    int channels = 3; // 3, or 4 with alpha last (Argb: 4)
    bool littleEndian = Q_BYTE_ORDER == Q_LITTLE_ENDIAN;
    int maxValue = 255;
};

// Takes from the decoders' budget the bytes that decoding a picture of size
// needs, waiting while others hold too much. Empty when taken, else why not
// in words for the user (too much for any picture, or stopped meanwhile).
QString reserveDecoding(BudgetShare& share, QSize size, qint64 bytes, const ReadWatch& watch);

// The stored pixel at (x, y) in 8 bits and on white, as a print shows it:
// a sample v of up to max becomes v * 255 / max rounded to the nearest, and a
// colour c with alpha a becomes (c * a + 255 * (255 - a)) / 255 rounded.
QRgb storedOnWhite(const StoredPixels& pixels, int x, int y);

// Picks from a stored picture the pixels a layout asks for of the upright
// picture, turned as the EXIF orientation says (1 for none), as
// readPictureFile gives them. Reports the kept rows it reaches and stops when
// told.
PictureRead keptPixels(const StoredPixels& pixels, int orientation, const SampleLayout& layout,
                       const ReadWatch& watch);

// Where each kept row or column of the upright picture lies in the stored
// one, for decoders that read the stored rows in order and keep a few.
struct StoredAxes {
    // The stored row of each kept upright row, or of each kept column when
    // the orientation swaps the sides; the stored column of each of the others.
    std::vector<int> rowOf;
    std::vector<int> columnOf;
    // The stored rows to read in file order, each with its index in rowOf.
    std::vector<std::pair<int, int>> reads;
};
StoredAxes storedAxes(const SampleGrid& grid, int orientation, QSize stored);

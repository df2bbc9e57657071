#pragma once

#include "filekey.h"
#include "picturefile.h"
#include "sampling.h"

#include <QString>

#include <cstdint>

// Grid thumbnails are 40 x 30 pixels.
constexpr std::int16_t kThumbWidth = 40;
constexpr std::int16_t kThumbHeight = 30;
// A photo is decoded for its thumbnail at a reduced scale no smaller than this.
inline QSize thumbnailDecodeSize() {
    return QSize(kThumbWidth, kThumbHeight);
}

// A photo's thumbnail samples, or why there are none.
struct PhotoThumbnail {
    Samples samples;
    PictureRead picture; // the decoded photo, when it had to be decoded
    QSize pixels;        // the photo's pixel size, also when the samples were kept
    QString error;       // in words for the user; empty when fine
    bool ok() const { return error.isEmpty(); }
};

// The thumbnail of the photo at path. Samples kept for the file as it is now
// are used as they are; otherwise the file is decoded, reduced, and sampled as
// the scaler samples the loader, and the samples are kept. Safe on any thread.
PhotoThumbnail photoThumbnail(const QString& path);

// Keeps the samples made from the file as it was when key was taken, with
// the photo's pixel size.
void keepThumbnail(const FileKey& key, const Samples& samples, QSize pixels);

// Forgets every kept thumbnail.
void clearThumbnails();

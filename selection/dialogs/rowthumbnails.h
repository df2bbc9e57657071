#pragma once

#include "app/core/samplelayout.h"
#include "app/core/sampling.h"
#include "platform/files/filekey.h"
#include "platform/files/picturefile.h"

#include <QString>

#include <atomic>

#include <cstdint>

// A photo's thumbnail samples, or why there are none.
struct PhotoThumbnail {
    Samples samples;
    PictureRead picture; // the decoded photo, when it had to be decoded
    QSize pixels;        // the photo's pixel size, also when the samples were kept
    QString error;       // in words for the user; empty when fine
    bool ok() const { return error.isEmpty(); }
};

// The thumbnail of the photo at path. Samples kept for the file as it is now
// are used as they are; otherwise the file is read keeping only the pixels the
// scaler takes, they are sampled as the scaler samples the loader, and the
// samples are kept. Safe on any thread; stop, when set, ends a read at once.
PhotoThumbnail photoThumbnail(const QString& path, const std::atomic<bool>* stop = nullptr);

// Keeps the samples made from the file as it was when key was taken, with
// the photo's pixel size.
void keepThumbnail(const FileKey& key, const Samples& samples, QSize pixels);

// Forgets every kept thumbnail.
void clearThumbnails();

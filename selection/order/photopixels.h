#pragma once

#include "platform/files/picturefile.h"

#include <QSize>

// The photo's pixel size as the loader reports it, the one place print fit
// takes it from.
inline QSize photoPixelSize(const PictureRead& read) {
    return read.ok() ? read.fullSize : QSize();
}

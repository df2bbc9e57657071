#pragma once

#include "boundedcache.h"
#include "picturefile.h"

// Pictures just decoded, kept while their file is unchanged, so that the
// photo just previewed is added without being decoded again.
class PictureCache {
public:
    explicit PictureCache(qint64 budgetBytes) : m_pictures(budgetBytes) {}

    // What readPictureFile(path, atLeast) gives, from memory when the same
    // file was read before at the scale this atLeast asks for.
    PictureRead read(const QString& path, QSize atLeast = QSize());
    void clear() { m_pictures.clear(); }

    // The program's own, a few camera pictures at preview scale.
    static PictureCache& shared();

private:
    BoundedCache<PictureRead> m_pictures;
};

#include "picturecache.h"

namespace {

// A picture decoded at exactly the scale a fresh read would choose, so that
// reusing it gives the same pixels as reading again.
bool servesFor(const PictureRead& kept, QSize atLeast) {
    const QSize wanted = kept.scalable ? reducedDecodeSize(kept.fullSize, atLeast) : kept.fullSize;
    return kept.image.size() == wanted;
}

} // namespace

PictureRead PictureCache::read(const QString& path, QSize atLeast) {
    const std::optional<FileKey> key = fileKey(path);
    if (!key)
        return readPictureFile(path, atLeast);
    if (const std::optional<PictureRead> kept = m_pictures.find(*key);
        kept && servesFor(*kept, atLeast))
        return *kept;
    const PictureRead read = readPictureFile(path, atLeast);
    if (read.ok())
        m_pictures.insert(*key, read, read.image.sizeInBytes());
    return read;
}

PictureCache& PictureCache::shared() {
    // Eight megabytes: five 24-megapixel photos at an eighth of their size;
    // the one just previewed is what counts.
    static PictureCache cache(8 * 1024 * 1024);
    return cache;
}

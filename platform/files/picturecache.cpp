#include "platform/files/picturecache.h"

namespace {

// Whether a kept read answers a read with this layout with the same pixels.
bool servesFor(const PictureRead& kept, const SampleLayout& layout) {
    if (kept.kept.empty())
        return true;
    return layout && covers(kept.kept, layout(kept.fullSize));
}

} // namespace

std::optional<PictureRead> PictureCache::find(const QString& path, const SampleLayout& layout) {
    const std::optional<FileKey> key = fileKey(path);
    if (!key)
        return std::nullopt;
    std::optional<PictureRead> kept = m_pictures.find(*key);
    if (kept && !servesFor(*kept, layout))
        kept.reset();
    return kept;
}

PictureRead PictureCache::read(const QString& path, const SampleLayout& layout,
                               const ReadWatch& watch) {
    // Taken before reading: a file changed meanwhile is never kept as new.
    const std::optional<FileKey> key = fileKey(path);
    if (!key)
        return readPictureFile(path, layout, watch);
    if (std::optional<PictureRead> kept = m_pictures.find(*key); kept && servesFor(*kept, layout))
        return *kept;
    const PictureRead read = readPictureFile(path, layout, watch);
    keep(*key, read);
    return read;
}

void PictureCache::keep(const FileKey& key, const PictureRead& read) {
    if (read.ok())
        m_pictures.insert(key, read, read.image.sizeInBytes() + 256);
}

PictureCache& PictureCache::shared() {
    // Eight megabytes: some twenty previews with their thumbnails' pixels.
    static PictureCache cache(8 * 1024 * 1024);
    return cache;
}

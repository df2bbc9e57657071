#include "rowthumbnails.h"

#include "boundedcache.h"

namespace {

BoundedCache<Samples>& thumbnails() {
    // Sixteen megabytes: a full selection's thumbnails three times over.
    static BoundedCache<Samples> cache(16 * 1024 * 1024);
    return cache;
}

} // namespace

PhotoThumbnail photoThumbnail(const QString& path) {
    PhotoThumbnail out;
    // Taken before reading: a file changed meanwhile is never kept as new.
    const std::optional<FileKey> key = fileKey(path);
    if (key) {
        if (const std::optional<Samples> kept = thumbnails().find(*key)) {
            out.samples = *kept;
            return out;
        }
    }
    out.picture = readPictureFile(path, thumbnailLayout());
    if (!out.picture.ok()) {
        out.error = out.picture.error;
        return out;
    }
    out.samples = samplePicture(out.picture.image, out.picture.fullSize, out.picture.kept,
                                kThumbWidth, kThumbHeight);
    if (key)
        keepThumbnail(*key, out.samples);
    return out;
}

void keepThumbnail(const FileKey& key, const Samples& samples) {
    thumbnails().insert(key, samples, samples.block.sizeInBytes() + 256);
}

void clearThumbnails() {
    thumbnails().clear();
}

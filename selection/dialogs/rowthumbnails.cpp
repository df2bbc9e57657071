#include "selection/dialogs/rowthumbnails.h"

#include "app/core/boxfit.h"
#include "platform/files/boundedcache.h"
#include "selection/order/photopixels.h"

namespace {

struct KeptThumbnail {
    Samples samples;
    QSize pixels;
};

BoundedCache<KeptThumbnail>& thumbnails() {
    // Sixteen megabytes: a full selection's thumbnails three times over.
    static BoundedCache<KeptThumbnail> cache(16 * 1024 * 1024);
    return cache;
}

} // namespace

PhotoThumbnail photoThumbnail(const QString& path, const std::atomic<bool>* stop) {
    PhotoThumbnail out;
    // Taken before reading: a file changed meanwhile is never kept as new.
    const std::optional<FileKey> key = fileKey(path);
    if (key) {
        if (const std::optional<KeptThumbnail> kept = thumbnails().find(*key)) {
            out.samples = kept->samples;
            out.pixels = kept->pixels;
            return out;
        }
    }
    ReadWatch watch;
    watch.stop = stop;
    out.picture = readPictureFile(path, thumbnailLayout(), watch);
    if (!out.picture.ok()) {
        out.error = out.picture.error;
        return out;
    }
    out.samples = sampleFitted(out.picture.image, out.picture.fullSize, out.picture.kept,
                               QSize(kThumbWidth, kThumbHeight));
    out.pixels = photoPixelSize(out.picture);
    if (key)
        keepThumbnail(*key, out.samples, out.pixels);
    return out;
}

void keepThumbnail(const FileKey& key, const Samples& samples, QSize pixels) {
    thumbnails().insert(key, {samples, pixels}, samples.block.sizeInBytes() + 256);
}

void clearThumbnails() {
    thumbnails().clear();
}

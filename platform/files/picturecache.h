#pragma once

#include "platform/files/boundedcache.h"
#include "platform/files/picturefile.h"

// Pictures just read, kept while their file is unchanged, so that the photo
// just previewed is added without being decoded again. Safe on any thread.
class PictureCache {
public:
    explicit PictureCache(qint64 budgetBytes) : m_pictures(budgetBytes) {}

    // What readPictureFile(path, layout) gives, from memory when a read of
    // the same file kept every pixel this layout asks for.
    PictureRead read(const QString& path, const SampleLayout& layout = {},
                     const ReadWatch& watch = {});
    // Only what was kept, or nothing.
    std::optional<PictureRead> find(const QString& path, const SampleLayout& layout = {});
    // Keeps a read made elsewhere of the file as it was when key was taken.
    void keep(const FileKey& key, const PictureRead& read);
    void clear() { m_pictures.clear(); }

    // The program's own: the photos just previewed and read ahead.
    static PictureCache& shared();

private:
    BoundedCache<PictureRead> m_pictures;
};

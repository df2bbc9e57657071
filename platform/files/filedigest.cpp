#include "platform/files/filedigest.h"

#include "platform/files/boundedcache.h"
#include "platform/files/filekey.h"

#include <QCryptographicHash>
#include <QFile>

namespace {

// One entry a file; a digest is a few bytes.
constexpr qint64 kKeptDigests = 100000;

BoundedCache<QByteArray>& kept() {
    static BoundedCache<QByteArray> cache(kKeptDigests);
    return cache;
}

} // namespace

std::optional<QByteArray> fileDigest(const QString& path) {
    const std::optional<FileKey> before = fileKey(path);
    if (!before)
        return std::nullopt;
    if (std::optional<QByteArray> found = kept().find(*before))
        return found;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return std::nullopt;
    const QByteArray digest = hash.result();
    // A file that changed while it was read is not kept under either state.
    if (sameState(before, fileKey(path)))
        kept().insert(*before, digest, 1);
    return digest;
}

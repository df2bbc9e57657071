#pragma once

#include <QHashFunctions>
#include <QString>

#include <optional>

// Which state of a file a result was made from: its path, size and
// modification time. A file written anew, or put in its place, gets another.
struct FileKey {
    QString path;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileKey&) const = default;
};

inline size_t qHash(const FileKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.path, key.size, key.modifiedNs);
}

// The key of the file at path now; none when it is not an ordinary file.
std::optional<FileKey> fileKey(const QString& path);

#pragma once

#include <QHashFunctions>
#include <QString>

#include <optional>

struct stat;

// Which state of a file a result was made from: its path, size and
// modification time, and its inode and change time, which also move when a
// file is put in its place or written with its old time set back.
struct FileKey {
    QString path;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    quint64 inode = 0;
    qint64 changedNs = 0;
    bool operator==(const FileKey&) const = default;
};

inline size_t qHash(const FileKey& key, size_t seed = 0) {
    return qHashMulti(seed, key.path, key.size, key.modifiedNs, key.inode, key.changedNs);
}

// The key of the file at path now; none when it is not an ordinary file.
std::optional<FileKey> fileKey(const QString& path);
// The key of a file whose status is st, under path.
FileKey fileKey(const QString& path, const struct stat& st);

// Whether two keys show one state of one file, whatever path each was taken
// under (a link, or the file itself); two nones are alike.
bool sameState(const std::optional<FileKey>& a, const std::optional<FileKey>& b);

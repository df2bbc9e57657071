#include "platform/files/filekey.h"

#include <QFile>

#include <sys/stat.h>

std::optional<FileKey> fileKey(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return fileKey(path, st);
}

FileKey fileKey(const QString& path, const struct stat& st) {
    const auto ns = [](const timespec& t) {
        return static_cast<qint64>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
    };
    return FileKey{path, static_cast<qint64>(st.st_size), ns(st.st_mtim),
                   static_cast<quint64>(st.st_ino), ns(st.st_ctim)};
}

bool sameState(const std::optional<FileKey>& a, const std::optional<FileKey>& b) {
    if (!a || !b)
        return !a && !b;
    return a->size == b->size && a->modifiedNs == b->modifiedNs && a->inode == b->inode &&
           a->changedNs == b->changedNs;
}

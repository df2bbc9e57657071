#include "filekey.h"

#include <QFile>

#include <sys/stat.h>

std::optional<FileKey> fileKey(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileKey{path, static_cast<qint64>(st.st_size),
                   static_cast<qint64>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

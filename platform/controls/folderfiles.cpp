#include "platform/controls/folderfiles.h"

#include <QDir>
#include <QFile>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

bool FolderFile::usable() const {
    return QFile::encodeName(name) == native;
}

QStringList splitPatterns(const QString& pattern) {
    QStringList out;
    for (const QString& part : pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = part.trimmed();
        if (!trimmed.isEmpty())
            out << trimmed;
    }
    return out;
}

QList<FolderFile> folderFiles(const QString& folder, const QStringList& patterns) {
    QList<FolderFile> files;
    const QByteArray where = QFile::encodeName(folder);
    DIR* dir = opendir(where.constData());
    if (!dir)
        return files;
    while (const dirent* entry = readdir(dir)) {
        const QByteArray native(entry->d_name);
        if (native.startsWith('.'))
            continue;
        // stat follows a link: a link to a file counts, a broken one does not.
        struct stat info {};
        if (stat((where + '/' + native).constData(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
        FolderFile file{QString::fromUtf8(native), native};
        if (QDir::match(patterns, file.name))
            files.append(file);
    }
    closedir(dir);
    std::sort(files.begin(), files.end(), listedBefore);
    return files;
}

bool listedBefore(const FolderFile& a, const FolderFile& b) {
    const int folded = a.name.compare(b.name, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a.native < b.native;
}

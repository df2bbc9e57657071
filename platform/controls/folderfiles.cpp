#include "platform/controls/folderfiles.h"

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

NamePatterns::NamePatterns(const QStringList& patterns) {
    for (const QString& pattern : patterns)
        m_patterns << QRegularExpression::fromWildcard(pattern, Qt::CaseInsensitive);
}

bool NamePatterns::matches(const QString& name) const {
    return std::any_of(m_patterns.begin(), m_patterns.end(),
                       [&](const QRegularExpression& p) { return p.match(name).hasMatch(); });
}

QList<FolderFile> folderFiles(const QString& folder, const QStringList& patterns) {
    QList<FolderFile> files;
    const NamePatterns wanted(patterns);
    const QByteArray where = QFile::encodeName(folder);
    DIR* dir = opendir(where.constData());
    if (!dir)
        return files;
    while (const dirent* entry = readdir(dir)) {
        const QByteArray native(entry->d_name);
        FolderFile file{QString::fromUtf8(native), native};
        if (native.startsWith('.') || !wanted.matches(file.name))
            continue;
        // stat follows a link: a link to a file counts, a broken one does not.
        struct stat info {};
        if (stat((where + '/' + native).constData(), &info) != 0 || !S_ISREG(info.st_mode))
            continue;
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

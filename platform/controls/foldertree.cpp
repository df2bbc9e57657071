#include "platform/controls/foldertree.h"

#include "platform/controls/folderfiles.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QSet>

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <utility>

namespace {

using FolderId = std::pair<quint64, quint64>; // device, inode

struct Walk {
    const QStringList& patterns;
    FolderTree tree;
    QSet<FolderId> walked;
};

struct SubFolder {
    FolderFile name;
    FolderId id;
};

void walkFolder(Walk& w, const QString& folder, FolderId id) {
    w.walked.insert(id);
    const QByteArray where = QFile::encodeName(folder);
    DIR* dir = opendir(where.constData());
    if (!dir) {
        ++w.tree.unreadFolders;
        return;
    }
    QList<FolderFile> files;
    QList<SubFolder> folders;
    while (const dirent* entry = readdir(dir)) {
        const QByteArray native(entry->d_name);
        if (native == "." || native == "..")
            continue;
        // stat follows links: a link counts as what it leads to.
        struct stat info {};
        if (stat((where + '/' + native).constData(), &info) != 0)
            continue;
        FolderFile file{QString::fromUtf8(native), native};
        if (S_ISDIR(info.st_mode)) {
            if (native.startsWith('.'))
                ++w.tree.hiddenFolders;
            else
                folders.append({file, {info.st_dev, info.st_ino}});
        } else if (S_ISREG(info.st_mode) && !native.startsWith('.') && file.usable() &&
                   QDir::match(w.patterns, file.name)) {
            files.append(file);
        }
    }
    closedir(dir);
    std::sort(files.begin(), files.end(), listedBefore);
    std::sort(folders.begin(), folders.end(),
              [](const SubFolder& a, const SubFolder& b) { return listedBefore(a.name, b.name); });
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    for (const FolderFile& file : files)
        w.tree.photos << prefix + file.name;
    for (const SubFolder& sub : folders) {
        if (w.walked.contains(sub.id))
            continue;
        if (!sub.name.usable()) {
            ++w.tree.unreadFolders;
            continue;
        }
        walkFolder(w, prefix + sub.name.name, sub.id);
    }
}

} // namespace

FolderTree folderTree(const QString& folder, const QStringList& patterns) {
    Walk w{patterns, {}, {}};
    const QString root = QDir::cleanPath(folder);
    struct stat info {};
    if (stat(QFile::encodeName(root).constData(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        w.tree.unreadFolders = 1;
        return w.tree;
    }
    walkFolder(w, root, {info.st_dev, info.st_ino});
    return w.tree;
}

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
    NamePatterns patterns;
    FolderTree tree;
    QSet<FolderId> walked;
};

// What an entry is; a link is looked through. The listing tells most entries'
// kinds, which spares a status call for each file of a big tree.
unsigned char kindOf(const QByteArray& where, const dirent& entry) {
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return entry.d_type;
    struct stat info {};
    if (stat((where + '/' + entry.d_name).constData(), &info) != 0)
        return DT_UNKNOWN; // a broken link
    return S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
}

void walkFolder(Walk& w, const QString& folder) {
    const QByteArray where = QFile::encodeName(folder);
    DIR* dir = opendir(where.constData());
    if (!dir) {
        ++w.tree.unreadFolders;
        return;
    }
    // A folder is known by what was opened, however it was reached.
    struct stat self {};
    if (fstat(dirfd(dir), &self) != 0 || w.walked.contains({self.st_dev, self.st_ino})) {
        closedir(dir);
        return;
    }
    w.walked.insert({self.st_dev, self.st_ino});
    QList<FolderFile> files;
    QList<FolderFile> folders;
    while (const dirent* entry = readdir(dir)) {
        const QByteArray native(entry->d_name);
        if (native == "." || native == "..")
            continue;
        const unsigned char kind = kindOf(where, *entry);
        FolderFile file{QString::fromUtf8(native), native};
        if (kind == DT_DIR) {
            if (native.startsWith('.'))
                ++w.tree.hiddenFolders;
            else
                folders.append(file);
        } else if (kind == DT_REG && !native.startsWith('.') && file.usable() &&
                   w.patterns.matches(file.name)) {
            files.append(file);
        }
    }
    closedir(dir);
    std::sort(files.begin(), files.end(), listedBefore);
    std::sort(folders.begin(), folders.end(), listedBefore);
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    for (const FolderFile& file : files)
        w.tree.photos << prefix + file.name;
    for (const FolderFile& sub : folders) {
        if (sub.usable())
            walkFolder(w, prefix + sub.name);
        else
            ++w.tree.unreadFolders;
    }
}

} // namespace

FolderTree folderTree(const QString& folder, const QStringList& patterns) {
    Walk w{NamePatterns(patterns), {}, {}};
    walkFolder(w, QDir::cleanPath(folder));
    return w.tree;
}

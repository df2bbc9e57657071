#include "drivelist.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace {

bool isPseudo(const QStorageInfo& volume) {
    static const QStringList pseudo = {"proc",    "sysfs",   "tmpfs",      "devtmpfs",  "devpts",
                                       "cgroup",  "cgroup2", "overlay",    "squashfs",  "mqueue",
                                       "debugfs", "tracefs", "securityfs", "pstore",    "bpf",
                                       "autofs",  "fusectl", "configfs",   "hugetlbfs", "nsfs"};
    return pseudo.contains(QString::fromLatin1(volume.fileSystemType()));
}

QString label(const QString& root) {
    return root == QDir::homePath() ? QStringLiteral("~ (%1)").arg(root) : root;
}

} // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    Refresh();
    connect(this, &QComboBox::activated, this, [this] { emit Change(); });
}

QStringList DriveList::roots() const {
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << itemData(i).toString();
    return out;
}

void DriveList::Refresh() {
    const QString current = Drive();
    QStringList found{QStringLiteral("/"), QDir::homePath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !isPseudo(volume) &&
            !found.contains(volume.rootPath()))
            found << volume.rootPath();
    }
    const QSignalBlocker blocker(this);
    clear();
    for (const QString& root : found)
        addItem(label(root), root);
    const int index = findData(current);
    setCurrentIndex(index >= 0 ? index : 0);
}

QString DriveList::Drive() const {
    return currentData().toString();
}

QString DriveList::Folder() const {
    const QString drive = Drive();
    const QString folder = m_folders.value(drive);
    // A folder removed since falls back to the root.
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : drive;
}

QString DriveList::driveOf(const QString& path) const {
    const QString clean = QDir::cleanPath(path);
    QString best = QStringLiteral("/");
    for (const QString& root : roots()) {
        const QString base = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
        const bool inside = clean == root || clean.startsWith(base);
        if (inside && root.size() > best.size())
            best = root;
    }
    return best;
}

void DriveList::setDrive(const QString& path) {
    const QString root = driveOf(path);
    m_folders.insert(root, QDir::cleanPath(path));
    int index = findData(root);
    if (index < 0) {
        const QSignalBlocker blocker(this);
        addItem(label(root), root);
        index = count() - 1;
    }
    setListIndex(index);
}

void DriveList::setListIndex(int index) {
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(index);
    }
    emit Change();
}

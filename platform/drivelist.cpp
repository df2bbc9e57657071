#include "drivelist.h"

#include <QDir>
#include <QStorageInfo>

namespace {
bool isPseudo(const QStorageInfo& volume)
{
    static const QStringList pseudo = {"proc", "sysfs", "tmpfs", "devtmpfs", "devpts",
                                       "cgroup", "cgroup2", "overlay", "squashfs", "mqueue",
                                       "debugfs", "tracefs", "securityfs", "pstore", "bpf",
                                       "autofs", "fusectl", "configfs", "hugetlbfs", "nsfs"};
    return pseudo.contains(QString::fromLatin1(volume.fileSystemType()));
}
} // namespace

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    Refresh();
    connect(this, &QComboBox::activated, this, [this] { emit Change(); });
}

void DriveList::Refresh()
{
    const QString current = Drive();
    QStringList roots{QStringLiteral("/"), QDir::homePath()};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !isPseudo(volume) &&
            !roots.contains(volume.rootPath()))
            roots << volume.rootPath();
    }
    const QSignalBlocker blocker(this);
    m_roots = roots;
    clear();
    for (const QString& root : roots)
        addItem(root == QDir::homePath() ? QStringLiteral("~ (%1)").arg(root) : root, root);
    const int index = m_roots.indexOf(current);
    setCurrentIndex(index >= 0 ? index : 0);
}

QString DriveList::Drive() const
{
    return currentData().toString();
}

QString DriveList::driveOf(const QString& path) const
{
    const QString clean = QDir::cleanPath(path);
    QString best = QStringLiteral("/");
    for (const QString& root : m_roots) {
        const bool inside = clean == root || root == QStringLiteral("/") ||
                            clean.startsWith(root + QLatin1Char('/'));
        if (inside && root.size() > best.size())
            best = root;
    }
    return best;
}

void DriveList::setDrive(const QString& path)
{
    const QString root = driveOf(path);
    int index = m_roots.indexOf(root);
    if (index < 0) {
        m_roots << root;
        addItem(root, root);
        index = static_cast<int>(m_roots.size()) - 1;
    }
    {
        const QSignalBlocker blocker(this);
        setCurrentIndex(index);
    }
    emit Change();
}

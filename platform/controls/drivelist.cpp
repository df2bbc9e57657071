#include "platform/controls/drivelist.h"

#include "platform/controls/listcolours.h"

#include <QAbstractItemView>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QStorageInfo>

#include <utility>

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
    useSystemHighlight(*this);
    showListInOwnColours();
    Refresh();
    // Choosing the drive already chosen changes nothing, so it raises nothing.
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (index == std::exchange(m_chosen, index))
            return;
        emit Change();
    });
}

void DriveList::changeEvent(QEvent* event) {
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        showListInOwnColours();
}

// The open list is a window of its own, which takes nothing from the list's
// colours by itself: its names in the list's text colour on the window's
// background, the chosen one highlighted.
void DriveList::showListInOwnColours() {
    QPalette open = palette();
    open.setBrush(QPalette::Window, open.base());
    view()->setPalette(open);
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
    m_chosen = currentIndex();
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
    m_chosen = currentIndex();
    emit Change();
}

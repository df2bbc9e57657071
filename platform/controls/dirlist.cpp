#include "platform/controls/dirlist.h"

#include "platform/controls/listcolours.h"

#include <QDir>
#include <QFileInfo>

namespace {
constexpr int kPathRole = Qt::UserRole;
}

DirList::DirList(QWidget* parent) : QListWidget(parent) {
    useSystemHighlight(*this);
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setPath(item->data(kPathRole).toString()); });
}

bool DirList::setPath(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir() || !info.isReadable() || !QDir(path).isReadable())
        return false;
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    if (clean == m_path)
        return true;
    m_path = clean;
    fill();
    emit Change();
    return true;
}

void DirList::fill() {
    clear();
    QStringList chain;
    for (QDir dir(m_path);;) {
        chain.prepend(dir.absolutePath());
        if (!dir.cdUp())
            break;
    }
    int depth = 0;
    for (const QString& folder : chain) {
        const QString name = folder == QStringLiteral("/") ? folder : QFileInfo(folder).fileName();
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(kPathRole, folder);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QStringList subs =
        QDir(m_path).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& sub : subs) {
        auto* item = new QListWidgetItem(QString(depth * 2, QLatin1Char(' ')) + sub, this);
        item->setData(kPathRole, QDir(m_path).filePath(sub));
    }
}

#include "filelist.h"

#include "folderfiles.h"

#include <QDir>

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && !m_focusing)
            emit Click();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit DblClick(); });
}

void FileList::setPath(const QString& path) {
    m_path = QDir::cleanPath(path);
    Refresh();
}

void FileList::setPattern(const QString& pattern) {
    m_pattern = pattern;
    Refresh();
}

void FileList::Refresh() {
    const QSignalBlocker blocker(this);
    clear();
    for (const FolderFile& file : folderFiles(m_path, splitPatterns(m_pattern))) {
        auto* item = new QListWidgetItem(file.name, this);
        item->setData(kUsableRole, file.usable());
    }
    setCurrentRow(-1);
}

void FileList::setListIndex(int index) {
    if (index == currentRow() && index >= 0) {
        emit Click();
        return;
    }
    setCurrentRow(index);
}

QString FileList::FileName() const {
    const QListWidgetItem* item = currentItem();
    return item ? item->text() : QString();
}

bool FileList::FileNameUsable() const {
    const QListWidgetItem* item = currentItem();
    return item && item->data(kUsableRole).toBool();
}

void FileList::focusInEvent(QFocusEvent* event) {
    // Qt's list makes its first item current when it gains the focus with
    // none; here a file is only chosen by the user or the program.
    const bool none = currentRow() < 0;
    m_focusing = true;
    QListWidget::focusInEvent(event);
    m_focusing = false;
    if (none && currentRow() >= 0) {
        const QSignalBlocker blocker(this);
        setCurrentRow(-1);
    }
}

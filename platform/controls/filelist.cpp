#include "platform/controls/filelist.h"

#include "platform/controls/folderfiles.h"
#include "platform/controls/listcolours.h"

#include <QDir>
#include <QKeyEvent>

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    useSystemHighlight(*this);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
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

// A name shown with a replacement character opens nothing: it is left out.
QStringList FileList::SelectedFileNames() const {
    QStringList names;
    for (int i = 0; i < count(); ++i)
        if (item(i)->isSelected() && item(i)->data(kUsableRole).toBool())
            names << item(i)->text();
    return names;
}

QStringList FileList::FileNames() const {
    QStringList names;
    for (int i = 0; i < count(); ++i)
        if (item(i)->data(kUsableRole).toBool())
            names << item(i)->text();
    return names;
}

void FileList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        event->accept();
        emit EnterPressed();
        return;
    }
    QListWidget::keyPressEvent(event);
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

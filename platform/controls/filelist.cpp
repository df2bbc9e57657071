#include "filelist.h"

#include <QDir>
#include <QKeyEvent>

FileList::FileList(QWidget* parent) : QListWidget(parent) {
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
    QDir dir(m_path);
    dir.setNameFilters({m_pattern});
    dir.setFilter(QDir::Files);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    // QDir matches name filters without regard to case unless told otherwise.
    addItems(dir.entryList());
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

QStringList FileList::SelectedFileNames() const {
    QStringList names;
    for (int i = 0; i < count(); ++i)
        if (item(i)->isSelected())
            names << item(i)->text();
    return names;
}

QStringList FileList::FileNames() const {
    QStringList names;
    for (int i = 0; i < count(); ++i)
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

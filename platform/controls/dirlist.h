#pragma once

#include <QListWidget>

// The folder list: the ancestors of the current folder and its sub-folders.
// A double click enters a folder. Every change of the path raises Change.
class DirList : public QListWidget {
    Q_OBJECT
public:
    explicit DirList(QWidget* parent = nullptr);

    QString Path() const { return m_path; }
    // False, with the path unchanged, when the folder cannot be read.
    bool setPath(const QString& path);

signals:
    void Change();

private:
    void fill();

    QString m_path;
};

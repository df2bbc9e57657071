#pragma once

#include <QComboBox>
#include <QHash>

// The drive list: the root folder, the home folder and the mounted volumes,
// each item's data its root path. Choosing one, by the user or by the
// program, raises Change.
//
// Choosing the drive already chosen raises nothing.
//
// Each drive has a current folder, as drives have elsewhere: the folder last
// handed to setDrive on that drive, or its root.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // The chosen drive's root path.
    QString Drive() const;
    // The chosen drive's current folder.
    QString Folder() const;
    // Chooses the drive that holds path (the deepest root that contains it)
    // and makes path that drive's current folder.
    void setDrive(const QString& path);
    int ListCount() const { return count(); }
    int ListIndex() const { return currentIndex(); }
    // Chooses the drive at index; raises Change.
    void setListIndex(int index);
    // Reads the mounted volumes again; the chosen drive stays chosen while
    // it is still there.
    void Refresh();

    // The drive whose root is the deepest that contains path.
    QString driveOf(const QString& path) const;

signals:
    void Change();

protected:
    void changeEvent(QEvent* event) override;

private:
    QStringList roots() const;
    void showListInOwnColours();

    QHash<QString, QString> m_folders; // drive root -> current folder
    int m_chosen = -1;                 // the index Change was last raised for
};

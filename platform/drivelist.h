#pragma once

#include <QComboBox>

// The drive list: the root folder, the home folder and the mounted volumes.
// Choosing one, by the user or by the program, raises Change.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    // The chosen drive's root path.
    QString Drive() const;
    // Chooses the drive that holds path (the deepest root that contains it).
    void setDrive(const QString& path);
    // Reads the mounted volumes again.
    void Refresh();

    // The drive whose root is the deepest that contains path.
    QString driveOf(const QString& path) const;

signals:
    void Change();

private:
    QStringList m_roots;
};

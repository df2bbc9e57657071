#pragma once

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>

// A file's bytes, or "<missing>" when it cannot be read.
inline QByteArray readFileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Writes a file with exactly these bytes; false on failure.
inline bool writeFileBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Moves a file's modification time on, as a rewrite that much later would.
inline bool touchLater(const QString& path, int seconds) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(QFileInfo(path).lastModified().addSecs(seconds),
                            QFileDevice::FileModificationTime);
}

#include "assets.h"

#include <QFile>

QImage assetImage(const QString& name) {
    return QImage(QStringLiteral(":/images/") + name);
}

QByteArray assetBytes(const QString& path) {
    QFile file(QStringLiteral(":/") + path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

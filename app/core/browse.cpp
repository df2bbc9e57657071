#include "app/core/browse.h"

#include <QFileInfo>

QString fullPath(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QString countCaption(int files) {
    return QStringLiteral("Cantidad: ") + QString::number(files);
}

QString previewName(const QString& path) {
    if (path.isEmpty())
        return QStringLiteral("Preview");
    return QStringLiteral("Preview of ") + QFileInfo(path).fileName();
}

#include "assets/assets.h"

#include <QFile>

#include <utility>

QImage assetImage(const QString& name) {
    return QImage(QStringLiteral(":/images/") + name);
}

QList<QImage> sharperAssetImages(const QString& name) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return {};
    QList<QImage> images;
    for (const auto& [ratio, suffix] : {std::pair{1.5, "@1.5x"}, std::pair{2.0, "@2x"}}) {
        QImage image = assetImage(name.left(dot) + QLatin1String(suffix) + name.mid(dot));
        if (image.isNull())
            continue;
        image.setDevicePixelRatio(ratio);
        images.append(image);
    }
    return images;
}

QByteArray assetBytes(const QString& path) {
    QFile file(QStringLiteral(":/") + path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

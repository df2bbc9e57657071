#include "photoset.h"

#include "platform/files/textfile.h"
#include "selection/order/projectfile.h"

#include <QFile>

#include <unistd.h>

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QList<Photo> writeKinds(const QString& folder, const QString& prefix, int width, int height) {
    QList<Photo> out;
    unsigned seed = 1;
    for (Content content : {Content::Smooth, Content::Noisy}) {
        for (Coding coding : {Coding::Baseline, Coding::Progressive}) {
            const QString name =
                QStringLiteral("%1-%2-%3")
                    .arg(prefix,
                         content == Content::Smooth ? QStringLiteral("smooth")
                                                    : QStringLiteral("noisy"),
                         coding == Coding::Baseline ? QStringLiteral("baseline")
                                                    : QStringLiteral("progressive"));
            const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".jpg");
            if (writeBytes(path, cameraJpeg(width, height, content, coding, seed++)))
                out.append({name, path});
        }
    }
    return out;
}

QStringList spreadPhotos(const QStringList& sources, const QString& folder, int count,
                         bool copies) {
    QStringList out;
    for (int i = 0; i < count && !sources.isEmpty(); ++i) {
        const QString& source = sources[i % sources.size()];
        const QString path =
            QStringLiteral("%1/p%2.jpg").arg(folder).arg(i, 4, 10, QLatin1Char('0'));
        const bool linked = !copies && ::link(QFile::encodeName(source).constData(),
                                              QFile::encodeName(path).constData()) == 0;
        if (linked || QFile::copy(source, path))
            out << path;
    }
    return out;
}

bool writeProject(const QString& path, const QStringList& photos) {
    QList<ProjectRecord> records;
    for (const QString& p : photos)
        records.append({p, QStringLiteral("1"), QStringLiteral("10x15")});
    return writeFileWhole(path, projectFileBytes(records)).ok();
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

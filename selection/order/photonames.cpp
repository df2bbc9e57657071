#include "selection/order/photonames.h"

#include <QFileInfo>

namespace {
// Cameras, phones and downloads name the same files .jpeg and .jpe too;
// phones save HEIC (.hif from some cameras), screenshots are PNG. Each file is
// read by its content, whatever its name says.
const char* const kExtensions[] = {"jpg",  "jpeg", "jpe",  "heic", "heif", "hif",
                                   "avif", "png",  "webp", "tif",  "tiff"};
} // namespace

QStringList photoPatterns() {
    QStringList patterns;
    for (const char* extension : kExtensions)
        patterns << QStringLiteral("*.") + QLatin1String(extension);
    return patterns;
}

bool isPhotoName(const QString& path) {
    const QString suffix = QFileInfo(path).suffix();
    for (const char* extension : kExtensions)
        if (suffix.compare(QLatin1String(extension), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

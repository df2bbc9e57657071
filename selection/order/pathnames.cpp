#include "selection/order/pathnames.h"

bool isWindowsPath(const QString& path) {
    if (path.startsWith(QLatin1String("\\\\")))
        return true;
    if (path.size() < 3 || path[1] != QLatin1Char(':') || path[2] != QLatin1Char('\\'))
        return false;
    const char16_t drive = path[0].unicode();
    return (drive >= u'A' && drive <= u'Z') || (drive >= u'a' && drive <= u'z');
}

QChar pathSeparator(const QString& path) {
    return isWindowsPath(path) ? QLatin1Char('\\') : QLatin1Char('/');
}

QStringList folderNamesOf(const QString& path) {
    QStringList parts = path.split(pathSeparator(path), Qt::SkipEmptyParts);
    // The last part is the file's own name, unless the path ends in a separator.
    if (!parts.isEmpty() && !path.endsWith(pathSeparator(path)))
        parts.removeLast();
    return parts;
}

QString solo_file(const QString& path) {
    const qsizetype separator = path.lastIndexOf(pathSeparator(path));
    return separator < 0 ? path : path.mid(separator + 1);
}

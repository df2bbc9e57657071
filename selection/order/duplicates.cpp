#include "selection/order/duplicates.h"

#include "platform/files/filedigest.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <map>

QString together(const QStringList& items) {
    if (items.size() < 2)
        return items.join(QString());
    return QStringList(items.mid(0, items.size() - 1)).join(QStringLiteral(", ")) +
           QStringLiteral(" and ") + items.last();
}

namespace {

QString rowNumbers(const QList<int>& rows) {
    QStringList numbers;
    for (int row : rows)
        numbers << QString::number(row);
    return QStringLiteral("Rows %1").arg(together(numbers));
}

// The files' names, or their full paths where two names are alike.
QStringList names(const QStringList& paths) {
    QStringList out;
    for (const QString& path : paths)
        out << QFileInfo(path).fileName();
    if (QSet<QString>(out.begin(), out.end()).size() < out.size())
        return paths;
    return out;
}

// Groups of two or more, each in row order, the groups by their first row.
QList<QList<int>> groupsOf(const QList<QList<int>>& candidates) {
    QList<QList<int>> out;
    for (const QList<int>& rows : candidates)
        if (rows.size() > 1)
            out << rows;
    std::sort(out.begin(), out.end(),
              [](const QList<int>& a, const QList<int>& b) { return a.first() < b.first(); });
    return out;
}

} // namespace

Duplicates findDuplicates(const QStringList& files) {
    Duplicates found;
    QHash<QString, QList<int>> byPath;
    QStringList distinct; // in the order of their first rows
    for (int i = 0; i < files.size(); ++i) {
        QList<int>& rows = byPath[files[i]];
        if (rows.isEmpty())
            distinct << files[i];
        rows << i + 1;
    }
    found.samePhoto = groupsOf(byPath.values());

    // Files of a size no other has cannot be alike: they are not read.
    std::map<qint64, QStringList> bySize;
    for (const QString& path : distinct)
        if (const QFileInfo info(path); info.isFile())
            bySize[info.size()] << path;
    QHash<QByteArray, QList<int>> byContent;
    QHash<QByteArray, int> pathsOf;
    for (const auto& [size, paths] : bySize) {
        if (paths.size() < 2)
            continue;
        for (const QString& path : paths)
            if (const std::optional<QByteArray> digest = fileDigest(path)) {
                byContent[*digest] << byPath[path];
                ++pathsOf[*digest];
            }
    }
    QList<QList<int>> alike;
    for (auto it = byContent.begin(); it != byContent.end(); ++it)
        if (pathsOf[it.key()] > 1) {
            std::sort(it.value().begin(), it.value().end());
            alike << it.value();
        }
    found.sameBytes = groupsOf(alike);
    return found;
}

QStringList duplicateLines(const Duplicates& found, const QStringList& files) {
    QStringList lines;
    for (const QList<int>& rows : found.samePhoto)
        lines << QStringLiteral("%1: the same photo, %2")
                     .arg(rowNumbers(rows), QFileInfo(files[rows.first() - 1]).fileName());
    for (const QList<int>& rows : found.sameBytes) {
        QStringList paths;
        for (int row : rows)
            if (!paths.contains(files[row - 1]))
                paths << files[row - 1];
        lines << QStringLiteral("%1: identical files, %2")
                     .arg(rowNumbers(rows), together(names(paths)));
    }
    return lines;
}

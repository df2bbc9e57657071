#include "selection/order/orderlist.h"

#include "platform/files/textfile.h"
#include "selection/order/ordertexts.h"
#include "selection/order/pathnames.h"

#include <QStringList>

QString proposedListName(const QString& project_path) {
    if (project_path.isEmpty())
        return QStringLiteral("untitled");
    const qsizetype nameStart = project_path.lastIndexOf(QLatin1Char('/')) + 1;
    const qsizetype dot = project_path.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > nameStart ? project_path.left(dot) : project_path;
    const QString proposed = stem + QStringLiteral(".txt");
    // A project saved as ".txt" would be replaced by its own list.
    return proposed == project_path ? stem + QStringLiteral(" list.txt") : proposed;
}

QString orderListLine(const GridRow& row) {
    return oneLine(QStringLiteral("File: ") + solo_file(row.file) + QStringLiteral(", Copies: ") +
                   row.copies + QStringLiteral(", Size: ") + row.size);
}

QByteArray orderListBytes(const QList<GridRow>& rows) {
    QStringList lines;
    for (const GridRow& row : rows)
        if (isListed(row.copies))
            lines << orderListLine(row);
    return textFileBytes(lines);
}

#include "selection/order/ordertexts.h"

#include <QFileInfo>

QString frameCaption(std::int16_t count) {
    if (count == 1)
        return QStringLiteral("1 Photo Selected");
    // The number is formatted with a place for its sign, a blank when positive.
    const QString number =
        count < 0 ? QString::number(count) : QLatin1Char(' ') + QString::number(count);
    return number + QStringLiteral(" Photos Selected");
}

QString oneLine(QString text) {
    return text.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString numbered(qint64 n, const char* one, const char* many) {
    return n == 1 ? QString::fromLatin1(one) : QString::fromLatin1(many).arg(n);
}

QString addingName(int photos) {
    return numbered(photos, "adding a photo", "adding %1 photos");
}

QString removingName(int rows) {
    return numbered(rows, "removing a row", "removing %1 rows");
}

QString movingName(int rows) {
    return numbered(rows, "moving a row", "moving %1 rows");
}

QString changingName(int rows) {
    return numbered(rows, "changing a row", "changing %1 rows");
}

QString relinkingName(int rows) {
    return numbered(rows, "finding a moved photo", "finding %1 moved photos");
}

QString openingName(const QString& project) {
    return QStringLiteral("opening %1").arg(QFileInfo(project).fileName());
}

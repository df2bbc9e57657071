#include "selection/order/ordertexts.h"

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

#include "platform/desktop/dialogs.h"

#include <QStringList>

QString qtFilterFromDesign(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
    return out.join(QStringLiteral(";;"));
}

QString filterExtension(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2)
        return {};
    const QString pattern = parts[1].split(QLatin1Char(';')).constFirst().trimmed();
    if (!pattern.startsWith(QStringLiteral("*.")))
        return {};
    const QString extension = pattern.mid(2);
    for (const QChar ch : extension)
        if (ch == QLatin1Char('*') || ch == QLatin1Char('?') || ch == QLatin1Char('.') ||
            ch == QLatin1Char('['))
            return {};
    return extension;
}

void tell(Dialogs& dialogs, QWidget* owner, const QString& text, MessageIcon icon) {
    dialogs.message(owner, programTitle(), text, MessageButtons::Ok, icon);
}

#include "dialogs.h"

#include <QStringList>

QString qtFilterFromDesign(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        out << QStringLiteral("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
    return out.join(QStringLiteral(";;"));
}

void tell(Dialogs& dialogs, QWidget* owner, const QString& text, MessageIcon icon) {
    dialogs.message(owner, programTitle(), text, MessageButtons::Ok, icon);
}

#include "xpbutton/controlfactory.h"

#include "platform/host/propertybag.h"
#include "xpbutton/xpbutton.h"

#include <memory>

XpButton* createControl(const QString& progId, const QByteArray& bagText, QWidget* parent,
                        QString* error, const QString& name) {
    const auto fail = [error](const QString& reason) -> XpButton* {
        if (error)
            *error = reason;
        return nullptr;
    };
    if (progId.compare(QLatin1String(kXpButtonProgId), Qt::CaseInsensitive) != 0)
        return fail(QStringLiteral("There is no control \"%1\".").arg(progId));
    QString reason;
    const std::optional<PropertyBag> bag = PropertyBag::fromText(bagText, &reason);
    if (!bag)
        return fail(QStringLiteral("The stored design is damaged (%1).").arg(reason));
    auto button = std::make_unique<XpButton>(parent);
    button->setObjectName(name);
    QString key;
    if (const ControlError loaded = button->ReadProperties(*bag, &key);
        loaded != ControlError::None)
        return fail(QStringLiteral("The stored value of \"%1\" does not fit the button (%2).")
                        .arg(key, describe(loaded)));
    if (error)
        error->clear();
    return button.release();
}

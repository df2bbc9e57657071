#include "controlfactory.h"

#include "assets.h"
#include "propertybag.h"
#include "xpbutton.h"

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

QByteArray storedDesign(const QString& design) {
    if (design.isEmpty() || design.contains(QLatin1Char('/')))
        return {};
    return assetBytes(QStringLiteral("designs/") + design + QStringLiteral(".bag"));
}

XpButton* createDesignedButton(const QString& design, QWidget* parent, QString* error,
                               const QString& name) {
    const QByteArray text = storedDesign(design);
    if (text.isEmpty()) {
        if (error)
            *error = QStringLiteral("There is no stored design \"%1\".").arg(design);
        return nullptr;
    }
    return createControl(QLatin1String(kXpButtonProgId), text, parent, error, name);
}

XpButton* placeDesignedButton(const QString& design, const QString& name, QWidget* parent,
                              const QRect& place, const QString& fallbackCaption) {
    QString error;
    XpButton* button = createDesignedButton(design, parent, &error, name);
    if (!button) {
        qWarning("Marvolia: the button %s has no usable design: %s", qPrintable(name),
                 qPrintable(error));
        button = new XpButton(parent);
        button->setObjectName(name);
        button->InitProperties();
        button->setButtonStyle(3);
        button->setCaption(fallbackCaption);
    }
    button->setGeometry(place);
    return button;
}

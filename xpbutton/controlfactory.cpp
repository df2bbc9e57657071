#include "xpbutton/controlfactory.h"

#include "assets/assets.h"
#include "platform/host/propertybag.h"
#include "xpbutton/xpbutton.h"

#include <memory>

namespace {

// The artwork each stored design's picture was made from; the program ships
// it also for screens with more device pixels to a pixel.
const char* artworkOf(const QString& design) {
    static const struct {
        const char* design;
        const char* artwork;
    } kArtwork[] = {
        {"main_command1", "cmd_list.png"}, {"main_command2", "cmd_copy.png"},
        {"main_command3", "cmd_save.png"}, {"main_command4", "cmd_open.png"},
        {"main_command5", "cmd_help.png"},
    };
    for (const auto& entry : kArtwork)
        if (design == QLatin1String(entry.design))
            return entry.artwork;
    return nullptr;
}

} // namespace

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
    const char* artwork = artworkOf(design);
    if (const PicturePtr picture = button->Picture(); picture && artwork)
        picture->setSharper(sharperAssetImages(QString::fromLatin1(artwork)));
    button->setGeometry(place);
    return button;
}

#include "assets/designedbuttons.h"

#include "assets/assets.h"
#include "xpbutton/controlfactory.h"
#include "xpbutton/xpbutton.h"

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

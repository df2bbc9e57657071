// Screen readers see an XpButton as a push button: its caption is its name
// (without the access-key marks), or, for a picture-only button, the
// accessible name its window gives it; pressing it through the press action
// clicks it as its access key does; it tells when it is focused or pressed.
#include "xpbutton/xpbutton.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeySequence>

namespace {

// The caption as it is read: "&" marks go, "&&" is one "&".
QString spokenCaption(const QString& caption) {
    QString spoken;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                ++i;
            else
                continue;
        }
        spoken.append(caption[i]);
    }
    return spoken;
}

class XpButtonAccessible : public QAccessibleWidget {
public:
    explicit XpButtonAccessible(XpButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && !button()->Caption().isEmpty())
            return spokenCaption(button()->Caption());
        if (t == QAccessible::Accelerator)
            return accessKey().toString(QKeySequence::NativeText);
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->pressed();
        s.hotTracked = button()->hovered();
        s.defaultButton = button()->extenderDefault().value_or(false);
        return s;
    }

    QStringList actionNames() const override {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction())
            button()->press();
        else
            QAccessibleWidget::doAction(actionName);
    }

    QStringList keyBindingsForAction(const QString& actionName) const override {
        if (actionName != pressAction())
            return QAccessibleWidget::keyBindingsForAction(actionName);
        QStringList keys{QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText)};
        if (!accessKey().isEmpty())
            keys.append(accessKey().toString(QKeySequence::NativeText));
        return keys;
    }

private:
    XpButton* button() const { return static_cast<XpButton*>(widget()); }

    QKeySequence accessKey() const {
        const QString key = button()->AccessKeys();
        if (key.isEmpty())
            return {};
        return QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key[0].toUpper().unicode())));
    }
};

QAccessibleInterface* xpButtonInterface(const QString& className, QObject* object) {
    if (className != QLatin1String("XpButton"))
        return nullptr;
    auto* button = qobject_cast<XpButton*>(object);
    return button ? new XpButtonAccessible(button) : nullptr;
}

} // namespace

void XpButton::installAccessibility() {
    static const bool installed = (QAccessible::installFactory(xpButtonInterface), true);
    Q_UNUSED(installed);
}

void XpButton::announcePressed() {
    if (pressed() == m_announcedPressed)
        return;
    m_announcedPressed = pressed();
    QAccessible::State changed;
    changed.pressed = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void XpButton::announceName() {
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

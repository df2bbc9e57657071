#include "xpbutton/buttonerrors.h"

#include "platform/desktop/dialogs.h"
#include "xpbutton/xpbutton.h"

#include <QPointer>

#include <memory>

void tellButtonErrors(XpButton& button, Dialogs& dialogs, QWidget& window) {
    auto showing = std::make_shared<bool>(false);
    const QPointer<XpButton> source(&button);
    // Queued: the message comes once the event is over, not in the middle of
    // a press or a timer tick.
    QObject::connect(
        &button, &ControlBase::errorRaised, &window,
        [showing, source, &dialogs, &window](const QString& reason) {
            if (*showing)
                return;
            *showing = true;
            QString text = QStringLiteral("The button \"%1\" could not finish what it was "
                                          "doing: %2.")
                               .arg(source ? source->objectName() : QString(), reason);
            if (source && !source->URL().isEmpty())
                text += QStringLiteral(" Its address is \"%1\".").arg(source->URL());
            tell(dialogs, &window, text);
            *showing = false;
        },
        Qt::QueuedConnection);
}

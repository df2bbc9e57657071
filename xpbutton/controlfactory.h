#pragma once

#include <QByteArray>
#include <QString>

class QWidget;
class XpButton;

// The programmatic identifier under which a stored design names the button.
inline constexpr char kXpButtonProgId[] = "MarvoliaPry.XpButton";

// Creates the control a stored design (a property bag in its text form)
// describes, loaded through its loading entry point, as a child of parent.
// The name is the control's name in its window, which is also the display
// name its container reports for it. Returns null, with the reason in
// *error, when the identifier is unknown (compared without regard to case),
// the text is damaged or a stored value does not fit its property.
XpButton* createControl(const QString& progId, const QByteArray& bagText, QWidget* parent,
                        QString* error = nullptr, const QString& name = {});

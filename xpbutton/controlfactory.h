#pragma once

#include <QByteArray>
#include <QRect>
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

// The windows' stored designs, by name: "main_command1" to "main_command5",
// "props_command1", "props_command2". Empty for an unknown name.
QByteArray storedDesign(const QString& design);

// createControl() of one of the stored designs.
XpButton* createDesignedButton(const QString& design, QWidget* parent, QString* error = nullptr,
                               const QString& name = {});

// A window's button from its stored design, placed at its designed rectangle
// (pixels). A design that cannot be read is a fault of the build, not of the
// user's data: the window still gets a working button, a new instance with
// the given caption, and the reason goes to the log.
XpButton* placeDesignedButton(const QString& design, const QString& name, QWidget* parent,
                              const QRect& place, const QString& fallbackCaption = {});

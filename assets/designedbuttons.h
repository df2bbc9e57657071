#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>

class QWidget;
class XpButton;

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

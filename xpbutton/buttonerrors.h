#pragma once

class Dialogs;
class QWidget;
class XpButton;

// Shows what stopped one of the button's events in the usual message box,
// owned by window. An error that comes again while its message is still
// shown is not shown twice.
void tellButtonErrors(XpButton& button, Dialogs& dialogs, QWidget& window);

#pragma once

#include <QString>

class QWidget;

// What a file dialog is asked to show. The filter is in the design's form
// "Desc|*.ext"; flags 2 means the Save dialog asks before it overwrites.
struct FileDialogRequest {
    QString filter;
    QString fileName;
    int flags = 0;
    QString initDir;
};

enum class FileDialogMode { Open, Save };
enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Warning, Critical };
enum class MessageResult { Ok, Yes, No, Cancel };

// Every question the program asks the user goes through here: the program
// shows Qt dialogs, tests answer from a script.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The chosen full path, or empty when the user cancelled.
    virtual QString fileDialog(QWidget* owner, FileDialogMode mode,
                               const FileDialogRequest& request) = 0;
    // The chosen folder, or empty when the user cancelled.
    virtual QString browseForFolder(QWidget* owner, const QString& title) = 0;
    virtual MessageResult message(QWidget* owner, const QString& title, const QString& text,
                                  MessageButtons buttons, MessageIcon icon) = 0;
};

// "Desc|*.ext|Desc2|*.e2" in Qt's form "Desc (*.ext);;Desc2 (*.e2)".
QString qtFilterFromDesign(const QString& filter);

// The extension of the filter's first pattern, "mvl" for "Marvolia
// files|*.mvl"; empty when that pattern names no single extension.
QString filterExtension(const QString& filter);

// The program's title on every message box.
inline QString programTitle() {
    return QStringLiteral("Marvolia");
}

// A message box with an OK button, titled with the program's name.
void tell(Dialogs& dialogs, QWidget* owner, const QString& text,
          MessageIcon icon = MessageIcon::Warning);

#pragma once

#include "platform/desktop/dialogs.h"

// The dialogs a user sees: Qt's file, folder and message dialogs.
class QtDialogs : public Dialogs {
public:
    QString fileDialog(QWidget* owner, FileDialogMode mode,
                       const FileDialogRequest& request) override;
    QString browseForFolder(QWidget* owner, const QString& title) override;
    MessageResult message(QWidget* owner, const QString& title, const QString& text,
                          MessageButtons buttons, MessageIcon icon) override;
};

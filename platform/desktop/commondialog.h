#pragma once

#include "platform/desktop/dialogs.h"

// The window's one shared file dialog. Its settings stay set between uses:
// a folder chosen by one flow is where the next dialog starts.
class CommonDialog {
public:
    explicit CommonDialog(Dialogs& dialogs, QWidget* owner = nullptr)
        : m_dialogs(dialogs), m_owner(owner) {}

    QString Filter;
    QString FileName;
    int Flags = 0;
    QString InitDir;

    // Afterwards FileName is the chosen path, or empty when cancelled.
    void ShowSave() { show(FileDialogMode::Save); }
    void ShowOpen() { show(FileDialogMode::Open); }

private:
    void show(FileDialogMode mode) {
        FileName = m_dialogs.fileDialog(m_owner, mode, {Filter, FileName, Flags, InitDir});
    }

    Dialogs& m_dialogs;
    QWidget* m_owner;
};

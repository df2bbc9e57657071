#pragma once

#include "platform/desktop/dialogs.h"
#include "platform/desktop/shell.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>

// Answers the program's questions from a script and records every question.
// An unscripted question is answered as if the user cancelled.
class ScriptedDialogs : public Dialogs {
public:
    struct FileCall {
        FileDialogMode mode;
        FileDialogRequest request;
    };
    struct MessageCall {
        QString title;
        QString text;
        MessageButtons buttons;
        MessageIcon icon;
    };

    // Queue answers: file dialogs and folder browsers return the texts in
    // order; message boxes return the results in order (default Ok/Cancel).
    void answerFile(const QString& path) { m_files.push_back(path); }
    void answerFolder(const QString& path) { m_folders.push_back(path); }
    void answerMessage(MessageResult result) { m_messages.push_back(result); }
    // Runs while a message box would be shown, e.g. to look at the window.
    std::function<void(const MessageCall&)> onMessage;

    QString fileDialog(QWidget* owner, FileDialogMode mode,
                       const FileDialogRequest& request) override;
    QString browseForFolder(QWidget* owner, const QString& title) override;
    MessageResult message(QWidget* owner, const QString& title, const QString& text,
                          MessageButtons buttons, MessageIcon icon) override;

    QList<FileCall> fileCalls;
    QStringList folderTitles;
    QList<MessageCall> messages;

private:
    std::deque<QString> m_files;
    std::deque<QString> m_folders;
    std::deque<MessageResult> m_messages;
};

// Records what would have been started; starts nothing.
class RecordingShell : public Shell {
public:
    bool start(const CommandLine& command) override;
    bool shellExecute(QWidget* owner, const QString& verb, const QString& file) override;
    bool navigate(const QString& address) override;

    QList<CommandLine> started;
    QStringList executed; // "verb file"
    QStringList navigated;
};

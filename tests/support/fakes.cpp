#include "tests/support/fakes.h"

QString ScriptedDialogs::fileDialog(QWidget*, FileDialogMode mode,
                                    const FileDialogRequest& request) {
    fileCalls.append({mode, request});
    if (m_files.empty())
        return {};
    QString answer = m_files.front();
    m_files.pop_front();
    return answer;
}

QString ScriptedDialogs::browseForFolder(QWidget*, const QString& title) {
    folderTitles.append(title);
    if (m_folders.empty())
        return {};
    QString answer = m_folders.front();
    m_folders.pop_front();
    return answer;
}

MessageResult ScriptedDialogs::message(QWidget*, const QString& title, const QString& text,
                                       MessageButtons buttons, MessageIcon icon) {
    const MessageCall call{title, text, buttons, icon};
    messages.append(call);
    if (onMessage)
        onMessage(call);
    if (m_messages.empty())
        return buttons == MessageButtons::Ok ? MessageResult::Ok : MessageResult::Cancel;
    const MessageResult answer = m_messages.front();
    m_messages.pop_front();
    return answer;
}

bool RecordingShell::start(const CommandLine& command) {
    started.append(command);
    return true;
}

bool RecordingShell::shellExecute(QWidget*, const QString& verb, const QString& file) {
    executed.append(verb + QLatin1Char(' ') + file);
    return true;
}

bool RecordingShell::navigate(const QString& address) {
    navigated.append(address);
    return true;
}

#pragma once

#include "platform/desktop/shell.h"

#include <functional>

// Opens files, folders and addresses with the desktop's default applications
// through xdg-open, one argument, no shell in between. Nothing waits for it:
// its exit status is picked up later on the window thread, and a command
// line's failedLater runs when xdg-open says it could not open the file.
class DesktopShell : public Shell {
public:
    bool start(const CommandLine& command) override;
    bool shellExecute(QWidget* owner, const QString& verb, const QString& file) override;
    bool navigate(const QString& address) override;

private:
    static bool open(const QString& target, std::function<void()> failedLater = nullptr);
};

// Runs program with one argument, no shell, without waiting; false when it
// could not be started. Its exit status is collected on the window thread
// (the process must have a QCoreApplication), and failed runs when it is not
// 0. The program may go on after this process has ended.
bool startWatched(const QString& program, const QString& argument, std::function<void()> failed);

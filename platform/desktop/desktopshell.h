#pragma once

#include "shell.h"

// Opens files, folders and addresses with the desktop's default applications
// through xdg-open, one argument, no shell in between.
class DesktopShell : public Shell {
public:
    bool start(const CommandLine& command) override;
    bool shellExecute(QWidget* owner, const QString& verb, const QString& file) override;
    bool navigate(const QString& address) override;

private:
    bool open(const QString& target);
};

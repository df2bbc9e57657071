#pragma once

#include <QString>

#include <functional>

class QWidget;

// How a started program's window opens.
enum class WindowStyle { Normal, Minimized, Maximized };

// A command line as the design writes it: a program and one argument, kept
// as data so tests can read it. It is never handed to a shell.
struct CommandLine {
    QString program;
    QString argument;
    WindowStyle style = WindowStyle::Normal;
    // Called later on the window thread when the program was started but
    // then reported that it failed (for the desktop's opener: nothing could
    // show the file). Never called from inside start().
    std::function<void()> failedLater = nullptr;
};

// Starting other programs. The program uses the desktop's default
// applications; tests record what would have been started.
class Shell {
public:
    virtual ~Shell() = default;

    // Starts the command line without waiting for it; false if it could not.
    virtual bool start(const CommandLine& command) = 0;
    // The shell's "open" of a document or address.
    virtual bool shellExecute(QWidget* owner, const QString& verb, const QString& file) = 0;
    // Hands an address to the desktop's browser.
    virtual bool navigate(const QString& address) = 0;
};

// The argument xdg-open gets for a design command line's argument: an address
// stays as it is, a path becomes absolute (so it never starts with "-").
QString desktopOpenArgument(const QString& argument);

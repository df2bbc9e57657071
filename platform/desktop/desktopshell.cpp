#include "platform/desktop/desktopshell.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace {

// Looks after one started program until it ends, polling so the window
// thread never waits. It belongs to the application, and going away with it
// leaves the program running.
class ExitWatch : public QObject {
public:
    ExitWatch(pid_t pid, std::function<void()> failed)
        : QObject(QCoreApplication::instance()), m_pid(pid), m_failed(std::move(failed)) {
        m_timer.setInterval(kFirstInterval);
        connect(&m_timer, &QTimer::timeout, this, &ExitWatch::poll);
        m_timer.start();
    }

private:
    // Quick at first, as the opener's verdict usually comes within moments;
    // then rarely, as it may stay while the program it started runs.
    static constexpr int kFirstInterval = 50;
    static constexpr int kLaterInterval = 1000;
    static constexpr int kQuickPolls = 200;

    void poll() {
        int status = 0;
        const pid_t got = ::waitpid(m_pid, &status, WNOHANG);
        if (got == 0) {
            if (++m_polls == kQuickPolls)
                m_timer.setInterval(kLaterInterval);
            return;
        }
        m_timer.stop();
        // Reaped by someone else (got < 0): nothing is known, nothing is said.
        const bool failed = got == m_pid && !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        if (failed && m_failed)
            m_failed();
        deleteLater();
    }

    pid_t m_pid;
    std::function<void()> m_failed;
    QTimer m_timer;
    int m_polls = 0;
};

} // namespace

bool startWatched(const QString& program, const QString& argument, std::function<void()> failed) {
    const QByteArray name = QFile::encodeName(program);
    const QByteArray arg = QFile::encodeName(argument);
    char* argv[] = {const_cast<char*>(name.constData()), const_cast<char*>(arg.constData()),
                    nullptr};
    pid_t pid = 0;
    if (::posix_spawnp(&pid, name.constData(), nullptr, nullptr, argv, environ) != 0)
        return false;
    new ExitWatch(pid, std::move(failed));
    return true;
}

QString desktopOpenArgument(const QString& argument) {
    const QUrl url(argument, QUrl::StrictMode);
    // A scheme of two letters or more is an address; one letter would be a drive.
    if (url.isValid() && url.scheme().size() > 1 && !argument.startsWith(QLatin1Char('-')))
        return argument;
    return QFileInfo(argument).absoluteFilePath();
}

bool DesktopShell::open(const QString& target, std::function<void()> failedLater) {
    if (target.isEmpty())
        return false;
    return startWatched(QStringLiteral("xdg-open"), desktopOpenArgument(target),
                        std::move(failedLater));
}

bool DesktopShell::start(const CommandLine& command) {
    // "explorer X", "explorer.exe X" and "notepad.exe X" all open X with the
    // desktop's default application; window styles are the desktop's business.
    return open(command.argument, command.failedLater);
}

bool DesktopShell::shellExecute(QWidget*, const QString&, const QString& file) {
    return open(file);
}

bool DesktopShell::navigate(const QString& address) {
    return open(address);
}

#include "desktopshell.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

QString desktopOpenArgument(const QString& argument) {
    const QUrl url(argument, QUrl::StrictMode);
    // A scheme of two letters or more is an address; one letter would be a drive.
    if (url.isValid() && url.scheme().size() > 1 && !argument.startsWith(QLatin1Char('-')))
        return argument;
    return QFileInfo(argument).absoluteFilePath();
}

bool DesktopShell::open(const QString& target) {
    if (target.isEmpty())
        return false;
    return QProcess::startDetached(QStringLiteral("xdg-open"), {desktopOpenArgument(target)});
}

bool DesktopShell::start(const CommandLine& command) {
    // "explorer X", "explorer.exe X" and "notepad.exe X" all open X with the
    // desktop's default application; window styles are the desktop's business.
    return open(command.argument);
}

bool DesktopShell::shellExecute(QWidget*, const QString&, const QString& file) {
    return open(file);
}

bool DesktopShell::navigate(const QString& address) {
    return open(address);
}

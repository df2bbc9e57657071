#include "app/commandline.h"
#include "app/mainwindow.h"
#include "platform/controls/designfont.h"
#include "platform/desktop/desktopshell.h"
#include "platform/desktop/qtdialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char** argv) {
    // Read before Qt starts: help and version need no display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    const StartRequest request = parseStartArguments(arguments);
    switch (request.action) {
    case StartAction::Help:
        std::fputs(usageText().toLocal8Bit().constData(), stdout);
        return 0;
    case StartAction::Version:
        std::fputs(versionText().toLocal8Bit().constData(), stdout);
        return 0;
    case StartAction::Wrong:
        std::fputs((request.fault + usageText()).toLocal8Bit().constData(), stderr);
        return 2;
    case StartAction::Run:
        break;
    }

    // Qt is given none of the arguments: every one was the program's own.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Marvolia"));
    installDesignFont();
    QtDialogs dialogs;
    DesktopShell shell;
    MainWindow window({dialogs, shell, defaultSiteBase()});
    if (!request.file.isEmpty())
        window.openAtStart(QFileInfo(request.file).absoluteFilePath());
    window.show();
    return app.exec();
}

#include "designfont.h"
#include "desktopshell.h"
#include "mainwindow.h"
#include "qtdialogs.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marvolia"));
    installDesignFont();
    QtDialogs dialogs;
    DesktopShell shell;
    MainWindow window({dialogs, shell, defaultSiteBase()});
    window.show();
    return app.exec();
}

// What is kept between runs: only the toolkit's own file dialog settings
// (the folders visited, the dialog's view), in QtProject.conf of the user's
// configuration folder. The program itself writes nothing there, nor
// anywhere else but where the user saves.

#include "app/mainwindow.h"
#include "platform/desktop/qtdialogs.h"
#include "tests/support/fakes.h"
#include "tests/support/whenshown.h"
#include "tests/support/window/mainwindowui.h"
#include "xpbutton/xpbutton.h"

#include <QDir>
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Presses Return in the file dialog once it shows.
void acceptFileDialog(QObject* scope) {
    whenShown<QFileDialog>(scope, [](QFileDialog* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        QTest::keyClick(edit, Qt::Key_Return);
    });
}

// Runs in a home folder of its own, before anything in this program has
// looked for the user's configuration folder.
TEST(DialogMemory, OnlyTheFileDialogsOwnSettingsAreKept) {
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("photos")));
    const QString previous = QDir::currentPath();
    const QByteArray previousHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qunsetenv(variable);
    ASSERT_TRUE(QDir::setCurrent(home.filePath(QStringLiteral("photos"))));
    {
        QtDialogs dialogs;
        RecordingShell shell;
        MainWindow w({dialogs, shell, QUrl()});
        w.show();
        QObject scope;
        acceptFileDialog(&scope);
        QTest::mouseClick(ui(w).Command3, Qt::LeftButton, {}, QPoint(10, 10));
        acceptFileDialog(&scope);
        EXPECT_EQ(dialogs.browseForFolder(&w, QStringLiteral("Folder")), home.path());
    }
    QDir::setCurrent(previous);
    qputenv("HOME", previousHome);

    QStringList written;
    QDirIterator all(home.path(), QDir::Files | QDir::Hidden | QDir::System,
                     QDirIterator::Subdirectories);
    while (all.hasNext())
        written << QDir(home.path()).relativeFilePath(all.next());
    written.sort();
    EXPECT_EQ(written, (QStringList{QStringLiteral(".config/QtProject.conf"),
                                    QStringLiteral("photos/untiteled.mvl")}));
    QSettings kept(home.filePath(QStringLiteral(".config/QtProject.conf")), QSettings::IniFormat);
    EXPECT_EQ(kept.childGroups(), QStringList{QStringLiteral("FileDialog")});
    EXPECT_EQ(kept.allKeys(),
              (QStringList{"FileDialog/history", "FileDialog/lastVisited", "FileDialog/qtVersion",
                           "FileDialog/shortcuts", "FileDialog/sidebarWidth",
                           "FileDialog/treeViewHeader", "FileDialog/viewMode"}));
    EXPECT_EQ(kept.value(QStringLiteral("FileDialog/lastVisited")).toString(),
              QUrl::fromLocalFile(home.path()).toString());
}

} // namespace

// The folder browser as the program shows it.
#include "platform/desktop/qtdialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Runs look on the dialog once it is shown, then cancels it.
void whenShown(const std::function<void(QFileDialog&)>& look) {
    auto tries = std::make_shared<int>(0);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [look, tries, poll] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            look(*dialog);
            dialog->reject();
        } else if (++*tries < 500) {
            QTimer::singleShot(10, *poll);
        }
    };
    QTimer::singleShot(0, *poll);
}

TEST(QtDialogs, TheFolderBrowserStartsAtTheHomeFolderNotTheWorkingOne) {
    QTemporaryDir working;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(working.path()));
    ASSERT_NE(QDir::homePath(), QDir::currentPath());

    QString shownTitle;
    QString startedIn;
    bool foldersOnly = false;
    whenShown([&](QFileDialog& dialog) {
        shownTitle = dialog.windowTitle();
        startedIn = dialog.directory().absolutePath();
        foldersOnly = dialog.fileMode() == QFileDialog::Directory;
    });
    QtDialogs dialogs;
    const QString chosen = dialogs.browseForFolder(nullptr, QStringLiteral("Pick one"));
    QDir::setCurrent(previous);

    EXPECT_EQ(chosen, QString()) << "cancelled";
    EXPECT_EQ(shownTitle, "Pick one");
    EXPECT_EQ(startedIn, QDir(QDir::homePath()).absolutePath());
    EXPECT_TRUE(foldersOnly);
}

} // namespace

// The Save dialogs the user sees, driven with real key presses.

#include "platform/desktop/qtdialogs.h"
#include "tests/support/whenshown.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(FilterExtension, IsTheFirstPatternsOwn) {
    const std::pair<const char*, const char*> cases[] = {{"Marvolia files|*.mvl", "mvl"},
                                                         {"Text Files|*.txt", "txt"},
                                                         {"Text|*.txt;*.text", "txt"},
                                                         {"All|*.*", ""},
                                                         {"Any|*", ""},
                                                         {"Odd|*.tar.gz", ""},
                                                         {"", ""},
                                                         {"No pattern", ""}};
    for (const auto& [filter, extension] : cases)
        EXPECT_EQ(filterExtension(filter), QString::fromLatin1(extension)) << filter;
}

struct SaveCase {
    FileDialogMode mode;
    const char* filter;
    const char* typed;
    const char* chosen; // the name the dialog gives back
};

TEST(SaveDialog, ANameWithoutExtensionGetsTheFiltersOwn) {
    QTemporaryDir dir;
    const SaveCase cases[] = {
        {FileDialogMode::Save, "Marvolia files|*.mvl", "myorder", "myorder.mvl"},
        {FileDialogMode::Save, "Marvolia files|*.mvl", "myorder.mvl", "myorder.mvl"},
        {FileDialogMode::Save, "Marvolia files|*.mvl", "photo.txt", "photo.txt"},
        {FileDialogMode::Save, "Text Files|*.txt", "lab", "lab.txt"},
        {FileDialogMode::Open, "Marvolia files|*.mvl", "myorder", "myorder"},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.typed);
        QObject scope;
        whenShown<QFileDialog>(&scope, [&](QFileDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromUtf8(c.typed));
            QTest::keyClick(edit, Qt::Key_Return);
            if (dialog->isVisible())
                dialog->reject();
        });
        QtDialogs dialogs;
        EXPECT_EQ(dialogs.fileDialog(nullptr, c.mode, {c.filter, "untiteled", 2, dir.path()}),
                  dir.filePath(QString::fromUtf8(c.chosen)));
    }
}

// The overwrite question asks about the name that will be written.
TEST(SaveDialog, TheOverwriteQuestionNamesTheFileWithItsExtension) {
    QTemporaryDir dir;
    QFile existing(dir.filePath("kept.mvl"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace);
        QObject scope;
        QString asked;
        whenShown<QFileDialog>(&scope, [&](QFileDialog* dialog) {
            whenShown<QMessageBox>(&scope, [&, dialog](QMessageBox* box) {
                asked = box->text();
                QTest::mouseClick(box->button(replace ? QMessageBox::Yes : QMessageBox::No),
                                  Qt::LeftButton);
                if (!replace)
                    QTimer::singleShot(0, dialog, &QDialog::reject);
            });
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("kept"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QtDialogs dialogs;
        const QString chosen = dialogs.fileDialog(nullptr, FileDialogMode::Save,
                                                  {"Marvolia files|*.mvl", "", 2, dir.path()});
        EXPECT_TRUE(asked.startsWith(QStringLiteral("kept.mvl already exists.")))
            << asked.toStdString();
        EXPECT_EQ(chosen, replace ? dir.filePath("kept.mvl") : QString());
    }
}

// Enter, Enter saves: the name, then Yes at the replace question. No (or
// Esc) goes back to the dialog with the name still there.
TEST(SaveDialog, EnterAtTheReplaceQuestionReplaces) {
    QTemporaryDir dir;
    QFile existing(dir.filePath("kept.mvl"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    const struct {
        Qt::Key answer;
        bool replaced;
    } cases[] = {{Qt::Key_Return, true}, {Qt::Key_Enter, true}, {Qt::Key_Escape, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        QObject scope;
        QString leftInDialog;
        whenShown<QFileDialog>(&scope, [&](QFileDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(edit, nullptr);
            whenShown<QMessageBox>(&scope, [&, dialog, edit](QMessageBox* box) {
                QTest::keyClick(box, c.answer);
                QTimer::singleShot(0, dialog, [dialog, edit, &leftInDialog] {
                    if (!dialog->isVisible())
                        return;
                    leftInDialog = edit->text();
                    dialog->reject();
                });
            });
            edit->selectAll();
            QTest::keyClicks(edit, QStringLiteral("kept"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QtDialogs dialogs;
        const QString chosen = dialogs.fileDialog(nullptr, FileDialogMode::Save,
                                                  {"Marvolia files|*.mvl", "", 2, dir.path()});
        EXPECT_EQ(chosen, c.replaced ? dir.filePath("kept.mvl") : QString());
        EXPECT_EQ(leftInDialog, c.replaced ? "" : "kept.mvl");
    }
}

} // namespace

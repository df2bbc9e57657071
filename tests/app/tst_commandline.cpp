#include "app/commandline.h"
#include "app/mainwindow.h"
#include "platform/controls/flexgrid.h"
#include "tests/support/fakes.h"
#include "tests/support/filebytes.h"
#include "tests/support/window/mainwindowui.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(CommandLine, ArgumentsAskForAFileHelpOrVersion) {
    struct Case {
        QStringList arguments;
        StartAction action;
        QString file;
        QString fault;
    };
    const Case cases[] = {
        {{}, StartAction::Run, {}, {}},
        {{"order.mvl"}, StartAction::Run, "order.mvl", {}},
        {{"/a b/Año.mvl"}, StartAction::Run, "/a b/Año.mvl", {}},
        {{"--help"}, StartAction::Help, {}, {}},
        {{"--version"}, StartAction::Version, {}, {}},
        {{"order.mvl", "--version"}, StartAction::Version, {}, {}},
        {{"--", "-order.mvl"}, StartAction::Run, "-order.mvl", {}},
        {{"--", "--help"}, StartAction::Run, "--help", {}},
        {{"-h"}, StartAction::Wrong, {}, "marvolia: unknown option \"-h\"\n"},
        {{"--helpme"}, StartAction::Wrong, {}, "marvolia: unknown option \"--helpme\"\n"},
        {{"-"}, StartAction::Wrong, {}, "marvolia: unknown option \"-\"\n"},
        {{"a.mvl", "b.mvl"}, StartAction::Wrong, {}, "marvolia: one project file at most, not 2\n"},
        {{"--", "a.mvl", "-b"},
         StartAction::Wrong,
         {},
         "marvolia: one project file at most, not 2\n"},
    };
    for (const Case& c : cases) {
        const StartRequest r = parseStartArguments(c.arguments);
        const std::string name = c.arguments.join(' ').toStdString();
        EXPECT_EQ(r.action, c.action) << name;
        EXPECT_EQ(r.file, c.file) << name;
        EXPECT_EQ(r.fault, c.fault) << name;
    }
}

// The program itself, built beside this test.
struct ProgramRun {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

ProgramRun runProgram(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Help and version must come without any display.
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/marvolia"), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

TEST(CommandLine, TheProgramAnswersWithItsExitCodeAndStreams) {
    const QByteArray usage = usageText().toUtf8();
    EXPECT_TRUE(usage.startsWith("Usage: marvolia [FILE]\n"));
    struct Case {
        QStringList arguments;
        int exitCode;
        QByteArray out;
        QByteArray err;
    };
    const Case cases[] = {
        {{"--help"}, 0, usage, {}},
        {{"--version"}, 0, "marvolia " MARVOLIA_VERSION_TEXT "\n", {}},
        {{"--bogus"}, 2, {}, "marvolia: unknown option \"--bogus\"\n" + usage},
        {{"a.mvl", "b.mvl"}, 2, {}, "marvolia: one project file at most, not 2\n" + usage},
    };
    for (const Case& c : cases) {
        const ProgramRun run = runProgram(c.arguments);
        const std::string name = c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << name;
        EXPECT_EQ(run.out, c.out) << name;
        EXPECT_EQ(run.err, c.err) << name;
    }
}

class OpenAtStart : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    RecordingShell shell;
    QTemporaryDir dir;

    // The window as main() makes it for "marvolia FILE", shown.
    std::unique_ptr<MainWindow> start(const QString& file) {
        auto w = std::make_unique<MainWindow>(MainWindowServices{dialogs, shell, QUrl()});
        w->openAtStart(file);
        EXPECT_EQ(ui(w).MSFlexGrid1->Rows(), 1) << "nothing is opened before the window shows";
        w->show();
        EXPECT_TRUE(QTest::qWaitFor([&] { return w->activations() > 0; }, 10000));
        QTest::qWait(50);
        return w;
    }
};

TEST_F(OpenAtStart, TheFileIsOpenedOnceTheWindowShowsWithoutAQuestion) {
    const QString project = dir.filePath("order.mvl");
    const QString photo = dir.filePath("nowhere/a.jpg");
    ASSERT_TRUE(writeFileBytes(project, " 1 \r\n" + photo.toUtf8() + "\r\n3\r\n13x18\r\n"));
    const auto w = start(project);
    ASSERT_EQ(ui(w).MSFlexGrid1->Rows(), 2);
    EXPECT_EQ(ui(w).MSFlexGrid1->TextMatrix(1, 1), photo);
    EXPECT_EQ(ui(w).MSFlexGrid1->TextMatrix(1, 2), "3");
    EXPECT_EQ(ui(w).selection.count, 1);
    EXPECT_TRUE(dialogs.fileCalls.isEmpty()) << "no Open dialog";
    // The only question is the one about the missing photo.
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.endsWith("Look for them in another folder?"));
    EXPECT_EQ(ui(w).project_path, project) << "the project open now";
}

TEST_F(OpenAtStart, AFileThatCannotBeReadGivesTheMessageAndAnEmptyOrder) {
    const QString project = dir.filePath("missing.mvl");
    const auto w = start(project);
    EXPECT_EQ(ui(w).MSFlexGrid1->Rows(), 1);
    EXPECT_EQ(ui(w).selection.count, 0);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
    EXPECT_TRUE(dialogs.messages[0].text.startsWith(
        QStringLiteral("The project \"%1\" could not be opened: ").arg(project)))
        << dialogs.messages[0].text.toStdString();
}

} // namespace

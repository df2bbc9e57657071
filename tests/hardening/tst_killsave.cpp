// A save killed at any moment leaves the old project or the new one, whole,
// and nothing else beside it. The saving is done by a child process, this
// same test program running the real window's Save over and over, killed
// with SIGKILL at a random moment.

#include "app/mainwindow.h"
#include "platform/files/filewriter.h"
#include "platform/files/textfile.h"
#include "selection/order/projectfile.h"
#include "tests/support/fakes.h"
#include "tests/support/filebytes.h"
#include "tests/support/fileresults.h"
#include "tests/support/qtprinters.h"
#include "tests/support/window/mainwindowui.h"
#include "xpbutton/xpbutton.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <random>

#include <unistd.h>

namespace {

constexpr int kKills = 100;
// Rows of the saved project: enough that a save takes a while.
constexpr int kRows = 600;
const char* const kTargetVariable = "MARVOLIA_SAVE_LOOP_TARGET";
const char* const kHelperTest = "KillDuringSave.DISABLED_SavesOverAndOver";

// The project of one version: the version is the first photo's copies.
QList<ProjectRecord> projectVersion(int version) {
    QList<ProjectRecord> records;
    for (int i = 0; i < kRows; ++i)
        records.append({QStringLiteral("/home/ana/Pictures/holidays, 2024/photo %1.jpg").arg(i),
                        i == 0 ? QString::number(version) : QStringLiteral("1"),
                        i % 2 ? QStringLiteral("10x15") : QStringLiteral("13x18")});
    return records;
}

// The version a whole project file holds, or -1 when it is not one of them.
int versionOf(const QByteArray& bytes) {
    const ProjectRead read = readProjectText(decodeText(bytes), kRows);
    if (!read.ok() || read.records.size() != kRows)
        return -1;
    bool number = false;
    const int version = read.records[0].copies.toInt(&number);
    return number && bytes == projectFileBytes(projectVersion(version)) ? version : -1;
}

} // namespace

// The child: saves the project through the window's Save button until it is
// killed. Runs only when the test below starts it.
TEST(KillDuringSave, DISABLED_SavesOverAndOver) {
    const QString target = qEnvironmentVariable(kTargetVariable);
    if (target.isEmpty())
        GTEST_SKIP() << "started only by TheFileIsAlwaysOldOrNewAndWhole";
    ScriptedDialogs dialogs;
    RecordingShell shell;
    MainWindow w({dialogs, shell, QUrl()});
    OrderRows rows;
    for (const ProjectRecord& r : projectVersion(0))
        rows.append({r.file, r.copies, r.size, {}, {}, {}});
    ui(w).order.replaceRows(rows, QStringLiteral("filling"));
    std::puts("saving");
    std::fflush(stdout);
    for (int version = 1;; ++version) {
        rows[0].copies = QString::number(version);
        ui(w).order.changeRows({{0, rows[0]}}, QStringLiteral("changing a row"));
        dialogs.answerFile(target);
        QTest::mouseClick(ui(w).Command3, Qt::LeftButton, {}, QPoint(10, 10));
        ASSERT_TRUE(dialogs.messages.isEmpty()) << dialogs.messages[0].text.toStdString();
    }
}

TEST(KillDuringSave, TheFileIsAlwaysOldOrNewAndWhole) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("projects"));
    const QString scratch = dir.filePath(QStringLiteral("tmp"));
    ASSERT_TRUE(QDir().mkpath(folder) && QDir().mkpath(scratch));
    const QString target = folder + QStringLiteral("/order.mvl");
    const QByteArray old = projectFileBytes(projectVersion(0));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kTargetVariable), target);
    // What the child leaves in its temporary folder when killed stays here.
    environment.insert(QStringLiteral("TMPDIR"), scratch);

    std::mt19937 random(20240613);
    // Up to a few saves' time after the child starts saving.
    std::uniform_int_distribution<int> delayMicroseconds(0, 60000);
    int keptOld = 0;
    int tookNew = 0;
    int highest = 0;
    int staged = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE(kill);
        // The old project, through the writer, which also clears what the
        // last kill left.
        ASSERT_EQ(whyNot(writeFileWhole(target, old)), QString());
        ASSERT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("order.mvl")});
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=%1").arg(QLatin1String(kHelperTest)),
                     QStringLiteral("--gtest_also_run_disabled_tests")});
        ASSERT_TRUE(child.waitForStarted()) << child.errorString().toStdString();
        QByteArray said;
        while (!said.contains("saving\n") && child.state() == QProcess::Running)
            if (child.waitForReadyRead(60000))
                said += child.readAllStandardOutput();
        ASSERT_TRUE(said.contains("saving\n"))
            << said.toStdString() << child.readAllStandardError().toStdString();

        ::usleep(static_cast<useconds_t>(delayMicroseconds(random)));
        ASSERT_EQ(::kill(static_cast<pid_t>(child.processId()), SIGKILL), 0);
        ASSERT_TRUE(child.waitForFinished(60000));
        ASSERT_EQ(child.exitStatus(), QProcess::CrashExit)
            << "the child stopped by itself: " << child.readAllStandardError().toStdString();

        // Besides the project, at most its hidden staging file, whole, when the
        // kill came between staging the new file and putting it in place.
        const QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden);
        for (const QString& name : left) {
            if (name == QStringLiteral("order.mvl"))
                continue;
            const QString path = folder + QLatin1Char('/') + name;
            if (path.startsWith(FileWriter::stagingPath(target) + QLatin1Char('.'))) {
                EXPECT_GT(versionOf(readFileBytes(path)), 0) << "the staged file is not whole";
                ++staged;
            } else {
                ADD_FAILURE() << "a save left " << name.toStdString() << " behind";
                QFile::remove(path);
            }
        }
        const QByteArray bytes = readFileBytes(target);
        const int version = versionOf(bytes);
        ASSERT_GE(version, 0) << "the project is neither the old one nor a new one, whole ("
                              << bytes.size() << " bytes)";
        (version == 0 ? keptOld : tookNew) += 1;
        highest = std::max(highest, version);
    }
    std::cout << "[ killed   ] " << kKills << " saves killed: " << keptOld
              << " left the old project, " << tookNew << " a new one (up to the " << highest
              << "th save), every one whole; " << staged << " left the hidden staging file, whole"
              << std::endl;
}

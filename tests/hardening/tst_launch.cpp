// Opening a file with the desktop's application hands its path to xdg-open
// as one argument, whatever characters it holds, and starts no shell. A stub
// xdg-open first on the PATH records what it was given and who started it.

#include "app/mainwindow.h"
#include "platform/desktop/desktopshell.h"
#include "tests/support/fakes.h"
#include "tests/support/filebytes.h"
#include "tests/support/qtprinters.h"
#include "tests/support/window/mainwindowui.h"
#include "xpbutton/xpbutton.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Records its arguments, NUL after each, and the names of the processes
// between it and the test program, then moves the record into place whole.
// The starter's own child exits while the stub runs, so a parent may vanish
// during the walk. A process is reaped only after its children have moved up
// to the subreaper, so what was read of a parent is taken only while the
// child still names it; otherwise the chain has changed and is walked again,
// which happens at most once for each process that exits.
const char* const kStub = R"sh(#!/bin/sh
record="$MARVOLIA_LAUNCH_RECORD/$$"
for argument in "$@"; do printf '%s\0' "$argument"; done > "$record.part"
parent() {
    stat=$(cat /proc/$1/stat 2>/dev/null) || return
    set -- ${stat##*) }
    echo "$2"
}
chain=""
child=$$
pid=$(parent $$)
while [ "$pid" -gt 1 ] && [ "$pid" != "$MARVOLIA_LAUNCH_TEST" ]; do
    stat=$(cat /proc/$pid/stat 2>/dev/null)
    if [ -n "$stat" ] && [ "$(parent $child)" = "$pid" ]; then
        name=${stat#*(}
        chain="$chain${name%)*}/"
        child=$pid
        set -- ${stat##*) }
        pid=$2
    else
        chain=""
        child=$$
        pid=$(parent $$)
    fi
done
printf '%s\n%s' "$pid" "$chain" > "$record.chain"
mv "$record.part" "$record.args"
)sh";

struct Launch {
    QStringList arguments;
    QString reached;     // the pid the chain of parents ended at
    QStringList between; // names of the processes in between
};

class LaunchSafety : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        // Orphans come back to this process, so the stub's chain of parents
        // ends here rather than at init once the starter has gone.
        ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
        ASSERT_TRUE(QDir().mkpath(bin()) && QDir().mkpath(records()) && QDir().mkpath(files()));
        const QString stub = bin() + QStringLiteral("/xdg-open");
        ASSERT_TRUE(writeFileBytes(stub, kStub));
        ASSERT_TRUE(
            QFile::setPermissions(stub, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        m_path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin()) + ':' + m_path);
        qputenv("MARVOLIA_LAUNCH_RECORD", QFile::encodeName(records()));
        qputenv("MARVOLIA_LAUNCH_TEST", QByteArray::number(::getpid()));
        m_previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(files()));
    }

    void TearDown() override {
        QDir::setCurrent(m_previous);
        qputenv("PATH", m_path);
        qunsetenv("MARVOLIA_LAUNCH_RECORD");
        qunsetenv("MARVOLIA_LAUNCH_TEST");
        while (::waitpid(-1, nullptr, WNOHANG) > 0) {
        }
        ::prctl(PR_SET_CHILD_SUBREAPER, 0);
    }

    QString bin() const { return m_dir.filePath(QStringLiteral("bin")); }
    QString records() const { return m_dir.filePath(QStringLiteral("records")); }
    QString files() const { return m_dir.filePath(QStringLiteral("files")); }

    // Waits for the stub's next record and takes it.
    Launch nextLaunch() {
        QDir dir(records());
        QStringList done;
        const auto recorded = [&] {
            done = dir.entryList({QStringLiteral("*.args")}, QDir::Files);
            return !done.isEmpty();
        };
        if (!QTest::qWaitFor(recorded, 30000)) {
            ADD_FAILURE() << "xdg-open was not started";
            return {};
        }
        EXPECT_EQ(done.size(), 1) << "xdg-open was started more than once";
        const QString base = dir.filePath(done[0].chopped(5));
        Launch launch;
        const QByteArray arguments = readFileBytes(base + QStringLiteral(".args"));
        for (const QByteArray& argument : arguments.split('\0').mid(0, arguments.count('\0')))
            launch.arguments << QFile::decodeName(argument);
        const QList<QByteArray> chain = readFileBytes(base + QStringLiteral(".chain")).split('\n');
        launch.reached = QString::fromLatin1(chain.value(0));
        launch.between =
            QString::fromLatin1(chain.value(1)).split(QLatin1Char('/'), Qt::SkipEmptyParts);
        QFile::remove(base + QStringLiteral(".args"));
        QFile::remove(base + QStringLiteral(".chain"));
        return launch;
    }

    // The argument arrived whole, alone, and straight from this program:
    // any process in between is a fork of it, never a shell.
    void expectLaunched(const QString& argument) {
        const Launch launch = nextLaunch();
        EXPECT_EQ(launch.arguments, QStringList{argument});
        EXPECT_EQ(launch.reached, QString::number(::getpid()));
        const QString self =
            QString::fromLatin1(readFileBytes(QStringLiteral("/proc/self/comm"))).trimmed();
        for (const QString& name : launch.between)
            EXPECT_EQ(name, self) << "started through " << name.toStdString();
    }

    // Names that a shell would split, expand, run or take for an option.
    static QStringList awkwardNames() {
        return {QStringLiteral("two words.jpg"),
                QStringLiteral("it's \"quoted\".jpg"),
                QStringLiteral("a;touch semicolon.jpg"),
                QStringLiteral("$(touch dollar).jpg"),
                QStringLiteral("`touch backtick`.jpg"),
                QStringLiteral("new\nline.jpg"),
                QStringLiteral("-rf.jpg"),
                QStringLiteral("--help"),
                QStringLiteral("a|b&c>d<e*?.jpg"),
                QStringLiteral("tab\tand $HOME.jpg")};
    }

    QTemporaryDir m_dir;
    QByteArray m_path;
    QString m_previous;
};

TEST_F(LaunchSafety, EveryPathReachesXdgOpenAsOneArgument) {
    DesktopShell shell;
    for (const QString& name : awkwardNames()) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(writeFileBytes(name, "photo"));
        const QString absolute = QDir(files()).filePath(name);
        // As the program names files: by their full path, or as a list gives them.
        ASSERT_TRUE(shell.start({QStringLiteral("explorer"), absolute, WindowStyle::Maximized}));
        expectLaunched(absolute);
        ASSERT_TRUE(shell.shellExecute(nullptr, QStringLiteral("open"), name));
        expectLaunched(absolute);
        ASSERT_TRUE(shell.start({QStringLiteral("notepad.exe"), name, WindowStyle::Normal}));
        expectLaunched(absolute);
    }
    // Nothing the names would have run in a shell ran.
    EXPECT_EQ(QDir(files()).entryList(QDir::Files).size(), awkwardNames().size());
}

TEST_F(LaunchSafety, TheViewerIconOpensThePreviewedFileAsOneArgument) {
    ScriptedDialogs dialogs;
    DesktopShell shell;
    MainWindow w({dialogs, shell, QUrl()});
    for (const QString& name : awkwardNames()) {
        SCOPED_TRACE(name.toStdString());
        ui(w).current_file = QDir(files()).filePath(name);
        w.Image5_Click();
        expectLaunched(ui(w).current_file);
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_TRUE(QDir(files()).isEmpty());
}

TEST_F(LaunchSafety, AddressesGoAsTheyAre) {
    DesktopShell shell;
    const QString address = QStringLiteral("http://127.0.0.1/mv_help.html?a=1&b=$(x);c");
    ASSERT_TRUE(shell.navigate(address));
    expectLaunched(address);
}

// xdg-open runs, finds no program for the file and says so only by its exit
// status: the user is told where the list is, after the click has returned.
TEST_F(LaunchSafety, WhenNothingCanShowTheListTheUserIsToldWhereItIs) {
    ASSERT_TRUE(
        writeFileBytes(bin() + QStringLiteral("/xdg-open"), QByteArray(kStub) + "exit 4\n"));
    ScriptedDialogs dialogs;
    DesktopShell shell;
    MainWindow w({dialogs, shell, QUrl()});
    const QString list = QDir(files()).filePath(QStringLiteral("list.txt"));
    dialogs.answerFile(list);
    QTest::mouseClick(ui(w).Command1, Qt::LeftButton, {}, QPoint(10, 10));
    expectLaunched(list);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs.messages.size() >= 2; }, 30000));
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].title, QStringLiteral("Marvolia"));
    EXPECT_EQ(dialogs.messages[1].text,
              QStringLiteral("The order list \"%1\" was written, but no program could be "
                             "started to show it.")
                  .arg(list));
}

} // namespace

#include "platform/desktop/desktopshell.h"
#include "platform/desktop/dialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

TEST(DesktopOpenArgument, AddressesPassUnchanged) {
    EXPECT_EQ(desktopOpenArgument("http://127.0.0.1/mv_help.html"),
              "http://127.0.0.1/mv_help.html");
    EXPECT_EQ(desktopOpenArgument("file:///opt/site/mv_help.html"),
              "file:///opt/site/mv_help.html");
    EXPECT_EQ(desktopOpenArgument("mailto:lab@example.org"), "mailto:lab@example.org");
}

TEST(DesktopOpenArgument, PathsBecomeAbsoluteAndWhole) {
    EXPECT_EQ(desktopOpenArgument("/tmp/a b;c $(x) \"q\".jpg"), "/tmp/a b;c $(x) \"q\".jpg");
    const QString dashed = desktopOpenArgument("-rf x.jpg");
    EXPECT_EQ(dashed, QDir::current().absoluteFilePath("-rf x.jpg"));
    EXPECT_FALSE(dashed.startsWith('-'));
    EXPECT_EQ(desktopOpenArgument("--help"), QDir::current().absoluteFilePath("--help"));
}

TEST(DesignFilters, BecomeQtFilters) {
    EXPECT_EQ(qtFilterFromDesign("Marvolia files|*.mvl"), "Marvolia files (*.mvl)");
    EXPECT_EQ(qtFilterFromDesign("Text Files|*.txt|All|*.*"), "Text Files (*.txt);;All (*.*)");
    EXPECT_EQ(qtFilterFromDesign(""), "");
}

namespace {

// Scripts in a folder of their own, each standing in for xdg-open.
class Stubs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    void TearDown() override {
        if (!m_path.isNull())
            qputenv("PATH", m_path);
    }

    QString stub(const QString& name, const QByteArray& body) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body + "\n");
        file.close();
        EXPECT_TRUE(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        return path;
    }
    // Puts the folder first on the PATH, so a stub named xdg-open is the one run.
    void firstOnPath() {
        m_path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(m_dir.path()) + ':' + m_path);
    }
    QString at(const QString& name) const { return m_dir.filePath(name); }

    // Lets the window thread run until done is true, for at most 20 seconds.
    static bool waitFor(const std::function<bool()>& done) {
        for (int i = 0; i < 2000 && !done(); ++i)
            QTest::qWait(10);
        return done();
    }

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
};

TEST_F(Stubs, AFailingExitIsReportedLaterAndOnlyThen) {
    const struct {
        const char* name;
        QByteArray body;
        bool failed;
    } cases[] = {
        {"handed-on", "exit 0", false},      {"no-program-for-the-type", "exit 4", true},
        {"no-desktop-tool", "exit 3", true}, {"no-such-file", "exit 2", true},
        {"killed", "kill -9 $$", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // The stub waits for a gate, so the start cannot have waited for it.
        const QString gate = at(QString::fromLatin1(c.name) + ".gate");
        const QString program =
            stub(c.name, "while [ ! -e \"$1\" ]; do sleep 0.02; done\n" + c.body);
        int reports = 0;
        ASSERT_TRUE(startWatched(program, gate, [&] { ++reports; }));
        EXPECT_EQ(reports, 0);
        QTest::qWait(50);
        EXPECT_EQ(reports, 0);
        ASSERT_TRUE(QFile(gate).open(QIODevice::WriteOnly));
        const QString done = at(QString::fromLatin1(c.name) + ".done");
        // Its end is picked up: a second stub run after it proves the poll went on.
        if (c.failed) {
            EXPECT_TRUE(waitFor([&] { return reports > 0; }));
        } else {
            bool second = false;
            ASSERT_TRUE(startWatched(stub("after", "exit 1"), gate, [&] { second = true; }));
            EXPECT_TRUE(waitFor([&] { return second; }));
            QTest::qWait(100);
        }
        EXPECT_EQ(reports, c.failed ? 1 : 0);
    }
}

TEST_F(Stubs, AProgramThatCannotStartSaysSoAtOnce) {
    bool reported = false;
    EXPECT_FALSE(startWatched(at("missing"), "x", [&] { reported = true; }));
    QTest::qWait(100);
    EXPECT_FALSE(reported);
}

TEST_F(Stubs, TheDesktopShellPassesXdgOpensVerdictOn) {
    firstOnPath();
    for (const int status : {0, 4}) {
        SCOPED_TRACE(status);
        stub("xdg-open", "printf '%s' \"$1\" > \"$1.seen\"\nexit " + QByteArray::number(status));
        int failures = 0;
        DesktopShell shell;
        const QString file = at("list.txt");
        ASSERT_TRUE(shell.start({"notepad.exe", file, WindowStyle::Normal, [&] { ++failures; }}));
        EXPECT_TRUE(waitFor([&] { return QFile::exists(file + ".seen"); }));
        if (status != 0) {
            EXPECT_TRUE(waitFor([&] { return failures > 0; }));
        }
        QTest::qWait(200);
        EXPECT_EQ(failures, status != 0 ? 1 : 0);
        QFile::remove(file + ".seen");
    }
}

} // namespace

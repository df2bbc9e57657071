// Files are replaced through a hidden staging file of their own, so that a
// write killed half way leaves nothing a later write cannot recognise and
// clear, and never touches a file that only looks like a temporary one.

#include "filebytes.h"
#include "qtprinters.h"
#include "stagedfile.h"
#include "textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList everythingIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

TEST(StagedFile, TheStagingFileIsHiddenBesideTheTarget) {
    EXPECT_EQ(StagedFile::stagingPath(QStringLiteral("/home/ana/order.mvl")),
              QStringLiteral("/home/ana/.order.mvl.marvolia-new"));
    EXPECT_EQ(StagedFile::stagingPath(QStringLiteral("/a b/x;y")),
              QStringLiteral("/a b/.x;y.marvolia-new"));
}

TEST(StagedFile, AKilledWritesLeftoversAreClearedAndNothingElse) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("order.mvl"));
    ASSERT_TRUE(writeFileBytes(target, "old"));
    // What a write killed after staging its file leaves, also where the file
    // system gave the staging file a temporary name of its own.
    ASSERT_TRUE(writeFileBytes(dir.filePath(QStringLiteral(".order.mvl.marvolia-new")), "new"));
    ASSERT_TRUE(
        writeFileBytes(dir.filePath(QStringLiteral(".order.mvl.marvolia-new.Ab3dE9")), "n"));
    // The user's own files, however alike.
    const QStringList own{QStringLiteral(".order.mvl"), QStringLiteral(".order.mvl.marvolia"),
                          QStringLiteral(".other.mvl.marvolia-new"),
                          QStringLiteral("order.mvl.backup"), QStringLiteral("order.mvl.gJyRQa")};
    for (const QString& name : own)
        ASSERT_TRUE(writeFileBytes(dir.filePath(name), name.toUtf8()));

    EXPECT_EQ(writeFileAtomically(target, "saved"), QString());
    EXPECT_EQ(readFileBytes(target), "saved");
    QStringList expected = own;
    expected << QStringLiteral("order.mvl");
    expected.sort();
    EXPECT_EQ(everythingIn(dir.path()), expected);
    for (const QString& name : own)
        EXPECT_EQ(readFileBytes(dir.filePath(name)), name.toUtf8());
}

// A file the user made read-only stays as it is, also for root, who the
// system lets write anything.
TEST(StagedFile, AReadOnlyFileIsRefusedAndKept) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("kept.mvl"));
    const QString link = dir.filePath(QStringLiteral("link.mvl"));
    ASSERT_TRUE(writeFileBytes(target, "old"));
    ASSERT_TRUE(QFile::link(target, link));
    const auto readOnly = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
    ASSERT_TRUE(QFile::setPermissions(target, readOnly));
    for (const QString& path : {target, link}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_TRUE(isWriteProtected(path));
        EXPECT_EQ(writeFileAtomically(path, "new"), QStringLiteral("it is read-only"));
        StagedFile direct(path);
        EXPECT_FALSE(direct.open());
        EXPECT_EQ(direct.errorString({}), QStringLiteral("the file is read-only"));
    }
    EXPECT_EQ(readFileBytes(target), "old");
    const auto user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    EXPECT_EQ(QFile::permissions(target) & ~user, readOnly & ~user);
    EXPECT_EQ(everythingIn(dir.path()),
              (QStringList{QStringLiteral("kept.mvl"), QStringLiteral("link.mvl")}));

    // Any write bit, and a file not there yet, leave the way open.
    EXPECT_FALSE(isWriteProtected(dir.filePath(QStringLiteral("new.mvl"))));
    ASSERT_TRUE(QFile::setPermissions(target, readOnly | QFile::WriteOwner | QFile::WriteUser));
    EXPECT_FALSE(isWriteProtected(target));
    EXPECT_EQ(writeFileAtomically(target, "new"), QString());
    EXPECT_EQ(readFileBytes(target), "new");
}

// Names of 255 bytes, the most a name may hold, in one-, three- and four-byte
// characters: each saves, and nothing is left beside it.
TEST(StagedFile, TheLongestNamesSave) {
    QTemporaryDir dir;
    const QString names[] = {
        QString(251, QLatin1Char('a')) + QStringLiteral(".mvl"),
        QString(83, QChar(0x5199)) + QStringLiteral("12.mvl"),                      // 83 x 3 + 6
        QString::fromUtf8(QByteArray("\xF0\x9F\x93\xB7").repeated(62) + "abc.mvl"), // 62 x 4 + 7
    };
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_EQ(QFile::encodeName(name).size(), 255);
        const QString target = dir.filePath(name);
        ASSERT_TRUE(writeFileBytes(target, "old"));
        EXPECT_EQ(writeFileAtomically(target, "new"), QString());
        EXPECT_EQ(readFileBytes(target), "new");
        const QString staging = StagedFile::stagingPath(target);
        EXPECT_LE(QFile::encodeName(QFileInfo(staging).fileName()).size(), 255 - 7);
        EXPECT_TRUE(QFileInfo(staging).fileName().endsWith(QStringLiteral(".marvolia-new")));
        // A killed write of it is found and cleared by the next one.
        ASSERT_TRUE(writeFileBytes(staging, "left"));
        EXPECT_EQ(writeFileAtomically(target, "again"), QString());
        EXPECT_EQ(readFileBytes(target), "again");
        EXPECT_EQ(everythingIn(dir.path()), QStringList{name});
        ASSERT_TRUE(QFile::remove(target));
    }
}

TEST(StagedFile, TheTargetKeepsItsPermissions) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("list.txt"));
    ASSERT_TRUE(writeFileBytes(target, "old"));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(target, permissions));
    EXPECT_EQ(writeFileAtomically(target, "new"), QString());
    EXPECT_EQ(readFileBytes(target), "new");
    // (The "user" flags repeat the owner's for whoever runs the test.)
    const auto user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    EXPECT_EQ(QFile::permissions(target) & ~user, permissions);
}

TEST(StagedFile, ALinkIsWrittenThrough) {
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.mvl"));
    const QString link = dir.filePath(QStringLiteral("link.mvl"));
    ASSERT_TRUE(writeFileBytes(real, "old"));
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_EQ(writeFileAtomically(link, "new"), QString());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFileBytes(real), "new");
    EXPECT_EQ(everythingIn(dir.path()),
              (QStringList{QStringLiteral("link.mvl"), QStringLiteral("real.mvl")}));
}

TEST(StagedFile, AFolderInTheWayIsReportedAndNothingIsLeft) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("taken"));
    ASSERT_TRUE(QDir().mkpath(target));
    EXPECT_EQ(writeFileAtomically(target, "new"),
              QStringLiteral("it could not be completed (Is a directory)"));
    EXPECT_TRUE(everythingIn(dir.path()).isEmpty());
    EXPECT_TRUE(QFileInfo(target).isDir());
}

} // namespace

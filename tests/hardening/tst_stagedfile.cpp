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

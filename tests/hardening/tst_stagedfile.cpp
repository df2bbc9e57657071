// Files are replaced through a hidden staging file of their own, so that a
// write killed half way leaves nothing a later write cannot recognise and
// clear, and never touches a file that only looks like a temporary one.

#include "platform/files/filewriter.h"
#include "platform/files/hiddentemporary.h"
#include "platform/files/textfile.h"
#include "tests/support/filebytes.h"
#include "tests/support/fileresults.h"
#include "tests/support/qtprinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QStringList everythingIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

TEST(FileWriter, TheStagingFileIsHiddenBesideTheTarget) {
    EXPECT_EQ(FileWriter::stagingPath(QStringLiteral("/home/ana/order.mvl")),
              QStringLiteral("/home/ana/.order.mvl.marvolia-new"));
    EXPECT_EQ(FileWriter::stagingPath(QStringLiteral("/a b/x;y")),
              QStringLiteral("/a b/.x;y.marvolia-new"));
}

TEST(FileWriter, AKilledWritesLeftoversAreClearedAndNothingElse) {
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

    EXPECT_EQ(whyNot(writeFileWhole(target, "saved")), QString());
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
TEST(FileWriter, AReadOnlyFileIsRefusedAndKept) {
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
        EXPECT_EQ(whyNot(writeFileWhole(path, "new")), QStringLiteral("it is read-only"));
        FileWriter direct;
        EXPECT_EQ(whyNot(direct.write(path, "new")), QStringLiteral("it is read-only"));
        EXPECT_EQ(whyNot(direct.commit().front()), QStringLiteral("it is read-only"));
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
    EXPECT_EQ(whyNot(writeFileWhole(target, "new")), QString());
    EXPECT_EQ(readFileBytes(target), "new");
}

// Names of 255 bytes, the most a name may hold, in one-, three- and four-byte
// characters: each saves, and nothing is left beside it.
TEST(FileWriter, TheLongestNamesSave) {
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
        EXPECT_EQ(whyNot(writeFileWhole(target, "new")), QString());
        EXPECT_EQ(readFileBytes(target), "new");
        const QString staging = FileWriter::stagingPath(target);
        EXPECT_LE(QFile::encodeName(QFileInfo(staging).fileName()).size(), 255 - 7);
        EXPECT_TRUE(QFileInfo(staging).fileName().endsWith(QStringLiteral(".marvolia-new")));
        // A killed write of it is found and cleared by the next one.
        ASSERT_TRUE(writeFileBytes(staging, "left"));
        EXPECT_EQ(whyNot(writeFileWhole(target, "again")), QString());
        EXPECT_EQ(readFileBytes(target), "again");
        EXPECT_EQ(everythingIn(dir.path()), QStringList{name});
        ASSERT_TRUE(QFile::remove(target));
    }
}

TEST(FileWriter, TheTargetKeepsItsPermissions) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("list.txt"));
    ASSERT_TRUE(writeFileBytes(target, "old"));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(target, permissions));
    EXPECT_EQ(whyNot(writeFileWhole(target, "new")), QString());
    EXPECT_EQ(readFileBytes(target), "new");
    // (The "user" flags repeat the owner's for whoever runs the test.)
    const auto user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
    EXPECT_EQ(QFile::permissions(target) & ~user, permissions);
}

TEST(FileWriter, ALinkIsWrittenThrough) {
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("real.mvl"));
    const QString link = dir.filePath(QStringLiteral("link.mvl"));
    ASSERT_TRUE(writeFileBytes(real, "old"));
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_EQ(whyNot(writeFileWhole(link, "new")), QString());
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFileBytes(real), "new");
    EXPECT_EQ(everythingIn(dir.path()),
              (QStringList{QStringLiteral("link.mvl"), QStringLiteral("real.mvl")}));
}

TEST(FileWriter, AFolderInTheWayIsReportedAndNothingIsLeft) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("taken"));
    ASSERT_TRUE(QDir().mkpath(target));
    EXPECT_EQ(whyNot(writeFileWhole(target, "new")),
              QStringLiteral("it could not be completed (Is a directory)"));
    EXPECT_TRUE(everythingIn(dir.path()).isEmpty());
    EXPECT_TRUE(QFileInfo(target).isDir());
}

// Two writes of one file at once, as two copies of the program saving one
// project: neither clears the other's hidden file, and the later does not
// silently replace what the earlier put there.
TEST(FileWriter, AFileChangedSinceTheWriteBeganIsLeftAlone) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("order.mvl"));
    ASSERT_TRUE(writeFileBytes(target, "old"));
    FileWriter first;
    ASSERT_TRUE(first.write(target, "first").ok());
    EXPECT_EQ(whyNot(writeFileWhole(target, "second")), QString());
    const FileResult<Written>& committed = first.commit().front();
    EXPECT_FALSE(committed.ok());
    EXPECT_EQ(committed.failure().fault, FileFault::ChangedMeanwhile);
    EXPECT_EQ(whyNot(committed), QStringLiteral("another program changed it meanwhile"));
    EXPECT_EQ(readFileBytes(target), "second");
    EXPECT_EQ(everythingIn(dir.path()), QStringList{QStringLiteral("order.mvl")});
}

// A hidden file a write still holds is never taken for a leftover; one that
// nobody holds, what a killed write left, is removed.
TEST(FileWriter, OnlyLeftoversNobodyHoldsAreRemoved) {
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("a.jpg"));
    HiddenTemporary held(target, QStringLiteral(".marvolia-copy"));
    ASSERT_TRUE(held.create(false));
    const QString dead = dir.filePath(QStringLiteral(".a.jpg.marvolia-copy.0000beef"));
    ASSERT_TRUE(writeFileBytes(dead, "left"));
    ASSERT_EQ(everythingIn(dir.path()).size(), 2);
    for (const QString& name : everythingIn(dir.path())) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_TRUE(HiddenTemporary::isWriteOf(name, QStringLiteral(".a.jpg.marvolia-copy")));
        EXPECT_EQ(writeUnderWay(dir.filePath(name)), dir.filePath(name) != dead);
        removeIfLeftover(dir.filePath(name));
    }
    ASSERT_EQ(everythingIn(dir.path()).size(), 1);
    EXPECT_NE(dir.filePath(everythingIn(dir.path())[0]), dead);
    EXPECT_TRUE(held.putInPlace(false));
    EXPECT_EQ(everythingIn(dir.path()), QStringList{QStringLiteral("a.jpg")});
}

// A name the user gives is followed through every link to the file it leads
// to; what is no ordinary file is never replaced.
TEST(FileWriter, LinksAreFollowedAndSpecialFilesRefused) {
    QTemporaryDir dir;
    const auto at = [&](const char* name) { return dir.filePath(QString::fromUtf8(name)); };
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    ASSERT_TRUE(writeFileBytes(at("real.mvl"), "old"));
    ASSERT_TRUE(QFile::link(at("real.mvl"), at("middle.mvl")));
    ASSERT_TRUE(QFile::link(at("middle.mvl"), at("first.mvl")));
    ASSERT_EQ(::symlink("../real.mvl", QFile::encodeName(at("sub/relative.mvl")).constData()), 0);
    ASSERT_TRUE(QFile::link(at("new.mvl"), at("dangling.mvl")));
    ASSERT_TRUE(QFile::link(at("loop2.mvl"), at("loop1.mvl")));
    ASSERT_TRUE(QFile::link(at("loop1.mvl"), at("loop2.mvl")));
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("fifo.mvl")).constData(), 0644), 0);
    const bool root = ::geteuid() == 0;
    // A device node like /dev/null, where root may make one.
    if (root) {
        ASSERT_EQ(
            ::mknod(QFile::encodeName(at("null.mvl")).constData(), S_IFCHR | 0666, makedev(1, 3)),
            0);
    }
    const struct {
        const char* named;
        const char* error;
        const char* written; // the file that then holds "new"
    } cases[] = {
        {"first.mvl", "", "real.mvl"},
        {"sub/relative.mvl", "", "real.mvl"},
        {"dangling.mvl", "", "new.mvl"},
        {"loop1.mvl", "its links go round in a circle", nullptr},
        {"fifo.mvl", "it is not an ordinary file", nullptr},
        {"null.mvl", "it is not an ordinary file", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        if (!root && QByteArray(c.named) == "null.mvl")
            continue;
        ASSERT_TRUE(writeFileBytes(at("real.mvl"), "old"));
        EXPECT_EQ(whyNot(writeFileWhole(at(c.named), "new")), QString::fromUtf8(c.error));
        if (c.written)
            EXPECT_EQ(readFileBytes(at(c.written)), "new");
        else
            EXPECT_EQ(readFileBytes(at("real.mvl")), "old");
    }
    for (const char* link : {"first.mvl", "middle.mvl", "sub/relative.mvl", "dangling.mvl"})
        EXPECT_TRUE(QFileInfo(at(link)).isSymLink()) << link;
    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(at("fifo.mvl")).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    if (root) {
        ASSERT_EQ(::lstat(QFile::encodeName(at("null.mvl")).constData(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode));
    }
}

} // namespace

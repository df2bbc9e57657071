#include "platform/files/textfile.h"
#include "tests/support/filebytes.h"
#include "tests/support/fileresults.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/qtprinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TextFile, LinesEndInCrLfAndAreUtf8) {
    EXPECT_EQ(textFileBytes({}), QByteArray());
    EXPECT_EQ(textFileBytes({QStringLiteral("a"), QString(), QStringLiteral("b")}),
              QByteArray("a\r\n\r\nb\r\n"));
    EXPECT_EQ(textFileBytes({QStringLiteral("caf\u00e9 \u20ac")}),
              QByteArray("caf\xc3\xa9 \xe2\x82\xac\r\n"));
}

TEST(TextFile, DecodesUtf8WhenValidElseWindows1252) {
    EXPECT_EQ(decodeText("caf\xc3\xa9\r\n"), QStringLiteral("caf\u00e9\r\n"));
    EXPECT_EQ(decodeText("\xef\xbb\xbf"
                         "a"),
              QStringLiteral("a"));
    // 0xE9 alone is no UTF-8; in Windows-1252 it is e acute and 0x80 the euro sign.
    EXPECT_EQ(decodeText("caf\xe9 \x80\n"), QStringLiteral("caf\u00e9 \u20ac\n"));
    EXPECT_EQ(decodeText("\x93quoted\x94"), QStringLiteral("\u201cquoted\u201d"));
}

TEST(TextFile, WritesExactlyAndReplaces) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    ASSERT_TRUE(writeFileBytes(path, QByteArray(1000, 'x')));
    EXPECT_EQ(whyNot(writeFileWhole(path, "new\r\n")), QString());
    EXPECT_EQ(readFileBytes(path), QByteArray("new\r\n"));
    EXPECT_EQ(whyNot(writeFileWhole(path, QByteArray())), QString());
    EXPECT_EQ(readFileBytes(path), QByteArray());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("out.txt")});
}

TEST(TextFile, AWriteThatCannotStartSaysSo) {
    QTemporaryDir dir;
    const QString notAFolder = dir.filePath(QStringLiteral("plain"));
    ASSERT_TRUE(writeFileBytes(notAFolder, "x"));
    const QString error = whyNot(writeFileWhole(notAFolder + QStringLiteral("/out.txt"), "abc"));
    EXPECT_TRUE(error.startsWith(QStringLiteral("it could not be created (")))
        << error.toStdString();
    EXPECT_EQ(readFileBytes(notAFolder), QByteArray("x"));
}

TEST(TextFile, AWriteThatFallsShortLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("keep.txt"));
    const QByteArray old("old contents\r\n");
    ASSERT_TRUE(writeFileBytes(path, old));
    QString error;
    {
        FileSizeLimit limit(64);
        ASSERT_TRUE(limit.active());
        error = whyNot(writeFileWhole(path, QByteArray(4096, 'n')));
    }
    EXPECT_EQ(error, QStringLiteral("not all of it could be written (the disk may be full)"));
    EXPECT_EQ(readFileBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("keep.txt")});
}

TEST(TextFile, ReadsWholeFilesAndRefusesOthers) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("in.txt"));
    ASSERT_TRUE(writeFileBytes(path, "a\xe9\r\nb\n"));
    const FileResult<QString> read = readTextFile(path, 100);
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(*read, QStringLiteral("a\u00e9\r\nb\n"));

    EXPECT_EQ(whyNot(readTextFile(dir.filePath(QStringLiteral("none")), 100)),
              QStringLiteral("it does not exist"));
    EXPECT_EQ(whyNot(readTextFile(dir.path(), 100)), QStringLiteral("it is not an ordinary file"));
    const FileResult<QString> big = readTextFile(path, 5);
    EXPECT_FALSE(big.ok());
    EXPECT_EQ(big.failure(), (FileFailure{path, QStringLiteral("it is too large (6 bytes)")}));
}

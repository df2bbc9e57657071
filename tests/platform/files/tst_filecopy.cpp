#include "platform/files/filecopy.h"
#include "platform/files/filewriter.h"
#include "platform/files/hiddenname.h"
#include "tests/support/filebytes.h"
#include "tests/support/fileresults.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/qtprinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Bytes that differ from place to place, larger than one copy chunk.
QByteArray sample(int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    quint32 x = 12345;
    for (char& b : bytes) {
        x = x * 1103515245u + 12345u;
        b = static_cast<char>(x >> 24);
    }
    return bytes;
}

struct CopyDir : ::testing::Test {
    QTemporaryDir dir;
    QString at(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

} // namespace

TEST_F(CopyDir, CopiesEveryByteAndReplacesTheDestination) {
    const QByteArray bytes = sample(3 * 1024 * 1024 + 17);
    ASSERT_TRUE(writeFileBytes(at("src.jpg"), bytes));
    ASSERT_TRUE(writeFileBytes(at("dst.jpg"), sample(5 * 1024 * 1024)));
    const FileResult<Written> result = copyFileReplacing(at("src.jpg"), at("dst.jpg"));
    EXPECT_EQ(outcomeOf(result), Copy::Copied);
    EXPECT_EQ(readFileBytes(at("dst.jpg")), bytes);
    EXPECT_EQ(readFileBytes(at("src.jpg")), bytes);

    ASSERT_TRUE(writeFileBytes(at("empty.jpg"), QByteArray()));
    EXPECT_EQ(outcomeOf(copyFileReplacing(at("empty.jpg"), at("dst.jpg"))), Copy::Copied);
    EXPECT_EQ(readFileBytes(at("dst.jpg")), QByteArray());
}

TEST_F(CopyDir, NeverCopiesAFileOntoItself) {
    const QByteArray bytes = sample(1000);
    ASSERT_TRUE(writeFileBytes(at("a.jpg"), bytes));
    ASSERT_TRUE(QFile::link(at("a.jpg"), at("link.jpg")));
    EXPECT_EQ(outcomeOf(copyFileReplacing(at("a.jpg"), at("a.jpg"))), Copy::SameFile);
    EXPECT_EQ(outcomeOf(copyFileReplacing(at("a.jpg"), at("link.jpg"))), Copy::SameFile);
    EXPECT_EQ(outcomeOf(copyFileReplacing(dir.path() + QStringLiteral("/./a.jpg"), at("a.jpg"))),
              Copy::SameFile);
    EXPECT_EQ(readFileBytes(at("a.jpg")), bytes);
    EXPECT_TRUE(sameFile(at("a.jpg"), at("link.jpg")));
    EXPECT_FALSE(sameFile(at("a.jpg"), at("none.jpg")));
}

TEST_F(CopyDir, AFailedCopyLeavesNothingBehind) {
    ASSERT_TRUE(writeFileBytes(at("dst.jpg"), "old"));
    const FileResult<Written> missing = copyFileReplacing(at("none.jpg"), at("dst.jpg"));
    EXPECT_EQ(outcomeOf(missing), Copy::Failed);
    EXPECT_EQ(whyNot(missing), QStringLiteral("the file does not exist"));
    EXPECT_EQ(readFileBytes(at("dst.jpg")), QByteArray("old"));

    const FileResult<Written> folder = copyFileReplacing(dir.path(), at("dst.jpg"));
    EXPECT_EQ(outcomeOf(folder), Copy::Failed);
    EXPECT_EQ(whyNot(folder), QStringLiteral("it is not an ordinary file"));

    ASSERT_TRUE(writeFileBytes(at("src.jpg"), "new"));
    const FileResult<Written> nowhere = copyFileReplacing(at("src.jpg"), at("dst.jpg") + "/x.jpg");
    EXPECT_EQ(outcomeOf(nowhere), Copy::Failed);
    EXPECT_TRUE(whyNot(nowhere).startsWith(QStringLiteral("the copy could not be created (")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("dst.jpg"), QStringLiteral("src.jpg")}));
}

TEST_F(CopyDir, ACopyCutShortKeepsTheOldDestination) {
    const QByteArray bytes = sample(256 * 1024);
    ASSERT_TRUE(writeFileBytes(at("src.jpg"), bytes));
    ASSERT_TRUE(writeFileBytes(at("dst.jpg"), "old"));
    std::optional<FileResult<Written>> cut;
    {
        FileSizeLimit limit(100 * 1024);
        ASSERT_TRUE(limit.active());
        cut = copyFileReplacing(at("src.jpg"), at("dst.jpg"));
    }
    const FileResult<Written>& result = *cut;
    EXPECT_EQ(outcomeOf(result), Copy::Failed);
    EXPECT_EQ(whyNot(result),
              QStringLiteral("not all of the copy could be written (the disk may be full)"));
    EXPECT_EQ(readFileBytes(at("dst.jpg")), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("dst.jpg"), QStringLiteral("src.jpg")}));
}

// A copy cut off (the program killed between writing and renaming) leaves its
// hidden temporary behind; the next copy to the same place removes it, and
// nothing that only looks like one.
TEST_F(CopyDir, ACopyRemovesWhatAnEarlierCutOffCopyLeftBesideItsDestination) {
    const QString longName = QString(240, QLatin1Char('n')) + QStringLiteral(".jpg");
    const QString longLeftover =
        hiddenSiblingName(longName, QStringLiteral(".marvolia-copy.0badf00d"));
    ASSERT_TRUE(writeFileBytes(at("src.jpg"), sample(5000)));
    const QStringList leftovers{QStringLiteral(".a.jpg.marvolia-copy.0123abcd"),
                                QStringLiteral(".a.jpg.marvolia-copy.ffffffff"), longLeftover};
    const QStringList kept{
        QStringLiteral(".b.jpg.marvolia-copy.0123abcd"),     // another photo's
        QStringLiteral(".a.jpg.marvolia-copy.0123ABCD"),     // not the program's digits
        QStringLiteral(".a.jpg.marvolia-copy.0123abc"),      // seven digits
        QStringLiteral(".a.jpg.marvolia-copy.0123abcd.bak"), // the user's
        QStringLiteral(".xa.jpg.marvolia-copy.0123abcd"),    // another name ending in a.jpg
        QStringLiteral("a.jpg.marvolia-copy.0123abcd"),      // not hidden
    };
    for (const QString& name : leftovers + kept)
        ASSERT_TRUE(writeFileBytes(dir.filePath(name), "left")) << name.toStdString();

    FileWriter batch;
    EXPECT_EQ(outcomeOf(batch.copy(at("src.jpg"), at("a.jpg"))), Copy::Copied);
    EXPECT_EQ(outcomeOf(batch.copy(at("src.jpg"), dir.filePath(longName))), Copy::Copied);
    EXPECT_EQ(batch.commit().size(), 2u);
    EXPECT_EQ(readFileBytes(at("a.jpg")), sample(5000));
    EXPECT_EQ(readFileBytes(dir.filePath(longName)), sample(5000));
    for (const QString& name : leftovers)
        EXPECT_FALSE(QFile::exists(dir.filePath(name))) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_EQ(readFileBytes(dir.filePath(name)), "left") << name.toStdString();
    // Nothing else beside them: no temporary of this batch either.
    QStringList all = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    all.sort();
    QStringList expected =
        kept + QStringList{QStringLiteral("src.jpg"), QStringLiteral("a.jpg"), longName};
    expected.sort();
    EXPECT_EQ(all, expected);
}

#include "platform/files/filecopy.h"
#include "platform/files/filewriter.h"
#include "tests/support/filebytes.h"
#include "tests/support/fileresults.h"
#include "tests/support/qtprinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct Batch : ::testing::Test {
    QTemporaryDir dir;
    mode_t savedMask = ::umask(022);
    ~Batch() override { ::umask(savedMask); }

    QString at(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    // Every name in a folder, hidden ones too.
    static QStringList everything(const QString& folder) {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    static mode_t modeOf(const QString& path) {
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        return st.st_mode & 07777;
    }
};

} // namespace

TEST_F(Batch, CopiesTakeTheirPlacesOnlyWhenCommitted) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("out")));
    ASSERT_TRUE(writeFileBytes(at("a.jpg"), QByteArray(3 << 20, 'a')));
    ASSERT_TRUE(writeFileBytes(at("b.jpg"), "bee"));
    ASSERT_TRUE(writeFileBytes(at("out/b.jpg"), "old"));
    ASSERT_EQ(::chmod(QFile::encodeName(at("out/b.jpg")).constData(), 0640), 0);
    const QStringList before = everything(at("out"));

    FileWriter batch;
    EXPECT_EQ(outcomeOf(batch.copy(at("a.jpg"), at("out/a.jpg"))), Copy::Copied);
    EXPECT_EQ(outcomeOf(batch.copy(at("b.jpg"), at("out/b.jpg"))), Copy::Copied);
    // Written beside their destinations, out of sight, nothing replaced yet.
    EXPECT_EQ(readFileBytes(at("out/b.jpg")), QByteArray("old"));
    EXPECT_FALSE(QFile::exists(at("out/a.jpg")));
    EXPECT_EQ(QDir(at("out")).entryList(QDir::Files), before);
    EXPECT_EQ(everything(at("out")).size(), 3);

    const std::vector<FileResult<Written>>& results = batch.commit();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(outcomeOf(results[0]), Copy::Copied);
    EXPECT_EQ(outcomeOf(results[1]), Copy::Copied);
    EXPECT_EQ(readFileBytes(at("out/a.jpg")), QByteArray(3 << 20, 'a'));
    EXPECT_EQ(readFileBytes(at("out/b.jpg")), QByteArray("bee"));
    EXPECT_EQ(everything(at("out")),
              (QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}));
    // A new copy as any new file; a replaced one keeps what its file allowed.
    EXPECT_EQ(modeOf(at("out/a.jpg")), 0644u);
    EXPECT_EQ(modeOf(at("out/b.jpg")), 0640u);
}

TEST_F(Batch, OneResultPerCopyInOrderAndFailuresLeaveNothing) {
    ASSERT_TRUE(writeFileBytes(at("a.jpg"), "aaa"));
    ASSERT_TRUE(writeFileBytes(at("dst.jpg"), "old"));
    FileWriter batch;
    EXPECT_EQ(whyNot(batch.copy(at("none.jpg"), at("x.jpg"))),
              QStringLiteral("the file does not exist"));
    EXPECT_EQ(outcomeOf(batch.copy(at("a.jpg"), at("a.jpg"))), Copy::SameFile);
    EXPECT_EQ(outcomeOf(batch.copy(at("a.jpg"), at("dst.jpg"))), Copy::Copied);
    EXPECT_TRUE(whyNot(batch.copy(at("a.jpg"), at("dst.jpg") + QStringLiteral("/y.jpg")))
                    .startsWith(QStringLiteral("the copy could not be created (")));
    const std::vector<FileResult<Written>>& results = batch.commit();
    ASSERT_EQ(results.size(), 4u);
    EXPECT_EQ(outcomeOf(results[0]), Copy::Failed);
    EXPECT_EQ(outcomeOf(results[1]), Copy::SameFile);
    EXPECT_EQ(outcomeOf(results[2]), Copy::Copied);
    EXPECT_EQ(outcomeOf(results[3]), Copy::Failed);
    EXPECT_EQ(readFileBytes(at("dst.jpg")), QByteArray("aaa"));
    EXPECT_EQ(readFileBytes(at("a.jpg")), QByteArray("aaa"));
    EXPECT_EQ(everything(dir.path()),
              (QStringList{QStringLiteral("a.jpg"), QStringLiteral("dst.jpg")}));
}

TEST_F(Batch, ABatchGivenUpLeavesEveryDestinationAsItWas) {
    ASSERT_TRUE(writeFileBytes(at("a.jpg"), "new"));
    ASSERT_TRUE(writeFileBytes(at("dst.jpg"), "old"));
    {
        FileWriter batch;
        ASSERT_EQ(outcomeOf(batch.copy(at("a.jpg"), at("dst.jpg"))), Copy::Copied);
        ASSERT_EQ(outcomeOf(batch.copy(at("a.jpg"), at("fresh.jpg"))), Copy::Copied);
    }
    EXPECT_EQ(readFileBytes(at("dst.jpg")), QByteArray("old"));
    EXPECT_EQ(everything(dir.path()),
              (QStringList{QStringLiteral("a.jpg"), QStringLiteral("dst.jpg")}));
}

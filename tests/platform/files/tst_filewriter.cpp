// New bytes for a file and copies of photos go through one writer: each
// failure names its file and what went wrong, and both kinds of file reach
// their places in one commit.

#include "platform/files/filewriter.h"
#include "tests/support/filebytes.h"
#include "tests/support/fileresults.h"
#include "tests/support/qtprinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Writer : ::testing::Test {
    QTemporaryDir dir;
    QString at(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QStringList everything() const {
        return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }
};

} // namespace

TEST_F(Writer, EveryFailureNamesItsFileAndItsFault) {
    ASSERT_TRUE(writeFileBytes(at("src.jpg"), "photo"));
    ASSERT_TRUE(writeFileBytes(at("plain"), "x"));
    ASSERT_TRUE(writeFileBytes(at("kept.mvl"), "old"));
    ASSERT_TRUE(QFile::setPermissions(at("kept.mvl"), QFile::ReadOwner | QFile::ReadUser));
    ASSERT_TRUE(QFile::link(at("loop2.mvl"), at("loop1.mvl")));
    ASSERT_TRUE(QFile::link(at("loop1.mvl"), at("loop2.mvl")));
    const auto changed = FileFault::ChangedMeanwhile;
    const auto other = FileFault::Other;
    const auto any = CopyOver::Replace;
    // A write of "new" to `to`, or a copy from `from` to `to`; with theirs,
    // another program writes `to` between staging and commit.
    const struct {
        const char* from;
        const char* to;
        CopyOver over;
        bool theirs;
        const char* path;
        const char* why;
        FileFault fault;
    } cases[] = {
        {nullptr, "kept.mvl", any, false, "kept.mvl", "it is read-only", other},
        {nullptr, "loop1.mvl", any, false, "loop1.mvl", "its links go round in a circle", other},
        {"none.jpg", "a.jpg", any, false, "none.jpg", "the file does not exist", other},
        {"src.jpg", "plain/a.jpg", any, false, "plain/a.jpg",
         "the copy could not be created (Not a directory)", other},
        {nullptr, "list.txt", any, true, "list.txt", "another program changed it meanwhile",
         changed},
        {"src.jpg", "b.jpg", CopyOver::NeverReplace, true, "b.jpg",
         "another file took its place in the folder meanwhile", changed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.to);
        FileWriter writer;
        const bool staged =
            (c.from ? writer.copy(at(c.from), at(c.to), c.over) : writer.write(at(c.to), "new"))
                .ok();
        EXPECT_EQ(staged, c.theirs);
        if (c.theirs) {
            ASSERT_TRUE(writeFileBytes(at(c.to), "theirs"));
        }
        const FileResult<Written>& result = writer.commit().front();
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.failure(), (FileFailure{at(c.path), QString::fromUtf8(c.why), c.fault}));
    }
    EXPECT_EQ(readFileBytes(at("kept.mvl")), "old");
    EXPECT_EQ(readFileBytes(at("list.txt")), "theirs");
    EXPECT_EQ(readFileBytes(at("b.jpg")), "theirs");
    EXPECT_EQ(everything(), (QStringList{"b.jpg", "kept.mvl", "list.txt", "loop1.mvl", "loop2.mvl",
                                         "plain", "src.jpg"}));
}

// Copies and a list for the same folder in one commit; a killed write's
// leftovers of either kind are cleared, whichever came first, and a hidden
// file that only looks like one is kept.
TEST_F(Writer, BytesAndCopiesTakeTheirPlacesTogether) {
    ASSERT_TRUE(writeFileBytes(at("a.jpg"), "aaa"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("out")));
    ASSERT_TRUE(writeFileBytes(at("out/lab.txt"), "old"));
    const QStringList leftovers{".lab.txt.marvolia-new", ".lab.txt.marvolia-new.Ab3dE9",
                                ".a.jpg.marvolia-copy.0123abcd"};
    const QString kept = QStringLiteral(".a.jpg.marvolia-copy.0123abcd.bak");
    for (const QString& name : leftovers + QStringList{kept})
        ASSERT_TRUE(writeFileBytes(at("out/") + name, "left"));

    FileWriter writer;
    EXPECT_EQ(outcomeOf(writer.copy(at("a.jpg"), at("out/a.jpg"))), Copy::Copied);
    EXPECT_EQ(whyNot(writer.write(at("out/lab.txt"), "File: a.jpg\r\n")), QString());
    EXPECT_EQ(readFileBytes(at("out/lab.txt")), "old");
    EXPECT_FALSE(QFile::exists(at("out/a.jpg")));

    const std::vector<FileResult<Written>>& results = writer.commit();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_EQ(outcomeOf(results[0]), Copy::Copied);
    ASSERT_TRUE(results[1].ok());
    EXPECT_EQ(results[1]->file, fileKey(at("out/lab.txt")));
    EXPECT_EQ(readFileBytes(at("out/a.jpg")), "aaa");
    EXPECT_EQ(readFileBytes(at("out/lab.txt")), "File: a.jpg\r\n");
    EXPECT_EQ(QDir(at("out")).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name),
              (QStringList{kept, "a.jpg", "lab.txt"}));
}

// The readers' promises (readerchecks.h) on the fuzzers' seed corpus and the
// designs the program ships, so the normal and the sanitizer suites hold
// them too, and on every input a fuzzer ever found breaking one.

#include "fuzz/checks/readerchecks.h"
#include "tests/support/qtprinters.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Check = QString (*)(const QByteArray&);

// Runs check on every file in folder; returns how many there were.
int checkFolder(const QString& folder, Check check) {
    const QDir dir(folder);
    int files = 0;
    for (const QString& name : dir.entryList(QDir::Files)) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(check(file.readAll()), QString()) << dir.filePath(name).toStdString();
        ++files;
    }
    return files;
}

QString corpus(const char* target) {
    return QStringLiteral(MARVOLIA_SOURCE_DIR "/fuzz/corpus/") + QLatin1String(target);
}

TEST(ReaderPromises, HoldOnTheSeedCorpus) {
    EXPECT_GE(checkFolder(corpus("projectfile"), readerchecks::checkProjectReader), 10);
    EXPECT_GE(checkFolder(corpus("propertybag"), readerchecks::checkPropertyBagReader), 5);
    EXPECT_GE(checkFolder(corpus("textdecode"), readerchecks::checkTextDecoder), 4);
    // Every seed is text as well.
    for (const char* target : {"projectfile", "propertybag"})
        checkFolder(corpus(target), readerchecks::checkTextDecoder);
}

TEST(ReaderPromises, HoldOnTheShippedDesigns) {
    EXPECT_EQ(checkFolder(QStringLiteral(MARVOLIA_SOURCE_DIR "/assets/designs"),
                          readerchecks::checkPropertyBagReader),
              7);
}

TEST(ReaderPromises, AreKeptByOrdinaryInput) {
    // The checks do not mistake a well-read or a well-refused input for a fault.
    EXPECT_EQ(readerchecks::checkProjectReader(" 1 \r\n/a.jpg\r\n1\r\n10x15\r\n"), QString());
    EXPECT_EQ(readerchecks::checkPropertyBagReader("caption = \"a\"\r\n"), QString());
    EXPECT_EQ(readerchecks::checkPropertyBagReader("caption = \"a\r\n"), QString());
    EXPECT_EQ(readerchecks::checkTextDecoder("\xEF\xBB\xBF\xC3\xA1"), QString());
    EXPECT_EQ(readerchecks::checkTextDecoder("a\x81\x8D\x8F\x90\x9D"), QString());
}

// Found by fuzz_textdecode: bytes ending in the start of a UTF-8 sequence,
// as a Windows-1252 file without a last line end can ("caf\xE9"), were
// decoded as UTF-8 with the unfinished sequence silently dropped.
TEST(ReaderRegressions, AnUnfinishedUtf8SequenceAtTheEndIsNotDropped) {
    EXPECT_EQ(decodeText("\xEF\xBF"), QStringLiteral("\u00EF\u00BF"));
    EXPECT_EQ(decodeText("caf\xE9"), QStringLiteral("caf\u00E9"));
    EXPECT_EQ(decodeText("caf\xC3\xA9"), QStringLiteral("caf\u00E9"));
    const ProjectRead read =
        readProjectText(decodeText(" 1 \r\nC:\\Fotos\\a.jpg\r\n1\r\n10x15 mate\xE9"), 999);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_EQ(read.records.size(), 1);
    EXPECT_EQ(read.records[0].size, QStringLiteral("10x15 mate\u00E9"));
    QString error;
    const auto bag = PropertyBag::fromText("caption = \"a\"\r\n# caf\xE9", &error);
    ASSERT_TRUE(bag) << error.toStdString();
    EXPECT_EQ(bag->keys(), QStringList{QStringLiteral("caption")});
    EXPECT_EQ(readerchecks::checkTextDecoder("\xEF\xBF"), QString());
}

// Found by fuzz_propertybag: keys are written in lower case, so the check
// compares them without regard to case (the reader was right).
TEST(ReaderRegressions, KeysComeBackInLowerCase) {
    const auto bag = PropertyBag::fromText("A2 = 1\r\na = 2\r\n");
    ASSERT_TRUE(bag);
    EXPECT_EQ(bag->keys(), (QStringList{QStringLiteral("A2"), QStringLiteral("a")}));
    EXPECT_EQ(bag->toText(), QByteArray("a2 = 1\r\na = 2\r\n"));
    EXPECT_EQ(readerchecks::checkPropertyBagReader("A2 = 1\r\na = 2\r\n"), QString());
}

} // namespace

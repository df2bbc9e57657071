// The readers' promises (readerchecks.h) on the fuzzers' seed corpus and the
// designs the program ships, so the normal and the sanitizer suites hold
// them too, and on every input a fuzzer ever found breaking one.

#include "qtprinters.h"
#include "readerchecks.h"

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

} // namespace

#include "platform/files/filecopy.h"
#include "platform/files/filewriter.h"
#include "platform/files/hiddenname.h"
#include "tests/support/filebytes.h"
#include "tests/support/fileresults.h"
#include "tests/support/qtprinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

qsizetype bytes(const QString& name) {
    return QFile::encodeName(name).size();
}

QString repeated(const char* utf8, int times, const char* tail) {
    return QString::fromUtf8(QByteArray(utf8).repeated(times) + tail);
}

// 255 bytes each: the longest names a folder here takes.
const QString kLongNames[] = {
    QString(251, QLatin1Char('a')) + QStringLiteral(".JPG"),
    repeated("\xE5\x86\x99", 83, "12.jpg"),      // 83 CJK characters of 3 bytes
    repeated("\xF0\x9F\x93\xB7", 62, "abc.jpg"), // 62 of 4 bytes
    repeated("\xC3\xA9", 124, "abc.jpg"),        // 124 of 2 bytes
};

TEST(HiddenName, ShortNamesKeepTheirWholeName) {
    EXPECT_EQ(hiddenSiblingName("order.mvl", ".marvolia-new", 7), ".order.mvl.marvolia-new");
    EXPECT_EQ(hiddenSiblingName("a b;c.jpg", ".marvolia-copy.0000abcd"),
              ".a b;c.jpg.marvolia-copy.0000abcd");
    // Just fitting: 1 + 241 + 13 = 255.
    const QString fits(241, QLatin1Char('x'));
    EXPECT_EQ(hiddenSiblingName(fits, ".marvolia-new"), '.' + fits + ".marvolia-new");
}

TEST(HiddenName, LongNamesAreCutAndStillTellWhoseTheyAre) {
    for (const QString& name : kLongNames) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_EQ(bytes(name), 255);
        for (int spare : {0, 7}) {
            const QString hidden = hiddenSiblingName(name, ".marvolia-new", spare);
            EXPECT_LE(bytes(hidden) + spare, 255);
            EXPECT_GE(bytes(hidden) + spare, 255 - 3); // cut at a character, no shorter
            EXPECT_TRUE(hidden.startsWith('.'));
            EXPECT_TRUE(hidden.endsWith(".marvolia-new"));
            EXPECT_TRUE(hidden.isValidUtf16());
            // The start of the name, then the hash of all of it.
            const qsizetype tilde = hidden.lastIndexOf('~');
            ASSERT_GT(tilde, 1);
            EXPECT_TRUE(name.startsWith(hidden.mid(1, tilde - 1)));
            EXPECT_EQ(hidden.mid(tilde + 9), ".marvolia-new");
            EXPECT_EQ(hidden, hiddenSiblingName(name, ".marvolia-new", spare));
        }
    }
    // Two names alike but for their ends get two names.
    const QString a = QString(250, QLatin1Char('a')) + QStringLiteral("1.jpg");
    const QString b = QString(250, QLatin1Char('a')) + QStringLiteral("2.jpg");
    EXPECT_NE(hiddenSiblingName(a, ".m"), hiddenSiblingName(b, ".m"));
}

TEST(LongNames, CopyWholeAndLeaveNothingBeside) {
    QTemporaryDir dir;
    const QString source = dir.filePath("source.jpg");
    ASSERT_TRUE(writeFileBytes(source, "photo bytes"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    const QString out = dir.filePath("out");
    FileWriter batch;
    for (const QString& name : kLongNames)
        EXPECT_EQ(outcomeOf(batch.copy(source, out + '/' + name)), Copy::Copied)
            << name.toStdString();
    for (const FileResult<Written>& r : batch.commit())
        EXPECT_EQ(outcomeOf(r), Copy::Copied) << whyNot(r).toStdString();
    QStringList expected(std::begin(kLongNames), std::end(kLongNames));
    expected.sort();
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name), expected);
    for (const QString& name : kLongNames)
        EXPECT_EQ(readFileBytes(out + '/' + name), "photo bytes");
    // Replacing one of them works the same.
    ASSERT_TRUE(writeFileBytes(source, "new bytes"));
    EXPECT_EQ(outcomeOf(copyFileReplacing(source, out + '/' + kLongNames[1])), Copy::Copied);
    EXPECT_EQ(readFileBytes(out + '/' + kLongNames[1]), "new bytes");
}

TEST(SameContent, OnlyOrdinaryFilesWithTheSameBytes) {
    QTemporaryDir dir;
    const auto at = [&](const char* name) { return dir.filePath(name); };
    QByteArray big(3 << 20, 'x');
    ASSERT_TRUE(writeFileBytes(at("a"), big));
    ASSERT_TRUE(writeFileBytes(at("b"), big));
    big[(3 << 20) - 1] = 'y';
    ASSERT_TRUE(writeFileBytes(at("c"), big));
    ASSERT_TRUE(writeFileBytes(at("short"), "xx"));
    ASSERT_TRUE(writeFileBytes(at("empty1"), ""));
    ASSERT_TRUE(writeFileBytes(at("empty2"), ""));
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {{"a", "b", true},
                 {"a", "c", false},
                 {"a", "short", false},
                 {"empty1", "empty2", true},
                 {"a", "missing", false},
                 {"missing", "missing", false},
                 {"folder", "folder", false},
                 {"a", "a", true}};
    for (const auto& c : cases)
        EXPECT_EQ(sameContent(at(c.a), at(c.b)), c.same) << c.a << " " << c.b;
}

} // namespace

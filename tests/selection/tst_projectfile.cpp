#include "platform/files/textfile.h"
#include "selection/order/projectfile.h"
#include "tests/support/qtprinters.h"

#include <gtest/gtest.h>

namespace {

ProjectRecord record(const char* file, const char* copies = "1", const char* size = "10x15") {
    return {QString::fromUtf8(file), QString::fromUtf8(copies), QString::fromUtf8(size)};
}

ProjectRead readBytes(const QByteArray& bytes, int maxRecords = 999) {
    return readProjectText(decodeText(bytes), maxRecords);
}

} // namespace

TEST(ProjectWriter, WritesCountThenThreeLinesPerPhotoQuotingOnlyWhatReadingWouldChange) {
    EXPECT_EQ(projectFileBytes({}), QByteArray(" 0 \r\n"));
    EXPECT_EQ(
        projectFileBytes({record("C:\\Fotos\\a.jpg"), record("C:\\Fotos\\b.jpg", "3", "13x18")}),
        QByteArray(" 2 \r\nC:\\Fotos\\a.jpg\r\n1\r\n10x15\r\nC:\\Fotos\\b.jpg\r\n3\r\n"
                   "13x18\r\n"));
    EXPECT_EQ(projectFileBytes({record("/f/a, b.jpg", " 2", "10x15")}),
              QByteArray(" 1 \r\n\"/f/a, b.jpg\"\r\n\" 2\"\r\n10x15\r\n"));
    const std::pair<QString, QString> fields[] = {
        {"a,b.jpg", "\"a,b.jpg\""},           {" a.jpg", "\" a.jpg\""},
        {"\ta.jpg", "\"\ta.jpg\""},           {"a\nb", "\"a\nb\""},
        {"my photo .jpg ", "my photo .jpg "}, {"", ""},
    };
    for (const auto& [text, stored] : fields)
        EXPECT_EQ(projectField(text), stored);

    EXPECT_EQ(firstUnstorableRecord({}), -1);
    EXPECT_EQ(firstUnstorableRecord({record("/a.jpg"), record("/b.jpg")}), -1);
    EXPECT_EQ(firstUnstorableRecord({record("/a.jpg"), record("/b, \"c\".jpg")}), 1);
    EXPECT_EQ(firstUnstorableRecord({record("/a.jpg", "1", "\"10x15")}), 0);
    EXPECT_EQ(firstUnstorableRecord({record("/a.jpg", "\"1")}), 0);
}

// The reader takes a field specially only when it starts with a double
// quote, and a quoted field ends at its next one: every other double quote
// is written as it is and reads back.
TEST(ProjectWriter, ADoubleQuoteIsRefusedOnlyWhereItCouldNotReadBack) {
    const struct {
        const char* text;
        bool storable;
        const char* written;
    } fields[] = {
        {"/f/6\" print.jpg", true, "/f/6\" print.jpg"},
        {"/f/say \"cheese\".jpg", true, "/f/say \"cheese\".jpg"},
        {"10\"x15", true, "10\"x15"},
        {"2\"", true, "2\""},
        {"\"quoted.jpg", false, ""},
        {"\"", false, ""},
        {"/f/a, \"b\".jpg", false, ""},
        {" \"x", false, ""},
        {"a\n\"b", false, ""},
    };
    for (const auto& f : fields) {
        const QString text = QString::fromUtf8(f.text);
        EXPECT_EQ(storableInProject(text), f.storable) << f.text;
        if (!f.storable)
            continue;
        EXPECT_EQ(projectField(text), QString::fromUtf8(f.written)) << f.text;
        const QList<ProjectRecord> records = {{text, text, text}};
        EXPECT_EQ(readBytes(projectFileBytes(records)).records, records) << f.text;
    }
}

TEST(ProjectReader, ReadsWhatTheWriterWrote) {
    const QList<ProjectRecord> records = {
        record("/fotos/a,b.jpg", "1", "10x15"),
        record(" /leading blank.jpg", " 2", " 13x18"),
        record("/fotos/\xc3\xa9t\xc3\xa9 \xe2\x82\xac.jpg", "", "a,b"),
        record("/fotos/line\nbreak.jpg", "0", "trailing "),
        record("\t/tab.jpg", "00", ""),
    };
    const ProjectRead read = readBytes(projectFileBytes(records));
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.count, 5);
    EXPECT_EQ(read.records, records);
    EXPECT_EQ(read.leftOut, 0);
}

TEST(ProjectReader, ReadsFieldByFieldWhateverTheLayout) {
    const QByteArray two = "/a.jpg\r\n1\r\n10x15\r\n/b.jpg\r\n1\r\n10x15\r\n";
    const struct {
        QByteArray bytes;
        int count;
        QList<ProjectRecord> records;
    } cases[] = {
        // LF only, several fields on one line, blanks before fields, junk after a quote.
        {" 2\n  /a.jpg,3,10x15\n\"/b.jpg\" junk, 4 \r\n13x18",
         2,
         {record("/a.jpg", "3", "10x15"), record("/b.jpg", "4 ", "13x18")}},
        // Windows-1252 text.
        {" 1 \r\nC:\\Fotos\\caf\xe9.jpg\r\n2\r\n13x18\r\n",
         1,
         {record("C:\\Fotos\\caf\xc3\xa9.jpg", "2", "13x18")}},
        // The count does not bound the records.
        {" 0 \r\n" + two, 0, {record("/a.jpg"), record("/b.jpg")}},
        {" 7 \r\n" + two, 7, {record("/a.jpg"), record("/b.jpg")}},
        {" 0 \r\n", 0, {}},
        // Blank lines after the last record are no record.
        {" 2 \r\n" + two + "\r\n  \r\n", 2, {record("/a.jpg"), record("/b.jpg")}},
        // The last line may lack its line end; empty fields at the end are complete.
        {" 1 \r\n/a.jpg\r\n1\r\n10x15", 1, {record("/a.jpg")}},
        {" 1 \r\n/a.jpg\r\n\r\n\r\n", 1, {record("/a.jpg", "", "")}},
    };
    for (const auto& c : cases) {
        const ProjectRead read = readBytes(c.bytes);
        EXPECT_TRUE(read.ok()) << c.bytes.toStdString() << ": " << read.error.toStdString();
        EXPECT_EQ(read.count, c.count) << c.bytes.toStdString();
        EXPECT_EQ(read.records, c.records) << c.bytes.toStdString();
    }
}

TEST(ProjectReader, RefusesDamagedFilesAndSaysWhy) {
    const QString empty = "it is empty; a project file starts with the number of photos";
    const QString notANumber = "its first field, the number of photos, is not a number";
    const std::pair<QByteArray, QString> cases[] = {
        {"", empty},
        {" \r\n\r\n", empty},
        {"two\r\n/a.jpg\r\n1\r\n10x15\r\n", notANumber},
        {"2x\r\n", notANumber},
        {"\"2\r\n", notANumber},
        {" 2 \r\n/a.jpg\r\n1\r\n10x15\r\n/b.jpg\r\n3\r\n",
         "it ends inside the record of photo 2, after 1 complete record"},
        {" 1 \r\n/a.jpg\r\n", "it ends inside the record of photo 1, after 0 complete records"},
        {" 1 \r\n\"/a.jpg\r\n1\r\n10x15\r\n",
         "it ends inside the record of photo 1, after 0 complete records"},
    };
    for (const auto& [bytes, error] : cases) {
        const ProjectRead read = readBytes(bytes);
        EXPECT_EQ(read.error, error) << bytes.toStdString();
        EXPECT_TRUE(read.records.isEmpty()) << bytes.toStdString();
    }
}

TEST(ProjectReader, KeepsAtMostTheRecordsThatFit) {
    QByteArray bytes = " 5 \r\n";
    for (int i = 1; i <= 5; ++i)
        bytes += QStringLiteral("/p%1.jpg\r\n1\r\n10x15\r\n").arg(i).toUtf8();
    const ProjectRead read = readBytes(bytes, 3);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.records.size(), 3);
    EXPECT_EQ(read.records.last().file, "/p3.jpg");
    EXPECT_EQ(read.leftOut, 2);
    // A damaged tail is still found beyond the records that fit.
    EXPECT_FALSE(readBytes(bytes + "/p6.jpg\r\n", 3).ok());
}

// Rows framed by the user add one block after the counted records; the
// records before it are the designed bytes, so a reader that stops after
// them gets every row.
TEST(ProjectFraming, OneBlockAfterTheRecordsThatReadsBack) {
    ProjectRecord moved = record("/p/b.jpg", "2");
    moved.framing = {FramingMode::Fill, 0.5, 0.25, 0.5};
    ProjectRecord whole = record("/p/c.jpg", "1", "13x18");
    whole.framing = {FramingMode::Whole};
    const QList<ProjectRecord> records = {record("/p/a.jpg"), moved, whole};
    const QByteArray designed = " 3 \r\n/p/a.jpg\r\n1\r\n10x15\r\n/p/b.jpg\r\n2\r\n10x15\r\n"
                                "/p/c.jpg\r\n1\r\n13x18\r\n";
    const QByteArray bytes = projectFileBytes(records);
    EXPECT_EQ(bytes, designed + "[Marvolia framing] 2\r\n2 fill 0.5 0.25 0.5\r\n3 whole\r\n");
    const ProjectRead read = readBytes(bytes);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.records, records);
    EXPECT_EQ(read.framingError, "");
    // Unframed, the file is the designed one.
    QList<ProjectRecord> plain = records;
    for (ProjectRecord& r : plain)
        r.framing = {};
    EXPECT_EQ(projectFileBytes(plain), designed);
    EXPECT_EQ(readBytes(designed).records, plain);
    // Shares are kept to millionths.
    moved.framing = {FramingMode::Fill, 1.0 / 3, 0.1234564, 0.9999996};
    EXPECT_EQ(
        projectFileBytes({moved}),
        " 1 \r\n/p/b.jpg\r\n2\r\n10x15\r\n[Marvolia framing] 1\r\n1 fill 0.333333 0.123456 1\r\n");
}

// A damaged block drops the framing, never a row.
TEST(ProjectFraming, ADamagedBlockLeavesTheRowsAndSaysWhy) {
    const QByteArray rows = " 2 \r\n/p/a.jpg\r\n1\r\n10x15\r\n/p/b.jpg\r\n1\r\n10x15\r\n";
    const struct {
        const char* block;
        const char* why;
    } cases[] = {
        {"[Marvolia framing] 2\r\n1 whole\r\n", "its head does not count its 1 lines"},
        {"[Marvolia framing] 1\r\n3 whole\r\n", "its line 2 is damaged"},
        {"[Marvolia framing] 2\r\n1 whole\r\n1 whole\r\n", "its line 3 is damaged"},
        {"[Marvolia framing] 1\r\n1 fill 0.05 0.5 0.5\r\n", "its line 2 is damaged"},
        {"[Marvolia framing] 1\r\n1 fill 0.5 1.5 0.5\r\n", "its line 2 is damaged"},
        {"[Marvolia framing] 1\r\n1 tilt\r\n", "its line 2 is damaged"},
        {"[Marvolia framing] 1\r\n2 whole\r\n/p/c.jpg\r\n", "its head does not count its 2 lines"},
    };
    for (const auto& c : cases) {
        const ProjectRead read = readBytes(rows + c.block);
        ASSERT_TRUE(read.ok()) << c.block;
        EXPECT_EQ(read.framingError, c.why) << c.block;
        ASSERT_EQ(read.records.size(), 2) << c.block;
        EXPECT_TRUE(read.records[0].framing.isDefault() && read.records[1].framing.isDefault())
            << c.block;
        EXPECT_EQ(read.records[1].file, "/p/b.jpg") << c.block;
    }
    // Before the counted records the head is a record's path.
    const ProjectRead early = readBytes(" 1 \r\n[Marvolia framing] 1\r\n1\r\n10x15\r\n");
    EXPECT_EQ(early.records.size(), 1);
    EXPECT_EQ(early.framingError, "");
}

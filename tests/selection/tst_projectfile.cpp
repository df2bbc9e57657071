#include "projectfile.h"
#include "qtprinters.h"
#include "textfile.h"

#include <gtest/gtest.h>

namespace {

ProjectRecord record(const char* file, const char* copies = "1", const char* size = "10x15") {
    return {QString::fromUtf8(file), QString::fromUtf8(copies), QString::fromUtf8(size)};
}

ProjectRead readBytes(const QByteArray& bytes, int maxRecords = 999) {
    return readProjectText(decodeText(bytes), maxRecords);
}

} // namespace

TEST(ProjectWriter, CountLineAndThreeLinesPerPhoto) {
    EXPECT_EQ(projectFileBytes({}), QByteArray(" 0 \r\n"));
    EXPECT_EQ(projectFileBytes({record("/home/ana/a.jpg")}),
              QByteArray(" 1 \r\n/home/ana/a.jpg\r\n1\r\n10x15\r\n"));
    EXPECT_EQ(projectFileBytes({record("C:\\Fotos\\a.jpg", "1", "10x15"),
                                record("C:\\Fotos\\b.jpg", "3", "13x18")}),
              QByteArray(" 2 \r\nC:\\Fotos\\a.jpg\r\n1\r\n10x15\r\nC:\\Fotos\\b.jpg\r\n3\r\n"
                         "13x18\r\n"));
}

TEST(ProjectWriter, QuotesOnlyWhatTheReaderWouldChange) {
    EXPECT_EQ(projectField(QStringLiteral("a,b.jpg")), QStringLiteral("\"a,b.jpg\""));
    EXPECT_EQ(projectField(QStringLiteral(" a.jpg")), QStringLiteral("\" a.jpg\""));
    EXPECT_EQ(projectField(QStringLiteral("\ta.jpg")), QStringLiteral("\"\ta.jpg\""));
    EXPECT_EQ(projectField(QStringLiteral("a\nb")), QStringLiteral("\"a\nb\""));
    EXPECT_EQ(projectField(QStringLiteral("my photo .jpg ")), QStringLiteral("my photo .jpg "));
    EXPECT_EQ(projectField(QString()), QString());
    EXPECT_EQ(projectFileBytes({record("/f/a, b.jpg", " 2", "10x15")}),
              QByteArray(" 1 \r\n\"/f/a, b.jpg\"\r\n\" 2\"\r\n10x15\r\n"));
}

TEST(ProjectWriter, FindsTextsThatCannotBeStored) {
    EXPECT_EQ(firstUnstorableRecord({}), -1);
    EXPECT_EQ(firstUnstorableRecord({record("/a.jpg"), record("/b.jpg")}), -1);
    EXPECT_EQ(firstUnstorableRecord({record("/a.jpg"), record("/b\".jpg")}), 1);
    EXPECT_EQ(firstUnstorableRecord({record("/a.jpg", "1", "10\"x15")}), 0);
    EXPECT_EQ(firstUnstorableRecord({record("/a.jpg", "\"1")}), 0);
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

TEST(ProjectReader, ReadsFieldByField) {
    // LF only, several fields on one line, blanks before fields, junk after a quote.
    const ProjectRead read = readBytes(" 2\n  /a.jpg,3,10x15\n\"/b.jpg\" junk, 4 \r\n13x18");
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    EXPECT_EQ(read.count, 2);
    EXPECT_EQ(read.records, (QList<ProjectRecord>{record("/a.jpg", "3", "10x15"),
                                                  record("/b.jpg", "4 ", "13x18")}));
}

TEST(ProjectReader, ReadsWindowsFiles) {
    const ProjectRead read = readBytes(" 1 \r\nC:\\Fotos\\caf\xe9.jpg\r\n2\r\n13x18\r\n");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.records,
              QList<ProjectRecord>{record("C:\\Fotos\\caf\xc3\xa9.jpg", "2", "13x18")});
}

TEST(ProjectReader, TheCountDoesNotBoundTheRecords) {
    const QByteArray body = "/a.jpg\r\n1\r\n10x15\r\n/b.jpg\r\n1\r\n10x15\r\n";
    EXPECT_EQ(readBytes(" 0 \r\n" + body).records.size(), 2);
    EXPECT_EQ(readBytes(" 7 \r\n" + body).count, 7);
    EXPECT_EQ(readBytes(" 0 \r\n").records.size(), 0);
    EXPECT_TRUE(readBytes(" 0 \r\n").ok());
    // Blank lines after the last record are no record.
    const ProjectRead trailing = readBytes(" 2 \r\n" + body + "\r\n  \r\n");
    EXPECT_TRUE(trailing.ok());
    EXPECT_EQ(trailing.records.size(), 2);
    // The last line may lack its line end.
    EXPECT_EQ(readBytes(" 1 \r\n/a.jpg\r\n1\r\n10x15").records,
              QList<ProjectRecord>{record("/a.jpg")});
    // Empty copies and size at the end are complete fields.
    EXPECT_EQ(readBytes(" 1 \r\n/a.jpg\r\n\r\n\r\n").records,
              QList<ProjectRecord>{record("/a.jpg", "", "")});
}

TEST(ProjectReader, RefusesDamagedFiles) {
    EXPECT_EQ(readBytes("").error,
              QStringLiteral("it is empty; a project file starts with the number of photos"));
    EXPECT_EQ(readBytes(" \r\n\r\n").error,
              QStringLiteral("it is empty; a project file starts with the number of photos"));
    const QString notANumber =
        QStringLiteral("its first field, the number of photos, is not a number");
    EXPECT_EQ(readBytes("two\r\n/a.jpg\r\n1\r\n10x15\r\n").error, notANumber);
    EXPECT_EQ(readBytes("2x\r\n").error, notANumber);
    EXPECT_EQ(readBytes("\"2\r\n").error, notANumber);

    const ProjectRead cut = readBytes(" 2 \r\n/a.jpg\r\n1\r\n10x15\r\n/b.jpg\r\n3\r\n");
    EXPECT_EQ(cut.error,
              QStringLiteral("it ends inside the record of photo 2, after 1 complete records"));
    EXPECT_TRUE(cut.records.isEmpty());
    EXPECT_EQ(readBytes(" 1 \r\n/a.jpg\r\n").error,
              QStringLiteral("it ends inside the record of photo 1, after 0 complete records"));
    EXPECT_EQ(readBytes(" 1 \r\n\"/a.jpg\r\n1\r\n10x15\r\n").error,
              QStringLiteral("it ends inside the record of photo 1, after 0 complete records"));
}

TEST(ProjectReader, KeepsAtMostTheRecordsThatFit) {
    QByteArray bytes = " 5 \r\n";
    for (int i = 1; i <= 5; ++i)
        bytes += QStringLiteral("/p%1.jpg\r\n1\r\n10x15\r\n").arg(i).toUtf8();
    const ProjectRead read = readBytes(bytes, 3);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.records.size(), 3);
    EXPECT_EQ(read.records.last().file, QStringLiteral("/p3.jpg"));
    EXPECT_EQ(read.leftOut, 2);
    // A damaged tail is still found beyond the records that fit.
    EXPECT_FALSE(readBytes(bytes + "/p6.jpg\r\n", 3).ok());
}

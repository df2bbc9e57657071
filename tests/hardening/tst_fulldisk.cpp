// A disk that fills up part way through a write: every file the program
// writes is kept as it was, byte for byte, the failure is reported, and no
// temporary file is left beside it. The disk fills at every point of the
// write in turn (a file size limit, SIGXFSZ ignored, stands in for it).

#include "xpbutton.h"
#include "fakes.h"
#include "filebytes.h"
#include "filesizelimit.h"
#include "flexgrid.h"
#include "mainwindow.h"
#include "orderlist.h"
#include "projectfile.h"
#include "qtprinters.h"
#include "testpictures.h"

#include <QTest>
#include <QAbstractButton>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

class FullDisk : public ::testing::Test {
protected:
    ScriptedDialogs dialogs;
    RecordingShell shell;
    QTemporaryDir dir;
    std::unique_ptr<MainWindow> w =
        std::make_unique<MainWindow>(MainWindowServices{dialogs, shell, QUrl()});

    QString at(const QString& name) const { return dir.filePath(name); }

    // Rows {path, copies, size} in the grid, as adding them leaves it.
    void fillGrid(int rows) {
        FlexGrid& grid = *w->MSFlexGrid1;
        grid.setRows(rows + 1);
        for (int i = 1; i <= rows; ++i) {
            const QString path = QStringLiteral("/home/ana/Fotos/foto %1.jpg").arg(i);
            grid.setTextMatrix(i, 1, path);
            grid.setTextMatrix(i, 2, QString::number(i % 4));
            grid.setTextMatrix(i, 3, QStringLiteral("10x15"));
            grid.setTextMatrix(i, 4, path);
        }
    }

    // The sizes the disk fills at: nothing, a byte, every step up to one byte
    // short of what the write needs.
    static QList<rlim_t> limitsBelow(qsizetype needed, int steps) {
        QList<rlim_t> limits{0, 1};
        for (int i = 1; i <= steps; ++i)
            limits << static_cast<rlim_t>(needed * i / (steps + 1));
        limits << static_cast<rlim_t>(needed - 1);
        return limits;
    }

    QStringList filesIn(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

TEST_F(FullDisk, SavingAProjectKeepsTheOldOneAtEveryPoint) {
    const QString file = at(QStringLiteral("order.mvl"));
    const QByteArray old = projectFileBytes(
        {{QStringLiteral("/old.jpg"), QStringLiteral("2"), QStringLiteral("13x18")}});
    fillGrid(40);
    QList<ProjectRecord> records;
    for (int i = 1; i <= 40; ++i)
        records.append({w->MSFlexGrid1->TextMatrix(i, 1), w->MSFlexGrid1->TextMatrix(i, 2),
                        QStringLiteral("10x15")});
    const QByteArray saved = projectFileBytes(records);
    ASSERT_GT(saved.size(), 1000);

    for (const rlim_t limit : limitsBelow(saved.size(), 20)) {
        SCOPED_TRACE(limit);
        ASSERT_TRUE(writeFileBytes(file, old));
        dialogs.messages.clear();
        dialogs.answerFile(file);
        {
            FileSizeLimit full(limit);
            ASSERT_TRUE(full.active());
            QTest::mouseClick(w->Command3, Qt::LeftButton, {}, QPoint(10, 10));
        }
        EXPECT_EQ(readFileBytes(file), old);
        EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("order.mvl")});
        EXPECT_TRUE(w->project_path.isEmpty());
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Marvolia"));
        EXPECT_EQ(dialogs.messages[0].text,
                  QStringLiteral("The project could not be saved to \"%1\": not all of it could "
                                 "be written (the disk may be full). Any file of that name was "
                                 "left as it was.")
                      .arg(file));
    }

    // With just enough room it is saved.
    dialogs.messages.clear();
    dialogs.answerFile(file);
    {
        FileSizeLimit full(static_cast<rlim_t>(saved.size()));
        QTest::mouseClick(w->Command3, Qt::LeftButton, {}, QPoint(10, 10));
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(readFileBytes(file), saved);
    EXPECT_EQ(w->project_path, file);
}

TEST_F(FullDisk, WritingTheOrderListKeepsTheOldListAtEveryPoint) {
    const QString file = at(QStringLiteral("order.txt"));
    const QByteArray old("File: old.jpg, Copies: 1, Size: 10x15\r\n");
    fillGrid(30);
    const qsizetype needed = orderListBytes(readGridRows(*w->MSFlexGrid1)).size();
    ASSERT_GT(needed, 500);

    for (const rlim_t limit : limitsBelow(needed, 10)) {
        SCOPED_TRACE(limit);
        ASSERT_TRUE(writeFileBytes(file, old));
        dialogs.messages.clear();
        dialogs.answerFile(file);
        {
            FileSizeLimit full(limit);
            ASSERT_TRUE(full.active());
            QTest::mouseClick(w->Command1, Qt::LeftButton, {}, QPoint(10, 10));
        }
        EXPECT_EQ(readFileBytes(file), old);
        EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("order.txt")});
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Marvolia"));
        EXPECT_EQ(dialogs.messages[0].text,
                  QStringLiteral("The order list could not be written to \"%1\": not all of it "
                                 "could be written (the disk may be full).")
                      .arg(file));
        EXPECT_TRUE(shell.started.isEmpty()) << "a list that was not written was shown";
    }
}

TEST_F(FullDisk, GatheringInAFolderKeepsWhatWasThere) {
    // Photos big enough that the disk fills inside them.
    const QString photos = at(QStringLiteral("photos"));
    const QString out = at(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(photos) && QDir().mkpath(out));
    const QStringList names{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")};
    FlexGrid& grid = *w->MSFlexGrid1;
    grid.setRows(3);
    for (int i = 0; i < 2; ++i) {
        const QString path = photos + QLatin1Char('/') + names[i];
        ASSERT_TRUE(writeJpeg(coordinatePicture(300 + i, 200), path));
        ASSERT_TRUE(writeFileBytes(out + QLatin1Char('/') + names[i], "an older print of it"));
        grid.setTextMatrix(i + 1, 1, path);
        grid.setTextMatrix(i + 1, 2, QStringLiteral("1"));
        grid.setTextMatrix(i + 1, 3, QStringLiteral("10x15"));
        grid.setTextMatrix(i + 1, 4, path);
    }
    const QString list = out + QStringLiteral("/list.txt");
    ASSERT_TRUE(writeFileBytes(list, "the older list\r\n"));
    const qsizetype smallest = std::min(QFileInfo(photos + QStringLiteral("/a.jpg")).size(),
                                        QFileInfo(photos + QStringLiteral("/b.jpg")).size());

    const QString copyFailed =
        QStringLiteral(": not all of the copy could be written (the disk may be full)");
    const QByteArray newList("File: a.jpg, Copies 1, Size 10x15\r\nFile: b.jpg, Copies 1, Size "
                             "10x15\r\n");
    // Full at once, full inside the list, and full inside the photos only.
    for (const rlim_t limit : {rlim_t(0), rlim_t(40), rlim_t(smallest / 2)}) {
        SCOPED_TRACE(limit);
        const bool listFits = limit >= rlim_t(newList.size());
        dialogs.messages.clear();
        dialogs.answerFolder(out);
        dialogs.answerFile(list);
        {
            FileSizeLimit full(limit);
            ASSERT_TRUE(full.active());
            QTest::mouseClick(w->Command2, Qt::LeftButton, {}, QPoint(10, 10));
        }
        EXPECT_EQ(filesIn(out), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg"),
                                             QStringLiteral("list.txt")}));
        for (const QString& name : names)
            EXPECT_EQ(readFileBytes(out + QLatin1Char('/') + name), "an older print of it");
        EXPECT_EQ(readFileBytes(list), listFits ? newList : QByteArray("the older list\r\n"));
        QStringList expected{
            QStringLiteral("Not all of the order could be gathered in \"%1\":").arg(out), QString(),
            photos + QStringLiteral("/a.jpg") + copyFailed,
            photos + QStringLiteral("/b.jpg") + copyFailed};
        if (!listFits)
            expected << QStringLiteral("The list \"%1\" could not be written: not all of it could "
                                       "be written (the disk may be full).")
                            .arg(list);
        ASSERT_EQ(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].text.split(QLatin1Char('\n')), expected);
        ASSERT_TRUE(writeFileBytes(list, "the older list\r\n"));
    }
}

} // namespace

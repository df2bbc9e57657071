// A disk that fills up part way through a write: every file the program
// writes is kept as it was, byte for byte, the failure is reported, and no
// temporary file is left beside it. The disk fills at every point of the
// write in turn (a file size limit, SIGXFSZ ignored, stands in for it).

#include "selection/flows/gridorder.h"
#include "selection/order/gridrow.h"
#include "selection/order/orderlist.h"
#include "selection/order/projectfile.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/window/windowfixture.h"
#include "xpbutton/xpbutton.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class FullDisk : public WindowFixture {
protected:
    // Rows {path, copies, size} in the grid and the list, as adding leaves them.
    void fillRows(int count) {
        QList<QStringList> rows;
        for (int i = 1; i <= count; ++i)
            rows.append({QStringLiteral("/home/ana/Fotos/foto %1.jpg").arg(i),
                         QString::number(i % 4), QStringLiteral("10x15")});
        fill(rows);
    }

    QStringList filesIn(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    // Fills the disk at nothing, a byte, and in steps up to one byte short of
    // what writing file needs; each time button writes it (the Save dialog
    // answered with file). Each time the old bytes stay, nothing is left
    // beside them, and the one message is failure.
    void expectKeptAtEveryPoint(const QString& target, const QByteArray& old, qsizetype needed,
                                XpButton* button, const QString& failure) {
        QList<rlim_t> limits{0, 1};
        constexpr int kSteps = 20;
        for (int i = 1; i <= kSteps; ++i)
            limits << static_cast<rlim_t>(needed * i / (kSteps + 1));
        limits << static_cast<rlim_t>(needed - 1);
        for (const rlim_t limit : limits) {
            SCOPED_TRACE(limit);
            ASSERT_TRUE(put(target, old));
            dialogs.messages.clear();
            dialogs.answerFile(target);
            {
                FileSizeLimit full(limit);
                ASSERT_TRUE(full.active());
                click(button);
            }
            EXPECT_EQ(contents(target), old);
            EXPECT_EQ(filesIn(dir.path()), QStringList{QFileInfo(target).fileName()});
            ASSERT_EQ(dialogs.messages.size(), 1);
            EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Marvolia"));
            EXPECT_EQ(dialogs.messages[0].text, failure);
        }
    }
};

TEST_F(FullDisk, SavingAProjectKeepsTheOldOneAtEveryPoint) {
    const QString target = file(QStringLiteral("order.mvl"));
    fillRows(40);
    QList<ProjectRecord> records;
    for (const GridRow& row : readGridRows(grid()))
        records.append({row.file, row.copies, row.size});
    const QByteArray saved = projectFileBytes(records);
    ASSERT_GT(saved.size(), 1000);

    expectKeptAtEveryPoint(
        target,
        projectFileBytes(
            {{QStringLiteral("/old.jpg"), QStringLiteral("2"), QStringLiteral("13x18")}}),
        saved.size(), ui(w).Command3,
        QStringLiteral("The project could not be saved to \"%1\": not all of it could be written "
                       "(the disk may be full). Any file of that name was left as it was.")
            .arg(target));
    EXPECT_TRUE(ui(w).project_path.isEmpty());

    // With just enough room it is saved.
    dialogs.messages.clear();
    dialogs.answerFile(target);
    {
        FileSizeLimit full(static_cast<rlim_t>(saved.size()));
        click(ui(w).Command3);
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(contents(target), saved);
    EXPECT_EQ(ui(w).project_path, target);
}

TEST_F(FullDisk, WritingTheOrderListKeepsTheOldListAtEveryPoint) {
    const QString target = file(QStringLiteral("order.txt"));
    fillRows(30);
    const qsizetype needed = orderListBytes(readGridRows(grid())).size();
    ASSERT_GT(needed, 500);
    expectKeptAtEveryPoint(target, "File: old.jpg, Copies: 1, Size: 10x15\r\n", needed,
                           ui(w).Command1,
                           QStringLiteral("The order list could not be written to \"%1\": not all "
                                          "of it could be written (the disk may be full).")
                               .arg(target));
    EXPECT_TRUE(shell.started.isEmpty()) << "a list that was not written was shown";
}

TEST_F(FullDisk, GatheringInAFolderKeepsWhatWasThere) {
    // Photos big enough that the disk fills inside them.
    const QString photos = file(QStringLiteral("photos"));
    const QString out = file(QStringLiteral("out"));
    ASSERT_TRUE(QDir().mkpath(photos) && QDir().mkpath(out));
    const QStringList names{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")};
    QList<QStringList> rows;
    for (const QString& name : names) {
        const QString path = photos + QLatin1Char('/') + name;
        ASSERT_TRUE(writeJpeg(coordinatePicture(300, 200), path));
        ASSERT_TRUE(put(out + QLatin1Char('/') + name, "an older print of it"));
        rows.append({path, QStringLiteral("1"), QStringLiteral("10x15")});
    }
    // A photo that lies in the folder already: the list names it whatever
    // else could not be copied.
    rows.append({out + QStringLiteral("/c.jpg"), QStringLiteral("2"), QStringLiteral("10x15")});
    ASSERT_TRUE(put(rows.last()[0], "a photo of the order"));
    fill(rows);
    const QString list = out + QStringLiteral("/list.txt");
    ASSERT_TRUE(put(list, "the older list\r\n"));
    const qsizetype photoSize = QFileInfo(photos + QStringLiteral("/a.jpg")).size();

    const QString copyFailed =
        QStringLiteral(": not all of the copy could be written (the disk may be full)");
    // The older prints are not copies of these photos, so they are never
    // replaced: the photos go under the next free names, and the list names
    // only what reached the folder.
    const QByteArray newList("File: c.jpg, Copies 2, Size 10x15\r\n");
    // Full at once, full inside the list, and full inside the photos only.
    for (const rlim_t limit : {rlim_t(0), rlim_t(20), rlim_t(photoSize / 2)}) {
        SCOPED_TRACE(limit);
        const bool listFits = limit >= rlim_t(newList.size());
        dialogs.messages.clear();
        dialogs.answerFolder(out);
        dialogs.answerFile(list);
        {
            FileSizeLimit full(limit);
            ASSERT_TRUE(full.active());
            click(ui(w).Command2);
        }
        EXPECT_EQ(filesIn(out), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg"),
                                             QStringLiteral("c.jpg"), QStringLiteral("list.txt")}));
        for (const QString& name : names)
            EXPECT_EQ(contents(out + QLatin1Char('/') + name), "an older print of it");
        EXPECT_EQ(contents(list), listFits ? newList : QByteArray("the older list\r\n"));
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
        ASSERT_TRUE(put(list, "the older list\r\n"));
    }
}

} // namespace

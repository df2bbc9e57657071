#include "selection/order/ordertexts.h"
#include "tests/support/window/windowfixture.h"

#include "app/core/samplelayout.h"
#include "app/drawing/thumbnail.h"
#include "platform/controls/dirlist.h"
#include "platform/controls/filelist.h"
#include "platform/controls/picturebox.h"
#include "platform/files/picturefile.h"
#include "selection/dialogs/rowthumbnails.h"
#include "selection/flows/openandsave.h"
#include "selection/flows/thumbnailbatch.h"
#include "selection/order/gridrow.h"
#include "tests/support/jpegmaker.h"
#include "xpbutton/xpbutton.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QThreadPool>

namespace {

// The designed 40 x 30 sampling of the library's own full decode of the
// photo (Qt's for a bitmap); null when it cannot be read.
QImage designedThumbnail(const QString& path) {
    const QByteArray bytes = readFileBytes(path);
    QImage full = bytes.startsWith("\xFF\xD8") ? referenceDecode(bytes) : QImage(path);
    if (full.isNull() || !readPictureFile(path, thumbnailLayout()).ok())
        return {};
    return designedSamples(full.convertToFormat(QImage::Format_RGB32), 40, 30);
}

QByteArray projectOf(const QStringList& paths, const QStringList& copies) {
    QByteArray bytes = " " + QByteArray::number(paths.size()) + " \r\n";
    for (int i = 0; i < paths.size(); ++i)
        bytes += paths[i].toUtf8() + "\r\n" + copies[i].toUtf8() + "\r\n10x15\r\n";
    return bytes;
}

using KeptOpen = WindowFixture;
using KeptRemove = WindowFixture;

} // namespace

TEST(KeptThumbnails, AreUsedUntilTheFileChanges) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.jpg");
    ASSERT_TRUE(writeJpeg(coordinatePicture(400, 300), path));
    const PhotoThumbnail first = photoThumbnail(path);
    ASSERT_TRUE(first.ok());
    EXPECT_TRUE(first.picture.ok()) << "the first time the photo is decoded";
    EXPECT_EQ(first.picture.image.size(), QSize(40, 30)) << "only the pixels sampled";
    EXPECT_EQ(first.samples.block.size(), QSize(40, 30));

    const PhotoThumbnail kept = photoThumbnail(path);
    EXPECT_FALSE(kept.picture.ok()) << "decoded again though the file is unchanged";
    EXPECT_EQ(kept.samples.block, first.samples.block);

    ASSERT_TRUE(
        writeJpeg(patternPicture(400, 300, [](int, int) { return qRgb(0, 255, 0); }), path));
    ASSERT_TRUE(touchLater(path, 5));
    const PhotoThumbnail changed = photoThumbnail(path);
    EXPECT_TRUE(changed.picture.ok());
    EXPECT_NEAR(qGreen(changed.samples.block.pixel(20, 15)), 255, 2);

    EXPECT_EQ(photoThumbnail(dir.filePath("none.jpg")).error, "the file does not exist");
}

// Qt paints large pictures on its shared thread pool: workers that held it
// for a whole load kept the window from painting until the last thumbnail
// was made, so the closed Open dialog stayed on the screen and "Loading..."
// never came up.
TEST(ThumbnailWorkers, LeaveQtsSharedPoolFree) {
    const QStringList real = realPhotos();
    if (real.isEmpty())
        GTEST_SKIP() << "lomiri-wallpapers-16.04 is not installed";
    QTemporaryDir dir;
    QStringList paths; // links: no thumbnail is kept from an earlier one
    for (int i = 0; i < 40; ++i) {
        paths << dir.filePath(QStringLiteral("p%1.jpg").arg(i));
        ASSERT_TRUE(QFile::link(real[i % real.size()], paths.last()));
    }
    clearThumbnails();
    ThumbnailBatch batch(paths);
    EXPECT_EQ(QThreadPool::globalInstance()->activeThreadCount(), 0);
    // Still made, each in its slot.
    for (int i = 0; i < paths.size(); ++i)
        EXPECT_TRUE(batch.take(i).error.isEmpty()) << i;
}

TEST_F(KeptOpen, WorkersGiveTheRowsAndMessagesOfLoadingOneByOne) {
    // Photos of every kind, missing and broken ones among them, some twice.
    QStringList paths;
    for (int i = 0; i < 14; ++i)
        paths << jpegPhoto(QStringLiteral("p%1.jpg").arg(i), 17 * i);
    ASSERT_TRUE(writeBitmap(coordinatePicture(120, 90), file("bitmap.jpg")));
    ASSERT_TRUE(put(file("broken.jpg"), "not a picture"));
    QByteArray cut = contents(paths[3]);
    cut.chop(cut.size() / 2);
    ASSERT_TRUE(put(file("cut.jpg"), cut));
    paths.insert(2, file("gone.jpg"));
    paths.insert(5, file("bitmap.jpg"));
    paths.insert(9, file("broken.jpg"));
    paths.insert(11, paths[4]);
    paths.insert(12, file("cut.jpg"));
    QStringList copies;
    for (int i = 0; i < paths.size(); ++i)
        copies << (i % 5 == 3 ? "0" : QString::number(i % 3 + 1));
    ASSERT_TRUE(put(file("p.mvl"), projectOf(paths, copies)));

    int rowsWhenTold = -1;
    dialogs.onMessage = [&](const ScriptedDialogs::MessageCall&) { rowsWhenTold = grid().Rows(); };
    for (int round = 0; round < 2; ++round) { // the second time from kept thumbnails
        dialogs.messages.clear();
        dialogs.answerMessage(MessageResult::No);
        dialogs.answerFile(file("p.mvl"));
        click(ui(w).Command4);

        ASSERT_EQ(grid().Rows(), paths.size() + 1) << "round " << round;
        QStringList unshown;
        QString lastShown;
        for (int i = 0; i < paths.size(); ++i) {
            const int row = i + 1;
            EXPECT_EQ(gridTexts()[i], (QStringList{paths[i], copies[i], "10x15", paths[i]}));
            EXPECT_EQ(ui(w).selection.entries[static_cast<std::size_t>(row)].file, paths[i]);
            const PictureRead read = readPictureFile(paths[i], thumbnailLayout());
            if (read.ok())
                lastShown = paths[i];
            else
                unshown << paths[i] + ": " + read.error;
            EXPECT_EQ(grid().CellPictureAt(row, ColPhoto), designedThumbnail(paths[i]))
                << "row " << row << " round " << round;
            EXPECT_EQ(grid().CellPictureAt(row, ColCopies).isNull(), copies[i] != "0");
        }
        // The prompt once there are rows, then the pictures once all are in.
        EXPECT_EQ(rowsWhenTold, paths.size() + 1);
        ASSERT_EQ(dialogs.messages.size(), round == 0 ? 1 : 2);
        EXPECT_EQ(dialogs.messages.last().text,
                  QStringLiteral("The project \"%1\" was loaded, but these pictures could not "
                                 "be shown:\n\n%2\n\nLook for them in another folder?")
                      .arg(file("p.mvl"), unshown.join(QLatin1Char('\n'))));
        EXPECT_EQ(unshown.size(), 3); // gone, broken, cut short
        // The loader holds the last photo shown, as after loading each in turn.
        const PictureRead last = readPictureFile(lastShown, thumbnailLayout());
        EXPECT_EQ(ui(w).Image10->Picture(), last.image);
        EXPECT_EQ(ui(w).Image10->ScaleWidth(), last.fullSize.width());
        EXPECT_EQ(ui(w).Frame4->title(), frameCaption(static_cast<std::int16_t>(paths.size())));
        EXPECT_EQ(grid().Row(), paths.size());
        EXPECT_FALSE(ui(w).ProgressBar2->isVisibleTo(w.get()));
        EXPECT_FALSE(ui(w).Label7->isVisibleTo(w.get()));
    }
}

TEST_F(KeptRemove, MovedRowsKeepTheirThumbnailsUnlessTheFileChanged) {
    const QString a = solidPhoto("a.jpg", qRgb(10, 10, 10));
    const QString b = solidPhoto("b.jpg", qRgb(20, 20, 20));
    const QString c = solidPhoto("c.jpg", qRgb(30, 30, 30));
    const QString d = solidPhoto("d.jpg", qRgb(40, 40, 40));
    const QString e = solidPhoto("e.jpg", qRgb(50, 50, 50));
    for (const QString& path : {a, b, c, d, e})
        addPreviewed(path);
    ASSERT_EQ(list().count, 5);
    // c is written anew, e is gone; b and d stay as they were.
    solidPhoto("c.jpg", qRgb(33, 66, 99));
    ASSERT_TRUE(touchLater(c, 5));
    ASSERT_TRUE(QFile::remove(e));

    ASSERT_TRUE(clickRow(1, [](Props& p) { QTest::mouseClick(p.Command1, Qt::LeftButton); }));
    ASSERT_EQ(list().count, 4);
    expectInStep();
    EXPECT_EQ(grid().TextMatrix(1, ColFile), b);
    expectSolidThumbnail(1, qRgb(20, 20, 20));
    expectSolidThumbnail(2, qRgb(33, 66, 99));
    expectSolidThumbnail(3, qRgb(40, 40, 40));
    EXPECT_TRUE(grid().CellPictureAt(4, ColPhoto).isNull());
    EXPECT_EQ(list().entries[4].file, e);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].text.endsWith(e + ": the file does not exist"))
        << dialogs.messages[0].text.toStdString();
}

TEST_F(KeptRemove, AddingThePreviewedPhotoGivesTheThumbnailOfAFreshDecode) {
    // A real JPEG: the preview's read keeps the thumbnail's pixels too.
    const QString path = file("a.jpg");
    ASSERT_TRUE(writeJpeg(coordinatePicture(1200, 900), path));
    ui(w).Dir1->setPath(folder());
    ASSERT_EQ(ui(w).current_file, path);
    EXPECT_EQ(ui(w).Image10->ScaleWidth(), 1200);
    EXPECT_EQ(ui(w).Image10->keptGrid(), previewGrid(QSize(1200, 900)));
    QTest::mouseClick(ui(w).Image11, Qt::LeftButton);
    ASSERT_EQ(list().count, 1);
    EXPECT_EQ(grid().CellPictureAt(1, ColPhoto), designedThumbnail(path));
    EXPECT_EQ(ui(w).Image10->ScaleWidth(), 1200);
}

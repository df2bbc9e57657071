// Files that are no photos, or photos that would cost without end, through
// the real window: each is named in a message with the reason, the window
// never waits on it, and the order is kept.

#include "platform/controls/filelist.h"
#include "platform/controls/imagecontrol.h"
#include "platform/controls/picturebox.h"
#include "platform/files/jpegdecoder.h"
#include "platform/files/memorybudget.h"
#include "selection/dialogs/rowthumbnails.h"
#include "selection/flows/orderhandlers.h"
#include "selection/flows/thumbnailbatch.h"
#include "selection/order/projectfile.h"
#include "tests/support/filebytes.h"
#include "tests/support/jpegmaker.h"
#include "tests/support/pipereleaser.h"
#include "tests/support/qtprinters.h"
#include "tests/support/window/windowfixture.h"
#include "xpbutton/xpbutton.h"

#include <QThread>

#include <sys/stat.h>

namespace {

const qint64 kHundredGigabytes = qint64(100) << 30;

class HostileFiles : public WindowFixture {
protected:
    QString jpeg(const QString& name, const QByteArray& bytes) {
        const QString path = file(name);
        EXPECT_TRUE(writeFileBytes(path, bytes)) << path.toStdString();
        return path;
    }
    static QByteArray photoBytes() {
        return encodeJpeg(coordinatePicture(120, 90), {JpegColours::Colour, 90, 2, 2});
    }

    void clickListed(const QString& name) {
        const QList<QListWidgetItem*> found = ui(w).File1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        ui(w).File1->scrollToItem(found.first());
        QTest::mouseClick(ui(w).File1->viewport(), Qt::LeftButton, {},
                          ui(w).File1->visualItemRect(found.first()).center());
    }

    // Opens a project of these photos with the Open button.
    void openProject(const QStringList& paths) {
        QList<ProjectRecord> records;
        for (const QString& path : paths)
            records.append({path, QStringLiteral("1"), QStringLiteral("10x15")});
        const QString project = file(QStringLiteral("p.mvl"));
        ASSERT_TRUE(writeFileBytes(project, projectFileBytes(records)));
        if (grid().Rows() > 1)
            dialogs.answerMessage(MessageResult::No);
        dialogs.answerFile(project);
        QTest::mouseClick(ui(w).Command4, Qt::LeftButton, {}, QPoint(10, 10));
    }

    QString lastMessage() const {
        return dialogs.messages.isEmpty() ? QString() : dialogs.messages.last().text;
    }
};

TEST_F(HostileFiles, AHugeFileIsRefusedBesideThePreviewAndInTheRowEditor) {
    jpeg(QStringLiteral("a.jpg"), photoBytes());
    const QString huge = file(QStringLiteral("b.jpg"));
    ASSERT_TRUE(writeFileBytes(huge, {}) && QFile::resize(huge, kHundredGigabytes));
    // Previewing a.jpg reads b.jpg ahead on a worker; then b.jpg is clicked.
    ui(w).File1->setPath(folder());
    clickListed(QStringLiteral("a.jpg"));
    QTest::mouseClick(ui(w).Image11, Qt::LeftButton);
    ASSERT_EQ(grid().Rows(), 2);
    clickListed(QStringLiteral("b.jpg"));
    EXPECT_EQ(lastMessage(),
              QStringLiteral("The picture \"%1\" cannot be shown: it is not a JPEG picture, and "
                             "too large (102400 MB) to be a picture of another kind.")
                  .arg(huge));
    EXPECT_EQ(ui(w).current_file, file(QStringLiteral("a.jpg")));

    // The row's photo replaced by a huge file: its editor still opens.
    ASSERT_TRUE(QFile::remove(file(QStringLiteral("a.jpg"))));
    ASSERT_TRUE(writeFileBytes(file(QStringLiteral("a.jpg")), {}) &&
                QFile::resize(file(QStringLiteral("a.jpg")), kHundredGigabytes));
    EXPECT_TRUE(clickRow(1, [](Props& p) {
        EXPECT_TRUE(p.Image2->Picture().isNull());
        p.reject();
    }));
    EXPECT_EQ(grid().Rows(), 2);
}

TEST_F(HostileFiles, PipesDevicesScanBombsAndLongPathsInAProjectAreNamedWithWhy) {
    const QString good = jpeg(QStringLiteral("a.jpg"), photoBytes());
    const QString fifo = file(QStringLiteral("pipe.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    PipeReleaser releaser(fifo);
    const QByteArray bomb =
        encodeJpeg(coordinatePicture(64, 64), {JpegColours::Grey, 90, 1, 1, true, false, 0, 2});
    const QString bomb1 = jpeg(QStringLiteral("scans1.jpg"), bomb);
    const QString bomb2 = jpeg(QStringLiteral("scans2.jpg"), bomb);
    const QString zero = QStringLiteral("/dev/zero");
    QString longPath = QStringLiteral("/gone");
    while (longPath.size() < 20000)
        longPath += QStringLiteral("/a-folder-of-many-letters");
    openProject({good, fifo, zero, bomb1, bomb2, longPath + QStringLiteral("/DSC_0042.JPG")});

    ASSERT_EQ(grid().Rows(), 7);
    EXPECT_EQ(grid().CellPictureAt(1, 0).size(), QSize(40, 30));
    const QString scans = QStringLiteral(": it is made of more scans than a photo of 64 x 64 has: "
                                         "decoding them would take too long (refused at scan "
                                         "101)\n");
    EXPECT_EQ(lastMessage(),
              QStringLiteral("The project \"%1\" was loaded, but these pictures could not be "
                             "shown:\n\n")
                      .arg(file(QStringLiteral("p.mvl"))) +
                  fifo + QStringLiteral(": it is not a photo file (it is a named pipe)\n") + zero +
                  QStringLiteral(": it is not a photo file (it is a device)\n") + bomb1 + scans +
                  bomb2 + scans +
                  QStringLiteral("/gone/a-folder-of-many-letters/a-folder-of-many-letters"
                                 "/a-folder-of-many-l.../DSC_0042.JPG: it cannot be read (File "
                                 "name too long)\n\nLook for them in another folder?"));

    // The row editor of the pipe's row opens at once, without a picture.
    EXPECT_TRUE(clickRow(2, [](Props& p) {
        EXPECT_TRUE(p.Image2->Picture().isNull());
        p.reject();
    }));
}

TEST_F(HostileFiles, ALoadStopsItsWorkersInTheMiddleOfAPhoto) {
    // Progressive, so that each read holds a share of the decoders' memory
    // while it decodes, and slow enough to be caught at it.
    const QByteArray slow =
        encodeJpeg(coordinatePicture(3000, 3000), {JpegColours::Grey, 90, 1, 1, true, false, 0, 1});
    QStringList paths;
    for (int i = 0; i < 4; ++i)
        paths << jpeg(QStringLiteral("slow%1.jpg").arg(i), slow);
    clearThumbnails();
    {
        ThumbnailBatch batch(paths);
        const QDeadlineTimer patience(60000);
        while (MemoryBudget::decoders().free() == kMaxDecoderBytes && !patience.hasExpired())
            QThread::usleep(100);
        ASSERT_LT(MemoryBudget::decoders().free(), kMaxDecoderBytes) << "no read was seen";
    }
    // None was finished and kept: the next read of each starts afresh, and
    // is stopped at once.
    const std::atomic<bool> stopped{true};
    for (const QString& path : paths)
        EXPECT_EQ(photoThumbnail(path, &stopped).error, QStringLiteral("the reading was stopped"))
            << path.toStdString();
    EXPECT_EQ(MemoryBudget::decoders().free(), kMaxDecoderBytes);
}

} // namespace

#include "browse.h"
#include "dirlist.h"
#include "drivelist.h"
#include "fakes.h"
#include "filelist.h"
#include "flexgrid.h"
#include "imagecontrol.h"
#include "mainwindow.h"
#include "picturebox.h"
#include "selectionrules.h"
#include "testpictures.h"
#include "thumbnail.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

constexpr std::int32_t kWhiteValue = 0x00FFFFFF;

QImage solid(int width, int height, QRgb colour) {
    return patternPicture(width, height, [colour](int, int) { return colour; });
}

QByteArray digest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// The real main window over folders of generated pictures. Bitmaps under a
// ".jpg" name load exactly, which keeps the pixels predictable.
struct Browse : ::testing::Test {
    ScriptedDialogs dialogs;
    RecordingShell shell;
    MainWindow w{{dialogs, shell, QUrl()}};
    QTemporaryDir dir;

    QString path(const QString& name) const { return QDir::cleanPath(dir.filePath(name)); }
    void bitmap(const QString& name, const QImage& image) {
        ASSERT_TRUE(writeBitmap(image, dir.filePath(name))) << name.toStdString();
    }
    void enter(const QString& folder) { ASSERT_TRUE(w.Dir1->setPath(folder)); }

    // What the scaler draws for this picture in a fresh 329-pixel box of the
    // window's background.
    static QImage previewOf(const QImage& picture, int width, int height) {
        QWidget window;
        auto* source = new PictureBox(&window);
        auto* target = new PictureBox(&window);
        FileList list(&window);
        QProgressBar bar(&window);
        source->setAutoSize(true);
        source->setPicture(picture);
        target->place(QRect(0, 0, 329, 329));
        target->setBackColor(0x80000005);
        thumbnail(static_cast<std::int16_t>(width), static_cast<std::int16_t>(height), *source,
                  *target, true, {list, bar});
        return target->Image();
    }

    void showWindow() {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
};

TEST(FullPath, JoinsWithASingleSlash) {
    EXPECT_EQ(fullPath(QStringLiteral("/"), QStringLiteral("a.jpg")), QStringLiteral("/a.jpg"));
    EXPECT_EQ(fullPath(QStringLiteral("/photos"), QStringLiteral("a.jpg")),
              QStringLiteral("/photos/a.jpg"));
    EXPECT_EQ(fullPath(QStringLiteral("/photos/"), QStringLiteral("a.jpg")),
              QStringLiteral("/photos/a.jpg"));
    EXPECT_EQ(countCaption(0), QStringLiteral("Cantidad: 0"));
    EXPECT_EQ(countCaption(12), QStringLiteral("Cantidad: 12"));
}

TEST_F(Browse, NothingIsPreviewedAtStart) {
    EXPECT_TRUE(w.Image4->isHidden());
    EXPECT_TRUE(w.Image5->isHidden());
    EXPECT_TRUE(w.current_file.isEmpty());
    EXPECT_EQ(w.Image10->PictureHandle(), 0u);
    EXPECT_EQ(w.File1->ListIndex(), -1);
}

TEST_F(Browse, EnteringAFolderPreviewsItsFirstFileAtOnce) {
    const QImage first = coordinatePicture(1200, 900);
    bitmap(QStringLiteral("a.jpg"), first);
    ASSERT_TRUE(writeJpeg(solid(64, 48, qRgb(200, 10, 10)), dir.filePath(QStringLiteral("b.Jpg"))));
    ASSERT_TRUE(writeJpeg(solid(64, 48, qRgb(10, 200, 10)), dir.filePath(QStringLiteral("c.JPG"))));
    bitmap(QStringLiteral("d.png"), first);

    enter(dir.path());
    EXPECT_EQ(w.Label1->text(), QStringLiteral("Cantidad: 3"));
    EXPECT_EQ(w.File1->ListIndex(), 0);
    EXPECT_EQ(w.current_file, path(QStringLiteral("a.jpg")));
    EXPECT_FALSE(w.Image4->isHidden());
    EXPECT_FALSE(w.Image5->isHidden());
    EXPECT_FALSE(w.Image11->isHidden());
    EXPECT_TRUE(w.ProgressBar1->isHidden());
    EXPECT_TRUE(w.File1->isEnabled());
    EXPECT_TRUE(w.Image10->isHidden());
    EXPECT_EQ(w.Image10->ScaleWidth(), 1200);
    EXPECT_EQ(w.Image10->ScaleHeight(), 900);
    EXPECT_EQ(w.Image10->Picture(), first);

    // 328 x 246 in rows 41 to 286 of the 329-pixel box.
    EXPECT_EQ(w.Image11->geometry(), QRect(216, 112, 329, 329));
    EXPECT_EQ(w.Image11->Image(), previewOf(first, 328, 246));
    EXPECT_EQ(w.Image11->Point(0, 40), kWhiteValue);
    EXPECT_EQ(w.Image11->Point(0, 41), colourValue(first.pixel(0, 0)));
    EXPECT_EQ(w.Image11->Point(327, 286), colourValue(first.pixel(1196, 896)));
    EXPECT_EQ(w.Image11->Point(327, 287), kWhiteValue);
    EXPECT_EQ(w.Image11->Point(328, 100), kWhiteValue);
    EXPECT_EQ(w.Image11->Picture(), w.Image11->Image());

    // The next file, a true JPEG, previews in its turn.
    w.File1->setListIndex(1);
    EXPECT_EQ(w.current_file, path(QStringLiteral("b.Jpg")));
    EXPECT_EQ(w.Image10->ScaleWidth(), 64);
    const std::int32_t red = w.Image11->Point(164, 164);
    EXPECT_NEAR(red & 0xFF, 200, 3);
    EXPECT_NEAR((red >> 8) & 0xFF, 10, 3);
    EXPECT_EQ(w.Image11->Point(164, 40), kWhiteValue);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(Browse, FolderWithoutPicturesKeepsThePreview) {
    bitmap(QStringLiteral("a.jpg"), coordinatePicture(300, 200));
    QDir(dir.path()).mkdir(QStringLiteral("empty"));
    QFile(path(QStringLiteral("empty/readme.txt"))).open(QIODevice::WriteOnly);
    enter(dir.path());
    const QImage preview = w.Image11->Image();
    const QImage loaded = w.Image10->Picture();
    const QString current = w.current_file;

    enter(path(QStringLiteral("empty")));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("Cantidad: 0"));
    EXPECT_EQ(w.File1->ListCount(), 0);
    EXPECT_EQ(w.Image11->Image(), preview);
    EXPECT_EQ(w.Image10->Picture(), loaded);
    EXPECT_EQ(w.current_file, current);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(Browse, BadFilesAreNamedAndChangeNothing) {
    bitmap(QStringLiteral("a.jpg"), coordinatePicture(300, 200));
    // Cut short, not a picture at all, and gone after the listing.
    const QString whole = dir.filePath(QStringLiteral("whole.tmp"));
    ASSERT_TRUE(writeJpeg(coordinatePicture(400, 300), whole, 90));
    QFile source(whole);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    QFile cut(path(QStringLiteral("b.jpg")));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() / 2));
    cut.close();
    QFile text(path(QStringLiteral("c.jpg")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture\r\n");
    text.close();
    bitmap(QStringLiteral("d.jpg"), coordinatePicture(30, 20));
    bitmap(QStringLiteral("e.jpg"), solid(50, 50, qRgb(1, 2, 3)));

    showWindow();
    enter(dir.path());
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("d.jpg"))));
    const QImage preview = w.Image11->Image();
    const QImage previewPicture = w.Image11->Picture();
    const QImage loaded = w.Image10->Picture();
    const QString current = w.current_file;
    ASSERT_EQ(current, path(QStringLiteral("a.jpg")));

    const QStringList bad{"b.jpg", "c.jpg", "d.jpg"};
    for (int i = 0; i < bad.size(); ++i) {
        QTest::keyClick(w.File1, Qt::Key_Down);
        ASSERT_EQ(dialogs.messages.size(), i + 1);
        const ScriptedDialogs::MessageCall& message = dialogs.messages.back();
        EXPECT_EQ(message.title, QStringLiteral("Marvolia"));
        EXPECT_TRUE(message.text.contains(path(bad[i]))) << message.text.toStdString();
        EXPECT_EQ(message.buttons, MessageButtons::Ok);
        EXPECT_EQ(w.Image11->Image(), preview);
        EXPECT_EQ(w.Image11->Picture(), previewPicture);
        EXPECT_EQ(w.Image10->Picture(), loaded);
        EXPECT_EQ(w.current_file, current);
        EXPECT_TRUE(w.File1->isEnabled());
        EXPECT_TRUE(w.ProgressBar1->isHidden());
    }
    // The list is still usable: the next good file previews.
    QTest::keyClick(w.File1, Qt::Key_Down);
    EXPECT_EQ(w.current_file, path(QStringLiteral("e.jpg")));
    EXPECT_EQ(w.Image11->Point(100, 100), colourValue(qRgb(1, 2, 3)));
    EXPECT_EQ(dialogs.messages.size(), 3);
}

TEST_F(Browse, ArrowKeysPreviewEachFileInTurn) {
    const QRgb colours[] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200)};
    bitmap(QStringLiteral("a.jpg"), solid(40, 30, colours[0]));
    bitmap(QStringLiteral("B.JPG"), solid(30, 40, colours[1]));
    bitmap(QStringLiteral("c.Jpg"), solid(40, 40, colours[2]));
    showWindow();
    // Entering the folder from the folder list hands the keyboard to the files.
    w.Dir1->setFocus();
    ASSERT_EQ(w.focusWidget(), w.Dir1);
    enter(dir.path());
    EXPECT_EQ(w.focusWidget(), w.File1);

    const QStringList names{"a.jpg", "B.JPG", "c.Jpg"};
    for (int i : {1, 2, 1, 0}) {
        QTest::keyClick(w.File1, i > w.File1->ListIndex() ? Qt::Key_Down : Qt::Key_Up);
        EXPECT_EQ(w.File1->ListIndex(), i);
        EXPECT_EQ(w.current_file, path(names[i]));
        EXPECT_EQ(w.Image11->Point(164, 164), colourValue(colours[i]));
        // The file list has the keyboard again for the next key.
        EXPECT_EQ(w.focusWidget(), w.File1);
    }
    // a.jpg is 4:3, so its preview leaves white above and below.
    EXPECT_EQ(w.Image11->Point(164, 40), kWhiteValue);
    EXPECT_EQ(w.Image11->Point(164, 41), colourValue(colours[0]));
}

TEST_F(Browse, ADriveThatCannotBeReadPutsTheListBackSilently) {
    bitmap(QStringLiteral("a.jpg"), coordinatePicture(300, 200));
    enter(dir.path());
    const QString folder = w.Dir1->Path();
    const QImage preview = w.Image11->Image();

    w.Drive1->addItem(QStringLiteral("gone"), path(QStringLiteral("no-such-drive")));
    w.Drive1->setListIndex(w.Drive1->ListCount() - 1);

    EXPECT_EQ(w.Drive1->Drive(), w.Drive1->driveOf(folder));
    EXPECT_EQ(w.Dir1->Path(), folder);
    EXPECT_EQ(w.Image11->Image(), preview);
    EXPECT_EQ(w.current_file, path(QStringLiteral("a.jpg")));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    // The list was read again: the unreadable drive is gone from it.
    EXPECT_EQ(w.Drive1->findData(path(QStringLiteral("no-such-drive"))), -1);
}

TEST_F(Browse, GoingBackToADriveThatIsGoneTooEndsQuietly) {
    // The folder list's own drive has gone away meanwhile.
    const QString volume = path(QStringLiteral("volume"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("volume/photos")));
    w.Drive1->addItem(QStringLiteral("stick"), volume);
    enter(path(QStringLiteral("volume/photos")));
    ASSERT_TRUE(QDir(volume).removeRecursively());

    w.Drive1->addItem(QStringLiteral("gone"), path(QStringLiteral("no-such-drive")));
    w.Drive1->setListIndex(w.Drive1->ListCount() - 1);

    EXPECT_EQ(w.Dir1->Path(), path(QStringLiteral("volume/photos")));
    EXPECT_EQ(w.Drive1->findData(volume), -1);
    EXPECT_FALSE(w.Drive1->Drive().isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(Browse, ChoosingADriveMovesTheFoldersAndFiles) {
    bitmap(QStringLiteral("a.jpg"), solid(40, 30, qRgb(9, 8, 7)));
    w.Drive1->addItem(QStringLiteral("card"), dir.path());
    w.Drive1->setListIndex(w.Drive1->findData(dir.path()));
    EXPECT_EQ(w.Dir1->Path(), QDir::cleanPath(dir.path()));
    EXPECT_EQ(w.File1->Path(), QDir::cleanPath(dir.path()));
    EXPECT_EQ(w.Label1->text(), QStringLiteral("Cantidad: 1"));
    EXPECT_EQ(w.current_file, path(QStringLiteral("a.jpg")));
}

TEST_F(Browse, TurnsThePreviewOnlyAndTheNextPreviewIsUnturned) {
    const QImage picture = coordinatePicture(1200, 900);
    bitmap(QStringLiteral("a.jpg"), picture);
    showWindow();
    enter(dir.path());
    const QImage preview = w.Image11->Image();
    const QByteArray fileBefore = digest(path(QStringLiteral("a.jpg")));

    // A grid row with its thumbnail, as adding a photo leaves it.
    w.MSFlexGrid1->setRows(2);
    w.MSFlexGrid1->setRow(1);
    w.MSFlexGrid1->setCol(0);
    ASSERT_TRUE(setRowThumbnail(w.selectionControls(), path(QStringLiteral("a.jpg"))).isEmpty());
    const QImage thumb = w.MSFlexGrid1->CellPictureAt(1, 0);
    ASSERT_FALSE(thumb.isNull());

    QTest::mouseClick(w.Image4, Qt::LeftButton);
    EXPECT_EQ(w.Image11->geometry(), QRect(216, 112, 329, 329));
    for (int y = 0; y < 329; ++y)
        for (int x = 0; x < 329; ++x)
            ASSERT_EQ(w.Image11->Point(328 - y, x), colourValue(preview.pixel(x, y)))
                << x << "," << y;
    // The white bands now stand left and right.
    EXPECT_EQ(w.Image11->Point(40, 164), kWhiteValue);
    EXPECT_EQ(w.Image11->Point(287, 0), colourValue(picture.pixel(0, 0)));
    EXPECT_TRUE(w.ProgressBar1->isHidden());
    EXPECT_TRUE(w.image110->isHidden());
    QImage clear(329, 329, QImage::Format_RGB32);
    clear.fill(Qt::white);
    EXPECT_EQ(w.image110->Image(), clear);
    EXPECT_EQ(w.MSFlexGrid1->CellPictureAt(1, 0), thumb);
    EXPECT_EQ(digest(path(QStringLiteral("a.jpg"))), fileBefore);

    // Previewing the file again shows it as it is.
    w.File1->setListIndex(0);
    EXPECT_EQ(w.Image11->Image(), preview);
}

} // namespace

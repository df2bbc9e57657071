#include "app/core/browse.h"
#include "app/drawing/thumbnail.h"
#include "app/mainwindow.h"
#include "app/progressbarpainter.h"
#include "platform/controls/dirlist.h"
#include "platform/controls/drivelist.h"
#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/imagecontrol.h"
#include "platform/controls/picturebox.h"
#include "selection/dialogs/photorow.h"
#include "tests/support/fakes.h"
#include "tests/support/filebytes.h"
#include "tests/support/testpictures.h"
#include "tests/support/window/mainwindowui.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr std::int32_t kWhiteValue = 0x00FFFFFF;

QImage solid(int width, int height, QRgb colour) {
    return patternPicture(width, height, [colour](int, int) { return colour; });
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
    void enter(const QString& folder) { ASSERT_TRUE(ui(w).Dir1->setPath(folder)); }

    // What the scaler draws for this picture in a fresh 329-pixel box of the
    // window's background.
    static QImage previewOf(const QImage& picture, int width, int height) {
        QWidget window;
        auto* source = new PictureBox(&window);
        auto* target = new PictureBox(&window);
        FileList list(&window);
        QProgressBar bar(&window);
        ProgressBarPainter painter(bar);
        source->setAutoSize(true);
        source->setPicture(picture);
        target->place(QRect(0, 0, 329, 329));
        target->setBackColor(0x80000005);
        thumbnail(static_cast<std::int16_t>(width), static_cast<std::int16_t>(height), *source,
                  *target, true, {list, painter.progress()});
        return target->Image();
    }

    void showWindow() {
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }
};

TEST(FullPath, JoinsWithASingleSlash) {
    EXPECT_EQ(fullPath("/", "a.jpg"), "/a.jpg");
    EXPECT_EQ(fullPath("/photos", "a.jpg"), "/photos/a.jpg");
    EXPECT_EQ(fullPath("/photos/", "a.jpg"), "/photos/a.jpg");
    EXPECT_EQ(countCaption(0), "Cantidad: 0");
    EXPECT_EQ(countCaption(12), "Cantidad: 12");
}

TEST_F(Browse, EnteringAFolderPreviewsItsFirstFileAtOnce) {
    const QImage first = coordinatePicture(1200, 900);
    bitmap("a.jpg", first);
    ASSERT_TRUE(writeJpeg(solid(64, 48, qRgb(200, 10, 10)), dir.filePath("b.Jpg")));
    ASSERT_TRUE(writeJpeg(solid(64, 48, qRgb(10, 200, 10)), dir.filePath("c.JPG")));
    bitmap("d.png", first); // a photo by its name, a bitmap by its content

    enter(dir.path());
    EXPECT_EQ(ui(w).Label1->text(), "Cantidad: 4");
    EXPECT_EQ(ui(w).File1->ListIndex(), 0);
    EXPECT_EQ(ui(w).current_file, path("a.jpg"));
    EXPECT_FALSE(ui(w).Image4->isHidden());
    EXPECT_FALSE(ui(w).Image5->isHidden());
    EXPECT_FALSE(ui(w).Image11->isHidden());
    EXPECT_TRUE(ui(w).ProgressBar1->isHidden());
    EXPECT_TRUE(ui(w).File1->isEnabled());
    EXPECT_TRUE(ui(w).Image10->isHidden());
    EXPECT_EQ(ui(w).Image10->ScaleWidth(), 1200);
    EXPECT_EQ(ui(w).Image10->ScaleHeight(), 900);
    EXPECT_EQ(ui(w).Image10->Picture(), first);

    // 328 x 246 in rows 41 to 286 of the 329-pixel box.
    EXPECT_EQ(ui(w).Image11->geometry(), QRect(216, 112, 329, 329));
    EXPECT_EQ(ui(w).Image11->Image(), previewOf(first, 328, 246));
    EXPECT_EQ(ui(w).Image11->Point(0, 40), kWhiteValue);
    EXPECT_EQ(ui(w).Image11->Point(0, 41), colourValue(first.pixel(0, 0)));
    EXPECT_EQ(ui(w).Image11->Point(327, 286), colourValue(first.pixel(1196, 896)));
    EXPECT_EQ(ui(w).Image11->Point(327, 287), kWhiteValue);
    EXPECT_EQ(ui(w).Image11->Point(328, 100), kWhiteValue);
    EXPECT_EQ(ui(w).Image11->Picture(), ui(w).Image11->Image());

    // The next file, a true JPEG, previews in its turn.
    ui(w).File1->setListIndex(1);
    EXPECT_EQ(ui(w).current_file, path("b.Jpg"));
    EXPECT_EQ(ui(w).Image10->ScaleWidth(), 64);
    const std::int32_t red = ui(w).Image11->Point(164, 164);
    EXPECT_NEAR(red & 0xFF, 200, 3);
    EXPECT_NEAR((red >> 8) & 0xFF, 10, 3);
    EXPECT_EQ(ui(w).Image11->Point(164, 40), kWhiteValue);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// Damaged pictures are tried every way by the hardening tests.
TEST_F(Browse, AGoneFileOrAFolderWithoutPicturesKeepsThePreview) {
    bitmap("a.jpg", coordinatePicture(300, 200));
    bitmap("d.jpg", coordinatePicture(30, 20));
    bitmap("e.jpg", solid(50, 50, qRgb(1, 2, 3)));
    showWindow();
    enter(dir.path());
    ASSERT_TRUE(QFile::remove(path("d.jpg")));
    const QImage preview = ui(w).Image11->Image();
    const QImage previewPicture = ui(w).Image11->Picture();
    const QImage loaded = ui(w).Image10->Picture();
    ASSERT_EQ(ui(w).current_file, path("a.jpg"));

    QTest::keyClick(ui(w).File1, Qt::Key_Down);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
    EXPECT_TRUE(dialogs.messages[0].text.contains(path("d.jpg")))
        << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(ui(w).Image11->Image(), preview);
    EXPECT_EQ(ui(w).Image11->Picture(), previewPicture);
    EXPECT_EQ(ui(w).Image10->Picture(), loaded);
    EXPECT_EQ(ui(w).current_file, path("a.jpg"));
    EXPECT_TRUE(ui(w).File1->isEnabled());
    EXPECT_TRUE(ui(w).ProgressBar1->isHidden());
    // The list is still usable: the next good file previews.
    QTest::keyClick(ui(w).File1, Qt::Key_Down);
    EXPECT_EQ(ui(w).current_file, path("e.jpg"));
    EXPECT_EQ(ui(w).Image11->Point(100, 100), colourValue(qRgb(1, 2, 3)));
    EXPECT_EQ(dialogs.messages.size(), 1);

    const QImage last = ui(w).Image11->Image();
    ASSERT_TRUE(QDir(dir.path()).mkdir("empty"));
    ASSERT_TRUE(writeFileBytes(path("empty/readme.txt"), "text"));
    enter(path("empty"));
    EXPECT_EQ(ui(w).Label1->text(), "Cantidad: 0");
    EXPECT_EQ(ui(w).File1->ListCount(), 0);
    EXPECT_EQ(ui(w).Image11->Image(), last);
    EXPECT_EQ(ui(w).current_file, path("e.jpg"));
    EXPECT_EQ(dialogs.messages.size(), 1);
}

TEST_F(Browse, ArrowKeysPreviewEachFileInTurn) {
    const QRgb colours[] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200)};
    bitmap("a.jpg", solid(40, 30, colours[0]));
    bitmap("B.JPG", solid(30, 40, colours[1]));
    bitmap("c.Jpg", solid(40, 40, colours[2]));
    showWindow();
    // Entering the folder from the folder list hands the keyboard to the files.
    ui(w).Dir1->setFocus();
    ASSERT_EQ(w.focusWidget(), ui(w).Dir1);
    enter(dir.path());
    EXPECT_EQ(w.focusWidget(), ui(w).File1);

    const QStringList names{"a.jpg", "B.JPG", "c.Jpg"};
    for (int i : {1, 2, 1, 0}) {
        QTest::keyClick(ui(w).File1, i > ui(w).File1->ListIndex() ? Qt::Key_Down : Qt::Key_Up);
        EXPECT_EQ(ui(w).File1->ListIndex(), i);
        EXPECT_EQ(ui(w).current_file, path(names[i]));
        EXPECT_EQ(ui(w).Image11->Point(164, 164), colourValue(colours[i]));
        // The file list has the keyboard again for the next key.
        EXPECT_EQ(w.focusWidget(), ui(w).File1);
    }
    // a.jpg is 4:3, so its preview leaves white above and below.
    EXPECT_EQ(ui(w).Image11->Point(164, 40), kWhiteValue);
    EXPECT_EQ(ui(w).Image11->Point(164, 41), colourValue(colours[0]));
}

TEST_F(Browse, ChoosingADriveMovesTheListsAndAnUnreadableOnePutsThemBackSilently) {
    bitmap("a.jpg", coordinatePicture(300, 200));
    ui(w).Drive1->addItem("card", dir.path());
    ui(w).Drive1->setListIndex(ui(w).Drive1->findData(dir.path()));
    const QString folder = QDir::cleanPath(dir.path());
    EXPECT_EQ(ui(w).Dir1->Path(), folder);
    EXPECT_EQ(ui(w).File1->Path(), folder);
    EXPECT_EQ(ui(w).Label1->text(), "Cantidad: 1");
    EXPECT_EQ(ui(w).current_file, path("a.jpg"));
    const QImage preview = ui(w).Image11->Image();

    ui(w).Drive1->addItem("gone", path("no-such-drive"));
    ui(w).Drive1->setListIndex(ui(w).Drive1->ListCount() - 1);
    EXPECT_EQ(ui(w).Drive1->Drive(), ui(w).Drive1->driveOf(folder));
    EXPECT_EQ(ui(w).Dir1->Path(), folder);
    EXPECT_EQ(ui(w).Image11->Image(), preview);
    EXPECT_EQ(ui(w).current_file, path("a.jpg"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    // The list was read again: the unreadable drive is gone from it.
    EXPECT_EQ(ui(w).Drive1->findData(path("no-such-drive")), -1);
}

TEST_F(Browse, GoingBackToADriveThatIsGoneTooEndsQuietly) {
    // The folder list's own drive has gone away meanwhile.
    const QString volume = path("volume");
    ASSERT_TRUE(QDir(dir.path()).mkpath("volume/photos"));
    ui(w).Drive1->addItem("stick", volume);
    enter(path("volume/photos"));
    ASSERT_TRUE(QDir(volume).removeRecursively());

    ui(w).Drive1->addItem("gone", path("no-such-drive"));
    ui(w).Drive1->setListIndex(ui(w).Drive1->ListCount() - 1);

    EXPECT_EQ(ui(w).Dir1->Path(), path("volume/photos"));
    EXPECT_EQ(ui(w).Drive1->findData(volume), -1);
    EXPECT_FALSE(ui(w).Drive1->Drive().isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(Browse, TurnsThePreviewOnlyAndTheNextPreviewIsUnturned) {
    const QImage picture = coordinatePicture(1200, 900);
    bitmap("a.jpg", picture);
    showWindow();
    enter(dir.path());
    const QImage preview = ui(w).Image11->Image();
    const QByteArray fileBefore = readFileBytes(path("a.jpg"));

    // A grid row with its thumbnail, as adding a photo leaves it.
    const RowPicture row = drawRowThumbnail(ui(w).orderController.view, path("a.jpg"));
    ASSERT_TRUE(row.ok());
    ui(w).order.addRows({newPhotoRow(path("a.jpg"), row)}, "adding a photo");
    const QImage thumb = ui(w).MSFlexGrid1->CellPictureAt(1, 0);
    ASSERT_FALSE(thumb.isNull());

    QTest::mouseClick(ui(w).Image4, Qt::LeftButton);
    // Turning the preview adds nothing to the order.
    EXPECT_EQ(ui(w).MSFlexGrid1->Rows(), 2);
    EXPECT_EQ(ui(w).selection.count, 1) << "the row made before";
    EXPECT_EQ(ui(w).Image11->geometry(), QRect(216, 112, 329, 329));
    for (int y = 0; y < 329; ++y)
        for (int x = 0; x < 329; ++x)
            ASSERT_EQ(ui(w).Image11->Point(328 - y, x), colourValue(preview.pixel(x, y)))
                << x << "," << y;
    // The white bands now stand left and right.
    EXPECT_EQ(ui(w).Image11->Point(40, 164), kWhiteValue);
    EXPECT_EQ(ui(w).Image11->Point(287, 0), colourValue(picture.pixel(0, 0)));
    EXPECT_TRUE(ui(w).ProgressBar1->isHidden());
    EXPECT_TRUE(ui(w).image110->isHidden());
    QImage clear(329, 329, QImage::Format_RGB32);
    clear.fill(Qt::white);
    EXPECT_EQ(ui(w).image110->Image(), clear);
    EXPECT_EQ(ui(w).MSFlexGrid1->CellPictureAt(1, 0), thumb);
    EXPECT_EQ(readFileBytes(path("a.jpg")), fileBefore);

    // Previewing the file again shows it as it is.
    ui(w).File1->setListIndex(0);
    EXPECT_EQ(ui(w).Image11->Image(), preview);
}

// Each control that lies over another, clicked where a user would click it:
// only the control on top acts. Only the preview adds a photo.
TEST_F(Browse, ClicksOnControlsOverOthersDoOnlyWhatTheySay) {
    bitmap("a.jpg", coordinatePicture(1200, 900));
    showWindow();
    enter(dir.path());
    ASSERT_TRUE(ui(w).Image4->isVisible() && ui(w).Image5->isVisible());

    struct Case {
        const char* name;
        QWidget* control;
        QWidget* onTop; // what a click at the control's centre reaches
        int added;
        int started;
    };
    const Case cases[] = {
        {"rotate icon", ui(w).Image4, ui(w).Image4, 0, 0},
        {"viewer icon", ui(w).Image5, ui(w).Image5, 0, 1},
        {"count label", ui(w).Label1, ui(w).Label1, 0, 0},
        {"preview hint", ui(w).Label3, ui(w).Label3, 0, 0},
        {"select hint", ui(w).Label6, ui(w).Label6, 0, 0},
        {"grid hint", ui(w).Label5, ui(w).Label5, 0, 0},
        {"logo", ui(w).Image1, ui(w).Image1, 0, 0},
        {"preview label", ui(w).Label2, ui(w).Frame3, 0, 0},
        // The preview lies above its frame's hint: a click there is the preview's.
        {"picture hint", ui(w).Label4, ui(w).Image11, 1, 0},
        {"preview", ui(w).Image11, ui(w).Image11, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QPoint centre = c.control->mapTo(&w, c.control->rect().center());
        QWidget* hit = w.childAt(centre);
        ASSERT_EQ(hit, c.onTop);
        const int rowsBefore = ui(w).MSFlexGrid1->Rows();
        const int countBefore = ui(w).selection.count;
        const qsizetype startedBefore = shell.started.size();
        const QImage previewBefore = ui(w).Image11->Image();
        QTest::mouseClick(hit, Qt::LeftButton, {}, hit->mapFrom(&w, centre));
        EXPECT_EQ(ui(w).MSFlexGrid1->Rows(), rowsBefore + c.added);
        EXPECT_EQ(ui(w).selection.count, countBefore + c.added);
        EXPECT_EQ(shell.started.size(), startedBefore + c.started);
        // Only the rotate icon turns the preview.
        EXPECT_EQ(ui(w).Image11->Image() != previewBefore, c.control == ui(w).Image4);
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// A double click on the preview or one of its icons is one click: the
// controls have no double click of their own. Clicked as the platform
// delivers a double click: press, release, press, release.
TEST_F(Browse, ADoubleClickOnThePreviewOrItsIconsActsOnce) {
    bitmap("a.jpg", coordinatePicture(1200, 900));
    showWindow();
    enter(dir.path());
    const QImage upright = ui(w).Image11->Image();
    QTest::mouseClick(ui(w).Image4, Qt::LeftButton);
    const QImage turnedOnce = ui(w).Image11->Image();
    for (int turns = 1; turns < 4; ++turns)
        QTest::mouseClick(ui(w).Image4, Qt::LeftButton);
    ASSERT_EQ(ui(w).Image11->Image(), upright);

    const struct {
        const char* name;
        QWidget* control;
        int added;
        int started;
        bool turned;
    } cases[] = {
        {"preview", ui(w).Image11, 1, 0, false},
        {"viewer icon", ui(w).Image5, 0, 1, false},
        {"rotate icon", ui(w).Image4, 0, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int rowsBefore = ui(w).MSFlexGrid1->Rows();
        const qsizetype startedBefore = shell.started.size();
        const QImage before = ui(w).Image11->Image();
        QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, {},
                           c.control->mapTo(&w, c.control->rect().center()));
        EXPECT_EQ(ui(w).MSFlexGrid1->Rows(), rowsBefore + c.added);
        EXPECT_EQ(shell.started.size(), startedBefore + c.started);
        EXPECT_EQ(ui(w).Image11->Image(), c.turned ? turnedOnce : before);
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// The preview with the keyboard does what its clicks do: Enter adds, R and V
// as the icons, and nothing before there is a preview.
TEST_F(Browse, ThePreviewsKeysAreItsClicksAndItsIcons) {
    showWindow();
    ui(w).Image11->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_R, Qt::Key_V})
        QTest::keyClick(ui(w).Image11, key);
    EXPECT_EQ(ui(w).MSFlexGrid1->Rows(), 1);
    EXPECT_TRUE(shell.started.isEmpty());

    bitmap("a.jpg", coordinatePicture(1200, 900));
    enter(dir.path());
    QTest::mouseClick(ui(w).Image4, Qt::LeftButton);
    const QImage turnedOnce = ui(w).Image11->Image();
    for (int turns = 1; turns < 4; ++turns)
        QTest::mouseClick(ui(w).Image4, Qt::LeftButton);
    const QImage upright = ui(w).Image11->Image();
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int added;
        int started;
        const QImage& shown;
    } cases[] = {
        {Qt::Key_Return, {}, 1, 0, upright},   {Qt::Key_Enter, Qt::KeypadModifier, 1, 0, upright},
        {Qt::Key_V, {}, 0, 1, upright},        {Qt::Key_R, {}, 0, 0, turnedOnce},
        {Qt::Key_Space, {}, 0, 0, turnedOnce}, {Qt::Key_R, Qt::ControlModifier, 0, 0, turnedOnce},
    };
    for (const auto& c : cases) {
        ui(w).Image11->setFocus();
        const int rowsBefore = ui(w).MSFlexGrid1->Rows();
        const qsizetype startedBefore = shell.started.size();
        QTest::keyClick(ui(w).Image11, c.key, c.modifiers);
        EXPECT_EQ(ui(w).MSFlexGrid1->Rows(), rowsBefore + c.added) << c.key;
        EXPECT_EQ(shell.started.size(), startedBefore + c.started) << c.key;
        EXPECT_EQ(ui(w).Image11->Image(), c.shown) << c.key;
    }
    EXPECT_EQ(ui(w).selection.entries[2].file, path("a.jpg"));
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].argument, path("a.jpg"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// The preview with the keyboard shows a dotted mark inside its box; without
// it, the box shows its drawing alone.
TEST_F(Browse, ThePreviewWithTheKeyboardShowsItsMark) {
    bitmap("a.jpg", solid(1200, 900, qRgb(10, 20, 30)));
    showWindow();
    enter(dir.path());
    const auto shown = [this] {
        return ui(w).Image11->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    ui(w).File1->setFocus();
    ui(w).Image4->hide(); // the icons lie over the picture
    ui(w).Image5->hide();
    const QImage without = shown();
    EXPECT_EQ(without, ui(w).Image11->Image());
    ui(w).Image11->setFocus();
    const QImage with = shown();
    const struct {
        QPoint at;
        QRgb colour;
    } pixels[] = {
        {{1, 1}, qRgb(0, 0, 0)},           {{2, 1}, qRgb(255, 255, 255)},
        {{1, 41}, qRgb(245, 235, 225)},    {{1, 42}, qRgb(10, 20, 30)},
        {{0, 41}, qRgb(10, 20, 30)},       {{327, 327}, qRgb(0, 0, 0)},
        {{327, 201}, qRgb(245, 235, 225)}, {{327, 200}, qRgb(10, 20, 30)},
        {{328, 201}, qRgb(255, 255, 255)},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(with.pixel(p.at), p.colour) << p.at.x() << "," << p.at.y();
}

// The progress bar lies over the preview's bottom edge, where it is seen
// while a preview, a turn or a copy to a folder runs.
TEST_F(Browse, TheProgressBarLiesOverThePreview) {
    showWindow();
    ui(w).ProgressBar1->show();
    for (const QPoint at : {QPoint(424, 416), QPoint(480, 420), QPoint(536, 424)})
        EXPECT_EQ(w.childAt(at), ui(w).ProgressBar1) << at.x() << "," << at.y();
    ui(w).ProgressBar1->hide();
}

// While a slow photo decodes, the window shows the file chosen and the bar
// over the preview, painted then: what was on the screen when the bar went
// away again is looked at.
TEST_F(Browse, ASlowPreviewShowsTheChosenFileAndTheBarAsItDecodes) {
    // A real photo of 16 million pixels, progressive: the slowest to decode.
    const QString slow =
        QStringLiteral("/usr/share/backgrounds/seeding_by_Clements_Engelhardt.jpg");
    if (!QFile::exists(slow))
        GTEST_SKIP() << "no " << slow.toStdString();
    bitmap("a.jpg", solid(40, 30, qRgb(200, 0, 0)));
    bitmap("b.jpg", solid(40, 30, qRgb(0, 200, 0)));
    ASSERT_TRUE(QFile::link(slow, dir.filePath("z.jpg")));
    showWindow();
    enter(dir.path()); // a.jpg, and b.jpg read ahead: z.jpg is read when chosen

    struct LastPainted : QObject {
        QImage screen;
        QImage bar;
        QWidget* window = nullptr;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Hide && screen.isNull()) {
                screen = window->screen()->grabWindow(window->winId()).toImage();
                bar = static_cast<QWidget*>(watched)->grab().toImage();
            }
            return false;
        }
    } painted;
    painted.window = &w;
    ui(w).ProgressBar1->installEventFilter(&painted);
    QTest::keyClick(ui(w).File1, Qt::Key_End);
    ui(w).ProgressBar1->removeEventFilter(&painted);
    ASSERT_EQ(ui(w).current_file, path("z.jpg"));
    ASSERT_FALSE(painted.screen.isNull()) << "the bar was never shown";

    const QImage shown = painted.screen.convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.copy(QRect(424, 416, 113, 9)),
              painted.bar.convertToFormat(QImage::Format_RGB32))
        << "the bar as painted, over the preview";
    // The rows of a.jpg and z.jpg: white, and the design's highlight RGB(10,
    // 36, 106) tinted by the focus ring.
    const auto inRow = [&](int i) {
        const QRect row = ui(w).File1->visualItemRect(ui(w).File1->item(i));
        return shown.pixelColor(ui(w).File1->viewport()->mapTo(&w, row.topLeft() + QPoint(1, 6)));
    };
    EXPECT_EQ(inRow(0), QColor(Qt::white));
    EXPECT_LE(std::abs(inRow(2).red() - 10) + std::abs(inRow(2).green() - 36) +
                  std::abs(inRow(2).blue() - 106),
              12)
        << inRow(2).name().toStdString();
}

} // namespace

namespace {
// A file whose name holds these bytes, as an old medium may have written it.
void writeNamed(const QString& folder, const QByteArray& name, const QByteArray& bytes) {
    const QByteArray path = QFile::encodeName(folder) + '/' + name;
    FILE* out = std::fopen(path.constData(), "wb");
    ASSERT_NE(out, nullptr) << path.toStdString();
    EXPECT_EQ(std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), out),
              static_cast<std::size_t>(bytes.size()));
    std::fclose(out);
}
} // namespace

TEST_F(Browse, JpegsUnderEveryNameAreListedAndAnUnusableNameIsSaidSo) {
    const QImage red = solid(64, 48, qRgb(200, 10, 10));
    ASSERT_TRUE(writeJpeg(red, dir.filePath("a.jpg")));
    ASSERT_TRUE(writeJpeg(solid(48, 64, qRgb(10, 200, 10)), dir.filePath("b.jpeg")));
    ASSERT_TRUE(writeJpeg(solid(50, 50, qRgb(10, 10, 200)), dir.filePath("c.JPE")));
    ASSERT_TRUE(writeJpeg(red, dir.filePath("d.JPEG")));
    writeNamed(dir.path(), "caf\xe9.jpg", readFileBytes(dir.filePath("a.jpg")));
    writeNamed(dir.path(), "x.png", readFileBytes(dir.filePath("a.jpg")));
    writeNamed(dir.path(), "y.jpegs", readFileBytes(dir.filePath("a.jpg")));

    enter(dir.path());
    QStringList listed;
    for (int i = 0; i < ui(w).File1->count(); ++i)
        listed << ui(w).File1->item(i)->text();
    EXPECT_EQ(listed, (QStringList{"a.jpg", "b.jpeg", "c.JPE", QStringLiteral("caf\uFFFD.jpg"),
                                   "d.JPEG", "x.png"}));
    EXPECT_EQ(ui(w).Label1->text(), "Cantidad: 6");

    // Each of the other names previews and adds; a JPEG named .png too.
    for (int i : {1, 2, 4, 5}) {
        ui(w).File1->setListIndex(i);
        EXPECT_EQ(ui(w).current_file, path(listed[i]));
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ui(w).File1->setListIndex(1);
    const QImage before = ui(w).Image11->Image();

    // The name that no text leads back to: a message, and nothing changes.
    showWindow();
    const QPoint at = ui(w).File1->visualItemRect(ui(w).File1->item(3)).center();
    QTest::mouseDClick(ui(w).File1->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("The file \"caf\uFFFD.jpg\" in \"%1\" cannot be used: its name is "
                             "not valid UTF-8 text, as names written by older systems sometimes "
                             "are. Renaming the file fixes it.")
                  .arg(path(".")));
    EXPECT_EQ(ui(w).current_file, path("b.jpeg"));
    EXPECT_EQ(ui(w).Image11->Image(), before);
    EXPECT_EQ(ui(w).MSFlexGrid1->Rows(), 1) << "the double click added nothing";
}

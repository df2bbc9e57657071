#include "tests/support/window/windowfixture.h"

#include "platform/controls/dirlist.h"
#include "platform/controls/filelist.h"
#include "platform/controls/picturebox.h"
#include "selection/flows/gridorder.h"
#include "selection/flows/manyrows.h"
#include "selection/flows/ordercontroller.h"
#include "selection/flows/orderdrop.h"
#include "selection/order/gridrow.h"
#include "selection/order/orderrow.h"
#include "tests/support/filebytes.h"
#include "tests/support/qtprinters.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QSignalSpy>

namespace {

class ManyAtOnce : public WindowFixture {
protected:
    QStringList photos(int n) {
        QStringList paths;
        for (int i = 0; i < n; ++i)
            paths << solidPhoto(QStringLiteral("m%1.jpg").arg(i), qRgb(10 * i, 100, 200 - 10 * i));
        return paths;
    }

    // Drags urls onto a point of the window and drops them there, as the
    // platform delivers a drop from a file manager.
    bool drop(const QList<QUrl>& urls, QWidget* on) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at = on->mapTo(w.get(), on->rect().center());
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(w.get(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(w.get(), &move);
        if (!move.isAccepted())
            return false;
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(w.get(), &dropped);
        QCoreApplication::processEvents();
        return true;
    }

    QStringList gridFiles() {
        QStringList files;
        for (int row = 1; row < grid().Rows(); ++row)
            files << grid().TextMatrix(row, ColFile);
        return files;
    }
};

TEST_F(ManyAtOnce, AsManyAsFitAreAddedAndTheUnreadableAreNamedOnce) {
    const QStringList good = photos(3);
    const QString broken = file("broken.jpg");
    ASSERT_TRUE(writeFileBytes(broken, "not a picture"));
    OrderRows rows;
    for (int i = 0; i < 996; ++i)
        rows.append({good[0], "1", "10x15", {}, {}, {}});
    ui(w).order.replaceRows(rows, "opening a big order");

    ui(w).orderController.addPhotos({good[1], broken, good[2], good[0], good[1]});
    EXPECT_EQ(list().count, 998);
    EXPECT_EQ(grid().TextMatrix(997, ColFile), good[1]);
    EXPECT_EQ(grid().TextMatrix(998, ColFile), good[2]);
    expectInStep();
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].text,
              "The selection is full: 999 photos are the most it can hold, so 2 of the 5 photos "
              "were left out.");
    // The reason is the loader's own words.
    EXPECT_TRUE(dialogs.messages[1].text.startsWith(
        "These photos could not be read and were not added:\n\n" + broken + ": "))
        << dialogs.messages[1].text.toStdString();
    EXPECT_EQ(dialogs.messages[1].text.count('\n'), 2) << "one photo named";
    EXPECT_FALSE(ui(w).ProgressBar2->isVisible());
    EXPECT_FALSE(ui(w).Label7->isVisible());
}

TEST_F(ManyAtOnce, TheFileListsMenuAddsTheSelectedOrAllPhotosInListOrder) {
    const QStringList paths = photos(4);
    ui(w).Dir1->setPath(folder());
    const auto at = [&](int i) {
        return ui(w).File1->visualItemRect(ui(w).File1->item(i)).center();
    };
    QTest::mouseClick(ui(w).File1->viewport(), Qt::LeftButton, {}, at(3));
    QTest::mouseClick(ui(w).File1->viewport(), Qt::LeftButton, Qt::ControlModifier, at(1));
    EXPECT_EQ(ui(w).current_file, paths[1]) << "the file clicked last is previewed";
    const QStringList shown =
        chooseFromMenu(ui(w).File1->viewport(), at(1), "Add the 2 selected photos");
    EXPECT_EQ(shown, QStringList({"Add the 2 selected photos", "Add all 4 photos of this folder",
                                  "Light table"}));
    EXPECT_EQ(gridFiles(), QStringList({paths[1], paths[3]}));
    chooseFromMenu(ui(w).File1->viewport(), at(0), "Add all 4 photos of this folder");
    EXPECT_EQ(gridFiles(), QStringList({paths[1], paths[3]}) + paths);
    expectInStep();
    for (int row = 1; row <= 6; ++row)
        EXPECT_EQ(grid().CellPictureAt(row, ColPhoto).size(), QSize(40, 30));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ManyAtOnce, GridRowsArePickedWithoutTheEditorAndRemovedAndBroughtBackAsOneStep) {
    const QStringList paths = photos(5);
    ui(w).orderController.addPhotos(paths);
    QSignalSpy clicks(&grid(), &FlexGrid::Click);
    pickRow(2, Qt::ControlModifier);
    pickRow(4, Qt::ShiftModifier);
    EXPECT_EQ(clicks.count(), 0) << "picking rows opens no editor";
    EXPECT_EQ(grid().SelectedRows(), QList<int>({2, 3, 4}));
    press(&grid(), Qt::Key_Delete);
    EXPECT_EQ(gridFiles(), QStringList({paths[0], paths[4]}));
    expectInStep();
    EXPECT_TRUE(grid().SelectedRows().isEmpty());

    QStringList shown = chooseFromGridMenu(1, "");
    EXPECT_EQ(shown, QStringList({"Undo removing 3 rows", "(Redo)",
                                  "Change copies and size of the 1 selected row...",
                                  "Remove the 1 selected row", "Select all rows",
                                  "Find missing photos...", "Order summary...", "Light table"}));
    chooseFromGridMenu(1, "Undo removing 3 rows");
    EXPECT_EQ(gridFiles(), paths);
    expectInStep();
    for (int row = 1; row <= 5; ++row)
        EXPECT_EQ(grid().CellPictureAt(row, ColPhoto).pixel(0, 0),
                  qRgb(10 * (row - 1), 100, 200 - 10 * (row - 1)));
    shown = chooseFromGridMenu(1, "Select all rows");
    EXPECT_EQ(shown.value(1), "Redo removing 3 rows");
    EXPECT_EQ(grid().SelectedRows(), QList<int>({1, 2, 3, 4, 5}));
    press(ui(w).File1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(list().count, 0) << "then the add of five is undone";
    EXPECT_EQ(grid().Rows(), 1);
    EXPECT_EQ(ui(w).Frame4->title(), "0 Photos Selected") << "as before the first change";
}

TEST_F(ManyAtOnce, PhotosAndFoldersDroppedOnTheGridOrPreviewAreAddedOthersNamed) {
    const QStringList paths = photos(2);
    QDir(folder()).mkpath("sub/deeper");
    const QString inSub = solidPhoto("sub/c.JPEG", qRgb(1, 2, 3));
    solidPhoto("sub/deeper/d.jpg", qRgb(4, 5, 6));
    const QString text = file("notes.txt");
    ASSERT_TRUE(writeFileBytes(text, "x"));

    EXPECT_FALSE(drop({QUrl::fromLocalFile(paths[0])}, ui(w).File1)) << "not on the file list";
    ASSERT_TRUE(drop({QUrl::fromLocalFile(paths[1]), QUrl::fromLocalFile(text),
                      QUrl::fromLocalFile(file("sub"))},
                     ui(w).MSFlexGrid1));
    const QString inDeeper = file("sub/deeper/d.jpg");
    EXPECT_EQ(gridFiles(), QStringList({paths[1], inSub, inDeeper})) << "a folder with its tree";
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text,
              "These files are not photos and were not added:\n\n" + text);
    ASSERT_TRUE(drop({QUrl::fromLocalFile(paths[0])}, ui(w).Image11));
    EXPECT_EQ(gridFiles(), QStringList({paths[1], inSub, inDeeper, paths[0]}));
    expectInStep();
}

// Month folders as a phone's export leaves them, a hidden one and a link back
// to the top; the walk's own test has unreadable folders.
class TreeAtOnce : public ManyAtOnce {
protected:
    QStringList months;
    const QString leftOut = "Left out, with the photos in them: 1 hidden folder.";

    void SetUp() override {
        ManyAtOnce::SetUp();
        for (const char* name :
             {"top/b.jpg", "top/A.jpg", "top/2021-02/x.jpg", "top/2021-02/inner/y.JPG",
              "top/2021-10/z.jpeg", "top/.cache/h.jpg"}) {
            QDir(folder()).mkpath(QFileInfo(file(name)).path());
            solidPhoto(name, qRgb(static_cast<int>(months.size()) * 30, 0, 0));
            months << file(name);
        }
        ASSERT_TRUE(QFile::link(file("top"), file("top/2021-10/back")));
    }
    QStringList expectedRows() const {
        return {months[1], months[0], months[2], months[3], months[4]};
    }
};

TEST_F(TreeAtOnce, TheFileListsMenuAddsTheWholeTreeAsOneStep) {
    ui(w).Dir1->setPath(file("top"));
    const QPoint first = ui(w).File1->visualItemRect(ui(w).File1->item(0)).center();
    const QString text = "Add all 5 photos of this folder and its subfolders";
    const QStringList shown = chooseFromMenu(ui(w).File1->viewport(), first, text);
    EXPECT_EQ(shown, QStringList({"Add the 1 selected photo", "Add all 2 photos of this folder",
                                  text, "Light table"}));
    EXPECT_EQ(gridFiles(), expectedRows());
    EXPECT_EQ(messageTexts(), QStringList({leftOut}));
    expectInStep();
    press(ui(w).File1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(list().count, 0) << "one undo takes the whole tree back";
    EXPECT_EQ(grid().Rows(), 1);
}

TEST_F(TreeAtOnce, ADroppedTreeStopsAtEscKeepingTheRowsAddedAsOneStep) {
    ui(w).orderController.addPhotos({months[4]});
    // Esc comes while the third photo of the tree is added.
    QObject scope;
    QObject::connect(&ui(w).orderController, &OrderController::progress, &scope, [&](int step) {
        if (step == 3)
            QTest::keyClick(ui(w).File1, Qt::Key_Escape);
    });
    ASSERT_TRUE(drop({QUrl::fromLocalFile(file("top"))}, ui(w).Image11));
    EXPECT_EQ(gridFiles(), QStringList({months[4]}) + expectedRows().mid(0, 3));
    EXPECT_EQ(messageTexts(), QStringList({leftOut}));
    expectInStep();
    press(ui(w).File1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(gridFiles(), QStringList({months[4]}));
    // Esc over, keys and shortcuts reach the window again.
    press(ui(w).File1, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(list().count, 4);
}

TEST_F(ManyAtOnce, AProjectDroppedAnywhereOpensAfterTheQuestion) {
    const QStringList paths = photos(2);
    ui(w).orderController.addPhotos({paths[0]});
    const QString project = file("order.mvl");
    ASSERT_TRUE(writeFileBytes(project, " 1 \r\n" + paths[1].toUtf8() + "\r\n3\r\n13x18\r\n"));
    dialogs.answerMessage(MessageResult::Cancel);
    ASSERT_TRUE(drop({QUrl::fromLocalFile(project)}, ui(w).File1));
    EXPECT_EQ(gridFiles(), QStringList({paths[0]})) << "Cancel keeps the order";
    dialogs.answerMessage(MessageResult::No);
    ASSERT_TRUE(drop({QUrl::fromLocalFile(project)}, ui(w).Image11));
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[1].text, "Do you want to save actual proyect ?");
    EXPECT_EQ(gridFiles(), QStringList({paths[1]}));
    EXPECT_EQ(grid().TextMatrix(1, ColCopies), "3");
    expectInStep();
    press(ui(w).File1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(gridFiles(), QStringList({paths[0]})) << "undo goes back to the order before";
}

TEST(DroppedFiles, AreSortedIntoTheProjectThePhotosAndTheRest) {
    QTemporaryDir dir;
    const auto url = [&](const char* name) { return QUrl::fromLocalFile(dir.filePath(name)); };
    QDir(dir.path()).mkpath("f");
    for (const char* name : {"f/b.jpg", "f/A.JPG", "f/.hidden.jpg", "f/c.png", "x.jpeg"})
        ASSERT_TRUE(writeFileBytes(dir.filePath(name), "x"));
    const DroppedFiles d =
        sortDroppedFiles({url("x.jpeg"), url("f"), url("one.MVL"), url("two.mvl"), url("y.txt"),
                          QUrl("https://example.invalid/a.jpg")});
    EXPECT_EQ(d.project, dir.filePath("one.MVL"));
    EXPECT_EQ(d.photos, QStringList({dir.filePath("x.jpeg"), dir.filePath("f/A.JPG"),
                                     dir.filePath("f/b.jpg"), dir.filePath("f/c.png")}));
    EXPECT_EQ(d.others, QStringList({dir.filePath("two.mvl"), dir.filePath("y.txt"),
                                     "https://example.invalid/a.jpg"}));
}

// A drop takes every photo the file list shows, .jpe too, and the other kinds
// of photo, and no other file.
TEST(DroppedFiles, TakeWhatTheFileListShows) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("f");
    const struct {
        const char* name;
        bool photo;
    } names[] = {{"a.jpg", true},     {"b.JPG", true},      {"c.jpeg", true},   {"d.JPEG", true},
                 {"e.jpe", true},     {"f.JPE", true},      {"g.Jpe", true},    {"h.jpegs", false},
                 {"i.png", true},     {"j.jpe.txt", false}, {"k.jp", false},    {"l.HEIC", true},
                 {"m.heif", true},    {"n.Hif", true},      {"o.avif", true},   {"p.WebP", true},
                 {"q.tif", true},     {"r.TIFF", true},     {"s.heics", false}, {"t.gif", false},
                 {"u.png.txt", false}};
    QStringList inFolder;
    for (const auto& n : names) {
        const QString name = QString::fromLatin1(n.name);
        ASSERT_TRUE(writeFileBytes(dir.filePath(name), "x"));
        ASSERT_TRUE(writeFileBytes(dir.filePath("f/" + name), "x"));
        const QList<QUrl> dropped{QUrl::fromLocalFile(dir.filePath(name))};
        EXPECT_EQ(sortDroppedFiles(dropped).photos.size(), n.photo ? 1 : 0) << n.name;
        EXPECT_EQ(acceptsDrop(dropped, true), n.photo) << n.name;
        if (n.photo)
            inFolder << dir.filePath("f/" + name);
    }
    EXPECT_EQ(sortDroppedFiles({QUrl::fromLocalFile(dir.filePath("f"))}).photos, inFolder);

    ScriptedDialogs dialogs;
    RecordingShell shell;
    MainWindow w({dialogs, shell, QUrl()});
    ui(w).File1->setPath(dir.filePath("f"));
    EXPECT_EQ(ui(w).File1->FileNames(),
              (QStringList{"a.jpg", "b.JPG", "c.jpeg", "d.JPEG", "e.jpe", "f.JPE", "g.Jpe", "i.png",
                           "l.HEIC", "m.heif", "n.Hif", "o.avif", "p.WebP", "q.tif", "r.TIFF"}));
}

} // namespace

namespace {

using ManyRealPhotos = ManyAtOnce;

TEST_F(ManyRealPhotos, CtrlAAndEnterGiveEachPhotoTheThumbnailAddingItAloneGives) {
    const QString wallpapers = QStringLiteral("/usr/share/backgrounds");
    if (QDir(wallpapers).entryList({"*.jpg"}, QDir::Files).size() < 3)
        GTEST_SKIP() << "no photographs in " << wallpapers.toStdString();
    ui(w).Dir1->setPath(wallpapers);
    const int files = ui(w).File1->ListCount();
    press(ui(w).File1, Qt::Key_A, Qt::ControlModifier);
    press(ui(w).File1, Qt::Key_Return);
    ASSERT_EQ(list().count, files);
    expectInStep();
    EXPECT_TRUE(dialogs.messages.isEmpty());
    for (int i = 0; i < 3; ++i) {
        const auto at = ui(w).File1->visualItemRect(ui(w).File1->item(i)).center();
        QTest::mouseClick(ui(w).File1->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(ui(w).File1->viewport(), Qt::LeftButton, {}, at);
        const int alone = grid().Rows() - 1;
        ASSERT_EQ(grid().TextMatrix(alone, ColFile), grid().TextMatrix(i + 1, ColFile));
        EXPECT_EQ(grid().CellPictureAt(alone, ColPhoto).convertToFormat(QImage::Format_RGB32),
                  grid().CellPictureAt(i + 1, ColPhoto).convertToFormat(QImage::Format_RGB32))
            << grid().TextMatrix(alone, ColFile).toStdString();
    }
}

} // namespace

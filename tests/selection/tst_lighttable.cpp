#include "tests/support/window/windowfixture.h"

#include "platform/controls/dirlist.h"
#include "platform/controls/filelist.h"
#include "selection/flows/orderactions.h"
#include "selection/lighttable/largephoto.h"
#include "selection/lighttable/lighttable.h"
#include "selection/lighttable/tablepictures.h"
#include "selection/order/gridrow.h"
#include "tests/support/jpegmaker.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QHelpEvent>
#include <QListView>
#include <QMimeData>
#include <QPointer>
#include <QSlider>
#include <QToolTip>

#include <cmath>

#include <turbojpeg.h>

namespace {

// The library's own reduced decode at eighths/8, through its other API.
QImage turboScaled(const QByteArray& jpeg, int eighths) {
    tjhandle handle = tjInitDecompress();
    const auto* data = reinterpret_cast<const unsigned char*>(jpeg.constData());
    const auto size = static_cast<unsigned long>(jpeg.size());
    int width = 0, height = 0, sampling = 0, colours = 0;
    QImage out;
    if (tjDecompressHeader3(handle, data, size, &width, &height, &sampling, &colours) == 0) {
        const tjscalingfactor factor{eighths, 8};
        out = QImage(TJSCALED(width, factor), TJSCALED(height, factor), QImage::Format_RGB32);
        if (tjDecompress2(handle, data, size, out.bits(), out.width(),
                          static_cast<int>(out.bytesPerLine()), out.height(), TJPF_BGRX, 0) != 0)
            out = QImage();
    }
    tjDestroy(handle);
    return out;
}

// Area average in doubles, pixel by pixel: each result pixel the mean of the
// source over its rectangle, edge pixels by the share they lie in it.
QImage boxMean(const QImage& src, QSize to) {
    QImage out(to, QImage::Format_RGB32);
    const double sx = double(src.width()) / to.width(), sy = double(src.height()) / to.height();
    for (int y = 0; y < to.height(); ++y)
        for (int x = 0; x < to.width(); ++x) {
            double sum[3] = {};
            for (int j = int(y * sy); j < (y + 1) * sy; ++j)
                for (int i = int(x * sx); i < (x + 1) * sx; ++i) {
                    const double share =
                        (std::min((x + 1) * sx, i + 1.0) - std::max(x * sx, 1.0 * i)) *
                        (std::min((y + 1) * sy, j + 1.0) - std::max(y * sy, 1.0 * j));
                    const QRgb p = src.pixel(i, j);
                    sum[0] += share * qRed(p);
                    sum[1] += share * qGreen(p);
                    sum[2] += share * qBlue(p);
                }
            const double area = sx * sy;
            out.setPixel(x, y,
                         qRgb(int(std::lround(sum[0] / area)), int(std::lround(sum[1] / area)),
                              int(std::lround(sum[2] / area))));
        }
    return out;
}

int largestDifference(const QImage& got, const QImage& want) {
    int most = 0;
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x) {
            const QRgb a = got.pixel(x, y), b = want.pixel(x, y);
            most = std::max({most, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                             std::abs(qBlue(a) - qBlue(b))});
        }
    return most;
}

class LightTableTest : public WindowFixture {
protected:
    LightTable& openTable() {
        press(w.get(), Qt::Key_F2);
        LightTable* table = ui(w).lightTable;
        EXPECT_TRUE(table && table->isVisible());
        // The offscreen screen is small: room for two columns a pane.
        table->resize(900, 600);
        // Offscreen, a window is made active as it is shown, a little later.
        EXPECT_TRUE(QTest::qWaitFor([table] { return table->isActiveWindow(); }));
        return *table;
    }
    QStringList photos(int n) {
        QStringList paths;
        for (int i = 0; i < n; ++i)
            paths << jpegPhoto(QStringLiteral("p%1.jpg").arg(i), i * 40);
        ui(w).Dir1->setPath(folder());
        return paths;
    }
    static QPoint centre(QListView& pane, int row) {
        return pane.visualRect(pane.model()->index(row, pane.modelColumn())).center();
    }
    static void clickItem(QListView& pane, int row, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(pane.viewport(), Qt::LeftButton, keys, centre(pane, row));
    }
    QStringList gridFiles() {
        QStringList files;
        for (int row = 1; row < grid().Rows(); ++row)
            files << grid().TextMatrix(row, ColFile);
        return files;
    }
    // Every photo of the folder made at the size the window shows.
    static void waitForPictures(LightTable& table) {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                for (int row = 0; row < table.folderPane().model()->rowCount(); ++row)
                    if (!table.pictures().picture(table.folderPhoto(row)).current)
                        return false;
                return true;
            },
            20000));
    }
};

TEST_F(LightTableTest, F2OpensItAndTheFolderPaneFollowsTheMainWindow) {
    LightTable& table = openTable();
    EXPECT_EQ(table.folderPane().model()->rowCount(), 0);
    const QStringList paths = photos(3);
    EXPECT_EQ(table.folderPane().model()->rowCount(), 3);
    EXPECT_EQ(table.folderPhoto(2), paths[2]);
    EXPECT_EQ(table.sizeSlider().value(), 160);
    EXPECT_EQ(table.folderPane().accessibleName(), "Photos of the folder");
    EXPECT_EQ(table.orderPane().accessibleName(), "Rows of the order");
    // Ctrl+wheel sizes the pictures, a notch a step of 8.
    QWheelEvent wheel(QPointF(10, 10), table.mapToGlobal(QPointF(10, 10)), {}, QPoint(0, 240),
                      Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(table.folderPane().viewport(), &wheel);
    EXPECT_EQ(table.sizeSlider().value(), 176);
}

TEST_F(LightTableTest, TheSwitchShowsTheSubfoldersTooInTheTreesOrder) {
    ASSERT_TRUE(QDir(folder()).mkpath("b/deep") && QDir(folder()).mkpath("a") &&
                QDir(folder()).mkpath(".hidden"));
    for (const char* name : {"z.jpg", "b/deep/d.jpg", "b/c.jpg", "a/e.jpg", ".hidden/h.jpg"})
        jpegPhoto(name);
    ui(w).Dir1->setPath(folder());
    LightTable& table = openTable();
    QListView& pane = table.folderPane();
    EXPECT_EQ(table.subfoldersBox().accessibleName(), "Include the subfolders");
    const auto names = [&] {
        EXPECT_TRUE(QTest::qWaitFor([&] { return !table.walking(); }));
        QStringList shown;
        for (int row = 0; row < pane.model()->rowCount(); ++row)
            shown << pane.model()->index(row, 0).data().toString() + " " + table.folderPhoto(row);
        return shown;
    };
    // A button's key clicks it a moment later, as a click shows.
    const auto toggle = [&] {
        const bool was = table.subfoldersBox().isChecked();
        QTest::keyClick(&table, Qt::Key_I, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return table.subfoldersBox().isChecked() != was; }));
    };
    const QString root = folder() + "/";
    const struct {
        const char* step;
        QStringList shown;
    } cases[] = {
        {"Alt+I",
         {"z.jpg " + root + "z.jpg", "a/e.jpg " + root + "a/e.jpg", "b/c.jpg " + root + "b/c.jpg",
          "b/deep/d.jpg " + root + "b/deep/d.jpg"}},
        {"into b", {"c.jpg " + root + "b/c.jpg", "deep/d.jpg " + root + "b/deep/d.jpg"}},
        {"Alt+I", {"c.jpg " + root + "b/c.jpg"}},
    };
    for (const auto& c : cases) {
        if (QByteArray(c.step) == "into b") {
            ui(w).Dir1->setPath(root + "b");
            QCoreApplication::processEvents(); // followed once listed
        } else
            toggle();
        EXPECT_EQ(names(), c.shown) << c.step;
    }
    // Photos of a subfolder are added as the folder's are.
    toggle();
    names();
    clickItem(pane, 1);
    QTest::keyClick(&pane, Qt::Key_Return);
    EXPECT_EQ(gridFiles(), QStringList({root + "b/deep/d.jpg"}));
    EXPECT_EQ(table.rowsOf(root + "b/deep/d.jpg"), 1);
}

TEST_F(LightTableTest, PicturesJustOutsideTheViewComeBeforeTheRest) {
    photos(40);
    LightTable& table = openTable();
    QListView& pane = table.folderPane();
    const auto place = [&](int row) { return table.ahead().indexOf(table.folderPhoto(row)); };
    EXPECT_EQ(table.ahead().size(), 40);
    // Two a line, 200 high in a view 532 high: lines 3 to 5 lie just below.
    EXPECT_LT(place(8), place(39));
    pane.scrollToBottom();
    EXPECT_LT(place(30), place(0));
}

TEST_F(LightTableTest, TheKeptPicturesAreBoundedAndTheNearestAskedStay) {
    QStringList paths;
    for (int i = 0; i < 8; ++i)
        paths << jpegPhoto(QStringLiteral("k%1.jpg").arg(i), i * 30);
    // Pictures of 40 x 30, 4,800 bytes each; asked for as if square (6,400):
    // three at a time, and four kept.
    TablePictures pictures(nullptr, 19200);
    pictures.setLongSide(40);
    const struct {
        QList<int> asked;
        int kept;
        QList<int> held;
    } cases[] = {
        {{0, 1, 2, 3, 4, 5, 6, 7}, 3, {0, 1, 2}},
        // Scrolled to the end: the last three made, one of the first left.
        {{7, 6, 5, 4, 3, 2, 1, 0}, 4, {7, 6, 5}},
    };
    for (const auto& c : cases) {
        QStringList asked;
        for (int i : c.asked)
            asked << paths[i];
        pictures.askAhead(asked);
        EXPECT_TRUE(QTest::qWaitFor([&] { return pictures.pending() == 0; }));
        EXPECT_EQ(pictures.kept(), c.kept);
        EXPECT_EQ(pictures.keptBytes(), c.kept * 4800);
        for (int i : c.held)
            EXPECT_TRUE(pictures.holds(paths[i])) << i;
        EXPECT_FALSE(pictures.holds(paths[3]));
    }
}

TEST_F(LightTableTest, ClosingTheMainWindowClosesIt) {
    const QPointer<LightTable> table = &openTable();
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(table && table->isVisible()) << "it would keep the program running";
}

TEST_F(LightTableTest, BothMenusOfferIt) {
    const QStringList paths = photos(1);
    fill({{paths[0], "1", "10x15"}});
    const QStringList gridEntries = chooseFromGridMenu(1, "Light table");
    EXPECT_EQ(gridEntries.last(), "Light table");
    ASSERT_TRUE(ui(w).lightTable);
    ui(w).lightTable->close();
    QCoreApplication::processEvents();
    const QPoint first = ui(w).File1->visualItemRect(ui(w).File1->item(0)).center();
    EXPECT_EQ(chooseFromMenu(ui(w).File1->viewport(), first, "Light table").last(), "Light table");
    EXPECT_TRUE(ui(w).lightTable && ui(w).lightTable->isVisible());
}

TEST_F(LightTableTest, EnterAndDoubleClickAddTheChosenPhotosAsOneStepEach) {
    const QStringList paths = photos(4);
    LightTable& table = openTable();
    QListView& folderPane = table.folderPane();
    clickItem(folderPane, 0);
    clickItem(folderPane, 2, Qt::ControlModifier);
    QTest::keyClick(&folderPane, Qt::Key_Return);
    EXPECT_EQ(gridFiles(), QStringList({paths[0], paths[2]}));
    expectInStep();
    EXPECT_EQ(ui(w).order.undoStack().count(), 1);
    EXPECT_EQ(table.rowsOf(paths[0]), 1);
    // As the platform delivers a double click: a click, then the second press.
    clickItem(folderPane, 0);
    QTest::mouseDClick(folderPane.viewport(), Qt::LeftButton, {}, centre(folderPane, 0));
    EXPECT_EQ(gridFiles(), QStringList({paths[0], paths[2], paths[0]}));
    EXPECT_EQ(table.rowsOf(paths[0]), 2);
    EXPECT_EQ(table.orderPane().model()->rowCount(), 3);
    QTest::keyClick(&table, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&table, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(gridFiles().isEmpty());
    EXPECT_EQ(list().count, 0);
    EXPECT_EQ(table.rowsOf(paths[0]), 0);
}

TEST_F(LightTableTest, DeleteRemovesThePickedRowsAndTheGridFollowsThePane) {
    const QStringList paths = photos(4);
    ui(w).orderController.addPhotos(paths);
    LightTable& table = openTable();
    QListView& orderPane = table.orderPane();
    clickItem(orderPane, 1);
    EXPECT_EQ(grid().Row(), 2);
    EXPECT_EQ(grid().SelectedRows(), QList<int>({2}));
    clickItem(orderPane, 3, Qt::ShiftModifier);
    EXPECT_EQ(grid().SelectedRows(), QList<int>({2, 3, 4}));
    QTest::keyClick(&orderPane, Qt::Key_Delete);
    EXPECT_EQ(gridFiles(), QStringList({paths[0]}));
    expectInStep();
    QTest::keyClick(&table, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(gridFiles(), paths);
    expectInStep();

    // A row picked in the grid is picked in the pane.
    pickRow(3, Qt::ControlModifier);
    QList<int> picked;
    for (const QModelIndex& index : orderPane.selectionModel()->selectedIndexes())
        picked << index.row();
    EXPECT_EQ(picked, QList<int>({2}));
}

// Drags end as the platform delivers them: enter, move, drop on the viewport.
void dropOn(QListView& pane, QMimeData* data, QPoint at) {
    const std::unique_ptr<QMimeData> owned(data);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(pane.viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(pane.viewport(), &move);
    ASSERT_TRUE(move.isAccepted());
    QDropEvent dropped(at, move.dropAction(), data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(pane.viewport(), &dropped);
    QCoreApplication::processEvents();
}

TEST_F(LightTableTest, DraggingAddsPhotosAndReordersRowsOneStepEach) {
    const QStringList paths = photos(4);
    ui(w).orderController.addPhotos({paths[0], paths[1]});
    LightTable& table = openTable();
    clickItem(table.folderPane(), 2);
    clickItem(table.folderPane(), 3, Qt::ControlModifier);
    QListView& orderPane = table.orderPane();
    dropOn(orderPane, table.dragOf(table.folderPane()),
           {orderPane.width() - 5, orderPane.height() - 5});
    EXPECT_EQ(gridFiles(), paths);
    expectInStep();
    // Rows 3 and 4 dropped on the left half of row 1: before it.
    clickItem(orderPane, 2);
    clickItem(orderPane, 3, Qt::ControlModifier);
    const QRect first = orderPane.visualRect(orderPane.model()->index(0, ColFile));
    dropOn(orderPane, table.dragOf(orderPane), first.topLeft() + QPoint(10, 10));
    EXPECT_EQ(gridFiles(), QStringList({paths[2], paths[3], paths[0], paths[1]}));
    EXPECT_EQ(list().entries[1].file, paths[2]);
    expectInStep();
    EXPECT_EQ(ui(w).order.undoStack().undoText(), "moving 2 rows");
    QTest::keyClick(&table, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(gridFiles(), paths);
    expectInStep();
}

TEST_F(LightTableTest, SpaceShowsThePhotoLargeTheArrowsStepEscGoesBack) {
    const QStringList paths = photos(3);
    ui(w).orderController.addPhotos(paths);
    LightTable& table = openTable();
    QListView& orderPane = table.orderPane();
    clickItem(orderPane, 1);
    QTest::keyClick(&orderPane, Qt::Key_Space);
    LargePhoto& large = table.largePhoto();
    ASSERT_TRUE(large.isVisible());
    EXPECT_FALSE(orderPane.isVisible());
    EXPECT_EQ(large.path(), paths[1]);
    // Decoded on a worker, the small picture standing in meanwhile.
    EXPECT_TRUE(large.making());
    EXPECT_TRUE(large.picture().isNull());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !large.making(); }));
    // The 80 x 60 photo is never enlarged.
    EXPECT_EQ(large.picture().size(), QSize(80, 60));
    QTest::keyClick(&large, Qt::Key_Right);
    QTest::keyClick(&large, Qt::Key_Right);
    EXPECT_EQ(large.path(), paths[2]) << "no step past the last";
    EXPECT_EQ(grid().Row(), 3);
    QTest::keyClick(&large, Qt::Key_Left);
    EXPECT_EQ(large.path(), paths[1]);
    QTest::keyClick(&large, Qt::Key_Escape);
    EXPECT_TRUE(orderPane.isVisible());
    EXPECT_FALSE(large.isVisible());
    EXPECT_EQ(orderPane.currentIndex().row(), 1);
}

TEST_F(LightTableTest, TheOrderPaneMarksRowsToLookAt) {
    const QStringList paths = photos(2);
    const QString same = file("same.jpg");
    ASSERT_TRUE(QFile::copy(paths[1], same));
    ui(w).orderController.addPhotos({paths[0], paths[1], paths[1], same});
    ASSERT_TRUE(QFile::remove(paths[0]));
    LightTable& table = openTable();
    const struct {
        int row;
        QStringList lines;
    } cases[] = {
        {0, {"p0.jpg", "1 x 10x15", "Fill the paper", "Look: the photo is missing"}},
        // 80 pixels over 15 cm: 13.5 ppi, shown by its whole part.
        {1,
         {"p1.jpg", "1 x 10x15", "Fill the paper",
          "Look: prints low at 10x15 (13 ppi); twice in the order; identical to row 4"}},
        {3,
         {"same.jpg", "1 x 10x15", "Fill the paper",
          "Look: prints low at 10x15 (13 ppi); identical to rows 2 and 3"}},
    };
    // The files are compared on a worker.
    EXPECT_TRUE(QTest::qWaitFor([&] { return table.orderLines(3).last().contains("identical"); }));
    for (const auto& c : cases)
        EXPECT_EQ(table.orderLines(c.row), c.lines) << c.row;
}

TEST_F(LightTableTest, AnUnreadablePhotoSaysWhyInItsTip) {
    const QString bad = file("bad.jpg");
    ASSERT_TRUE(put(bad, QByteArray("\xFF\xD8\xFF\xE0 not a picture", 18)));
    ui(w).Dir1->setPath(folder());
    LightTable& table = openTable();
    waitForPictures(table);
    QListView& pane = table.folderPane();
    QHelpEvent help(QEvent::ToolTip, centre(pane, 0),
                    pane.viewport()->mapToGlobal(centre(pane, 0)));
    QCoreApplication::sendEvent(pane.viewport(), &help);
    EXPECT_TRUE(
        QToolTip::text().startsWith(bad + "\nCannot be read: it is not a readable JPEG picture ("))
        << QToolTip::text().toStdString();
}

// At 1x and 2x device pixels: pictures at 160 and 320 device pixels.
TEST_F(LightTableTest, PicturesAreTheLibrarysReducedDecodeAveragedDownDrawnOneToOne) {
    const QImage pattern = patternPicture(1200, 800, [](int x, int y) {
        return qRgb((x * 7) % 256, (y * 5) % 256, ((x ^ y) & 1) * 255);
    });
    struct Case {
        QString path;
        QByteArray bytes;
        int eighths1x, eighths2x;
        QSize size1x, size2x;
    };
    QList<Case> cases{{file("stripes.jpg"), encodeJpeg(pattern, {}), 2, 3, {160, 107}, {320, 213}}};
    const QString real = QStringLiteral("/usr/share/backgrounds/Dragonfly_by_Bolly.jpg");
    if (QFile::exists(real)) // 4224 x 3168
        cases.append({file("dragonfly.jpg"), readFileBytes(real), 1, 1, {160, 120}, {320, 240}});
    for (const Case& c : cases)
        ASSERT_TRUE(put(c.path, c.bytes));
    ui(w).Dir1->setPath(folder());
    LightTable& table = openTable();
    waitForPictures(table);
    QListView& pane = table.folderPane();
    const qreal ratio = pane.devicePixelRatioF();
    ASSERT_TRUE(ratio == 1 || ratio == 2) << ratio;
    const QImage shown = pane.viewport()->grab().toImage();
    for (int row = 0; row < pane.model()->rowCount(); ++row) {
        const Case& c = *std::find_if(cases.begin(), cases.end(), [&](const Case& k) {
            return k.path == table.folderPhoto(row);
        });
        const QSize size = ratio == 2 ? c.size2x : c.size1x;
        const QImage want =
            boxMean(turboScaled(c.bytes, ratio == 2 ? c.eighths2x : c.eighths1x), size);
        // The frame, 160 wide, 6 below the item's top, centred across it.
        const QRect item = pane.visualRect(pane.model()->index(row, 0));
        const int side = int(160 * ratio);
        const QPoint at(int((item.left() + (item.width() - 160) / 2) * ratio) +
                            (side - size.width()) / 2,
                        int((item.top() + 6) * ratio) + (side - size.height()) / 2);
        EXPECT_LE(largestDifference(shown.copy(QRect(at, size)), want), 1) << c.path.toStdString();
    }
}

} // namespace

#include "platform/controls/flexgrid.h"
#include "platform/controls/gridgeometry.h"
#include "platform/controls/gridtextwrap.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Appends a data row the way a photo is added: 500 twips high, current.
void addRow(FlexGrid& grid, const QString& path) {
    grid.setRows(grid.Rows() + 1);
    grid.setRow(grid.Rows() - 1);
    grid.setRowHeight(grid.Row(), 500);
    grid.setCol(1);
    grid.setText(path);
    grid.setCol(2);
    grid.setText(QStringLiteral("1"));
    grid.setCol(3);
    grid.setText(QStringLiteral("10x15"));
    grid.setCol(4);
    grid.setText(path);
}

QString rowPath(int i) {
    return QStringLiteral("/photos/p%1.jpg").arg(i);
}

// The selection grid as the main window sets it up (five columns, the header
// row, the hidden path column 1 twip wide), with dataRows photos added.
void setUpSelectionGrid(FlexGrid& grid, int dataRows = 0) {
    grid.Clear();
    grid.setCols(5);
    grid.setRows(1);
    const int widths[] = {600, 1300, 700, 700, 1};
    for (int col = 0; col < 5; ++col)
        grid.setColWidth(col, widths[col]);
    const char* headers[] = {"Photo", "File", "Copies", "Size", ""};
    for (int col = 0; col < 5; ++col)
        grid.setTextMatrix(0, col, QString::fromLatin1(headers[col]));
    for (int i = 1; i <= dataRows; ++i)
        addRow(grid, rowPath(i));
}

// The grid at its designed size, shown (off screen) so its viewport is laid out.
struct ShownGrid {
    FlexGrid grid;
    explicit ShownGrid(int dataRows) {
        setUpSelectionGrid(grid, dataRows);
        grid.resize(241, 297);
        grid.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&grid));
        // The designed looks are those without the keyboard's mark.
        grid.clearFocus();
    }
};

void leftClick(FlexGrid& grid, int x, int y) {
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(x, y));
}

int sixPixelsPerCharacter(const QString& text) {
    return 6 * int(text.size());
}

} // namespace

// --- layout arithmetic ---------------------------------------------------

TEST(GridGeometry, TwipsBecomeWholePixelsAndOneTwipTakesNone) {
    EXPECT_EQ(gridPixels(1), 0);
    EXPECT_EQ(gridPixels(14), 0);
    EXPECT_EQ(gridPixels(15), 1);
    EXPECT_EQ(gridPixels(240), 16);
    EXPECT_EQ(gridPixels(500), 33);
    EXPECT_EQ(gridPixels(600), 40);
    EXPECT_EQ(gridPixels(1300), 86);
    EXPECT_EQ(gridPixels(700), 46);
    EXPECT_EQ(gridPixels(-15), 0);
}

TEST(GridGeometry, ColumnPositionsAndHitsSkipTheEmptyColumn) {
    const QVector<int> cols{40, 86, 46, 46, 0};
    EXPECT_EQ(trackStart(cols, 0), 0);
    EXPECT_EQ(trackStart(cols, 1), 40);
    EXPECT_EQ(trackStart(cols, 4), 218);
    EXPECT_EQ(trackTotal(cols), 218);
    EXPECT_EQ(trackAt(cols, 0), 0);
    EXPECT_EQ(trackAt(cols, 39), 0);
    EXPECT_EQ(trackAt(cols, 40), 1);
    EXPECT_EQ(trackAt(cols, 217), 3);
    EXPECT_EQ(trackAt(cols, 218), -1);
    EXPECT_EQ(trackAt(cols, -1), -1);
}

TEST(GridGeometry, HitTestKeepsTheHeaderFixedAndScrollsTheData) {
    const QVector<int> rows{16, 33, 33, 33};
    const QVector<int> cols{40, 86};
    const QPoint scroll(0, 20);
    auto hit = [&](int x, int y) { return gridHitTest(rows, cols, 1, scroll, QPoint(x, y)); };
    EXPECT_EQ(hit(5, 5).row, 0);
    EXPECT_EQ(hit(5, 15).row, 0);
    EXPECT_EQ(hit(5, 16).row, 1); // content y 36
    EXPECT_EQ(hit(5, 29).row, 2); // content y 49
    EXPECT_EQ(hit(5, 94).row, 3); // content y 114, the last pixel
    EXPECT_EQ(hit(5, 95).row, -1);
    EXPECT_EQ(hit(125, 30).col, 1);
    EXPECT_EQ(hit(126, 30).col, -1);
    EXPECT_EQ(hit(-1, 30).row, -1);
}

TEST(GridGeometry, TrackStartsCellInteriorsAndScrollRange) {
    EXPECT_EQ(trackStarts({40, 86, 46, 46, 0}, 3), QVector<int>({-3, 37, 123, 169, 215}));
    EXPECT_EQ(trackStarts({16, 33, 33}, 0), QVector<int>({0, 16, 49}));
    EXPECT_EQ(cellInterior(QRect(40, 16, 86, 33)), QRect(40, 16, 85, 32));
    EXPECT_EQ(cellInterior(QRect(218, 16, 0, 33)).width(), 0);
    EXPECT_EQ(scrollMaximum(16 + 20 * 33, 293), 383);
    EXPECT_EQ(scrollMaximum(82, 293), 0);
}

TEST(GridGeometry, PictureAlignment) {
    const QRect interior(0, 16, 39, 32);
    const QSize thumb(40, 30);
    EXPECT_EQ(pictureRect(interior, thumb, 1), QRect(0, 17, 40, 30)); // left, centred
    EXPECT_EQ(pictureRect(interior, thumb, 0), QRect(0, 16, 40, 30));
    EXPECT_EQ(pictureRect(interior, thumb, 2), QRect(0, 18, 40, 30));
    EXPECT_EQ(pictureRect(interior, QSize(9, 10), 4), QRect(15, 27, 9, 10));
    EXPECT_EQ(pictureRect(interior, QSize(9, 10), 8), QRect(30, 38, 9, 10));
    EXPECT_EQ(pictureRect(interior, thumb, 9), QRect(0, 16, 40, 30));
}

TEST(GridGeometry, KeysMoveAmongTheDataRowsByRowsAndPages) {
    // The header, then nine rows of 33 pixels; a page of 100 pixels holds 3.
    const QVector<int> rows{16, 33, 33, 33, 33, 33, 33, 33, 33, 33};
    const struct {
        int current;
        GridMove move;
        int to;
    } cases[] = {
        {1, GridMove::Up, 1},       {5, GridMove::Up, 4},       {9, GridMove::Down, 9},
        {5, GridMove::Down, 6},     {0, GridMove::Down, 1},     {0, GridMove::End, 1},
        {2, GridMove::PageDown, 5}, {8, GridMove::PageDown, 9}, {9, GridMove::PageDown, 9},
        {5, GridMove::PageUp, 2},   {3, GridMove::PageUp, 1},   {1, GridMove::PageUp, 1},
        {6, GridMove::Home, 1},     {2, GridMove::End, 9},      {12, GridMove::Up, 8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(movedRow(rows, 1, c.current, c.move, 100), c.to)
            << c.current << " move " << int(c.move);
    EXPECT_EQ(movedRow(rows, 1, 4, GridMove::PageDown, 20), 5) << "a page is one row at least";
    EXPECT_EQ(movedRow({16}, 1, 0, GridMove::Down, 100), -1) << "no data rows";
}

TEST(GridGeometry, AMovedRowIsScrolledIntoViewBelowTheHeader) {
    // Rows start at 16, 49, 82, ... in the content; the view is 100 high.
    const QVector<int> rows{16, 33, 33, 33, 33, 33, 33};
    const struct {
        int row;
        int scroll;
        int to;
    } cases[] = {
        {1, 0, 0},   {2, 0, 0},   {3, 0, 15}, {6, 0, 114}, // below: its bottom at the view's
        {4, 90, 90}, {2, 90, 33}, {1, 40, 0},              // above: its top under the header
        {0, 40, 40},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scrollShowing(rows, 1, c.row, c.scroll, 100), c.to) << c.row << " " << c.scroll;
}

// --- word wrap ----------------------------------------------------------

TEST(GridTextWrap, BreaksAtBlanksAndDropsThem) {
    EXPECT_EQ(wrapCellText("ab cd ef", 30, sixPixelsPerCharacter), QStringList({"ab cd", "ef"}));
    EXPECT_EQ(wrapCellText("abcde   fgh", 30, sixPixelsPerCharacter),
              QStringList({"abcde", "fgh"}));
    EXPECT_EQ(wrapCellText("short", 30, sixPixelsPerCharacter), QStringList({"short"}));
    EXPECT_EQ(wrapCellText("", 30, sixPixelsPerCharacter), QStringList({""}));
}

TEST(GridTextWrap, PathsBreakBetweenFoldersAndLongWordsAnywhere) {
    EXPECT_EQ(wrapCellText("/home/user/a.jpg", 36, sixPixelsPerCharacter),
              QStringList({"/home/", "user/", "a.jpg"}));
    EXPECT_EQ(wrapCellText("C:\\Fotos\\a.jpg", 54, sixPixelsPerCharacter),
              QStringList({"C:\\Fotos\\", "a.jpg"}));
    EXPECT_EQ(wrapCellText("abcdefghijkl", 30, sixPixelsPerCharacter),
              QStringList({"abcde", "fghij", "kl"}));
    // Narrower than one character: still one character a line, never stuck.
    EXPECT_EQ(wrapCellText("abc", 3, sixPixelsPerCharacter), QStringList({"a", "b", "c"}));
}

TEST(GridTextWrap, LineFeedsAlwaysBreak) {
    EXPECT_EQ(wrapCellText("a\nb c", 60, sixPixelsPerCharacter), QStringList({"a", "b c"}));
    EXPECT_EQ(wrapCellText("abcdefgh\nb", 0, sixPixelsPerCharacter),
              QStringList({"abcdefgh", "b"}));
}

TEST(GridTextWrap, ALongPathIsCutInTheMiddleKeepingItsFileName) {
    const struct {
        const char* path;
        int characters; // that fit
        const char* shown;
    } cases[] = {
        {"/home/ana/Pictures/Portugal/IMG_0001.jpg", 40,
         "/home/ana/Pictures/Portugal/IMG_0001.jpg"},
        {"/home/ana/Pictures/Portugal/IMG_0001.jpg", 39, "/home/ana/Pictures...tugal/IMG_0001.jpg"},
        {"/home/ana/Pictures/Portugal/IMG_0001.jpg", 20, "/hom.../IMG_0001.jpg"},
        {"/home/ana/Pictures/Portugal/IMG_0001.jpg", 10, "...001.jpg"},
        {"C:\\Fotos\\Vacaciones\\a.jpg", 15, "C:\\Fot...\\a.jpg"},
        {"abcdefghijklmnopqrstuvwxyz", 10, "...tuvwxyz"},
        {"/a/b.jpg", 1, "...g"},
    };
    for (const auto& c : cases) {
        const auto fits = [&](const QString& s) { return s.size() <= c.characters; };
        EXPECT_EQ(cutPathInMiddle(QString::fromUtf8(c.path), fits), QString::fromUtf8(c.shown))
            << c.path << " in " << c.characters;
    }
}

// --- members ------------------------------------------------------------

TEST(FlexGrid, RowsColsAndTheCurrentCell) {
    FlexGrid grid;
    setUpSelectionGrid(grid);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.Cols(), 5);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 2), "Copies");

    addRow(grid, rowPath(1));
    addRow(grid, rowPath(2));
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 4);
    EXPECT_EQ(grid.Text(), rowPath(2));

    grid.setRow(1);
    grid.setCol(1);
    EXPECT_EQ(grid.Text(), rowPath(1));
    grid.setText("changed");
    EXPECT_EQ(grid.TextMatrix(1, 1), "changed");
    EXPECT_EQ(grid.TextMatrix(2, 1), rowPath(2));

    // Out of range: the current cell stays inside the grid; stray reads are empty.
    grid.setRow(7);
    EXPECT_EQ(grid.Row(), 2);
    grid.setCol(-1);
    EXPECT_EQ(grid.Col(), 0);
    EXPECT_EQ(grid.TextMatrix(3, 0), "");
    grid.setTextMatrix(3, 0, "nowhere");
    EXPECT_EQ(grid.Rows(), 3);
}

TEST(FlexGrid, RaisingAndLoweringRowsWorksAtTheEnd) {
    FlexGrid grid;
    setUpSelectionGrid(grid, 3);
    grid.setRows(2);
    EXPECT_EQ(grid.TextMatrix(1, 1), rowPath(1));
    grid.setRows(4);
    EXPECT_EQ(grid.TextMatrix(1, 1), rowPath(1));
    for (int row = 2; row < 4; ++row) {
        for (int col = 0; col < 5; ++col)
            EXPECT_EQ(grid.TextMatrix(row, col), "") << row << "," << col;
        EXPECT_EQ(grid.RowHeight(row), 240);
    }
    grid.setCols(6);
    EXPECT_EQ(grid.TextMatrix(1, 4), rowPath(1));
    EXPECT_EQ(grid.TextMatrix(1, 5), "");
}

TEST(FlexGrid, LoweringRowsWhileTheLastRowIsCurrent) {
    FlexGrid grid;
    setUpSelectionGrid(grid, 3);
    grid.setRow(3);
    grid.setCol(2);
    grid.setRows(3);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.Text(), "1");
    grid.setText("5");
    EXPECT_EQ(grid.TextMatrix(2, 2), "5");

    // Down to the header alone: the current row is the header.
    grid.setRows(1);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Text(), "Copies");

    grid.setCols(2);
    EXPECT_EQ(grid.Col(), 1);
}

TEST(FlexGrid, CellPicturesBelongToTheirCell) {
    FlexGrid grid;
    setUpSelectionGrid(grid, 2);
    QImage thumb(40, 30, QImage::Format_RGB32);
    thumb.fill(Qt::red);

    grid.setRow(1);
    grid.setCol(0);
    grid.setCellPicture(thumb);
    grid.setCellPictureAlignment(1);
    EXPECT_EQ(grid.CellPicture(), thumb);
    EXPECT_EQ(grid.CellPictureAlignment(), 1);
    EXPECT_EQ(grid.CellPictureAt(1, 0), thumb);
    EXPECT_TRUE(grid.CellPictureAt(2, 0).isNull());

    grid.setRow(2);
    EXPECT_TRUE(grid.CellPicture().isNull());
    EXPECT_EQ(grid.CellPictureAlignment(), 0);

    grid.setRow(1);
    grid.setCellPicture(QImage());
    EXPECT_TRUE(grid.CellPicture().isNull());
}

TEST(FlexGrid, ClearEmptiesCellsButKeepsTheShape) {
    FlexGrid grid;
    setUpSelectionGrid(grid, 1);
    grid.setCol(0);
    QImage thumb(40, 30, QImage::Format_RGB32);
    thumb.fill(Qt::red);
    grid.setCellPicture(thumb);

    grid.Clear();
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 5);
    EXPECT_EQ(grid.RowHeight(1), 500);
    EXPECT_EQ(grid.ColWidth(1), 1300);
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 5; ++col) {
            EXPECT_EQ(grid.TextMatrix(row, col), "");
            EXPECT_TRUE(grid.CellPictureAt(row, col).isNull());
        }
}

TEST(FlexGrid, SizesAreKeptInTwips) {
    FlexGrid grid;
    setUpSelectionGrid(grid, 1);
    EXPECT_EQ(grid.ColWidth(0), 600);
    EXPECT_EQ(grid.ColWidth(1), 1300);
    EXPECT_EQ(grid.ColWidth(4), 1);
    EXPECT_EQ(grid.RowHeight(0), 240);
    EXPECT_EQ(grid.RowHeight(1), 500);
    grid.setRowHeight(1, -1);
    EXPECT_EQ(grid.RowHeight(1), 240);
    grid.setColWidth(2, -1);
    EXPECT_EQ(grid.ColWidth(2), 960);
    // The hidden column still holds its text.
    EXPECT_EQ(grid.TextMatrix(1, 4), rowPath(1));
}

// --- mouse ---------------------------------------------------------------

TEST(FlexGrid, ClickOnADataCellMakesItCurrent) {
    ShownGrid shown(3);
    FlexGrid& grid = shown.grid;
    grid.setRow(3);
    grid.setCol(4);
    QSignalSpy clicks(&grid, &FlexGrid::Click);
    // Row 2 spans y 49..81, column 2 spans x 126..171.
    leftClick(grid, 130, 60);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(grid.rowAt(QPoint(130, 60)), 2);

    leftClick(grid, 5, 49);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 0);
    leftClick(grid, 5, 48);
    EXPECT_EQ(grid.Row(), 1);

    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, QPoint(130, 100));
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(grid.Row(), 1);
}

TEST(FlexGrid, ClickOutsideTheDataCellsLeavesTheCurrentCell) {
    ShownGrid shown(2);
    FlexGrid& grid = shown.grid;
    grid.setRow(2);
    grid.setCol(3);
    QSignalSpy clicks(&grid, &FlexGrid::Click);

    leftClick(grid, 60, 5); // header
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 3);

    leftClick(grid, 60, 120); // below rows
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.rowAt(QPoint(60, 120)), -1);

    // Where the hidden column would be: right of the last visible column.
    leftClick(grid, 218, 30);
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 3);
}

TEST(FlexGrid, KeysMoveTheCurrentRowAndEnterOrSpaceClickIt) {
    ShownGrid shown(20);
    FlexGrid& grid = shown.grid;
    grid.activateWindow();
    grid.setFocus();
    grid.setRow(1);
    grid.setCol(2);
    QSignalSpy clicks(&grid, &FlexGrid::Click);
    // 297 - 4 frame pixels high: a page below the header holds 8 rows of 33.
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int row;
        QList<int> picked;
        int clicks;
    } steps[] = {
        {Qt::Key_Down, {}, 2, {2}, 0},
        {Qt::Key_Down, Qt::ShiftModifier, 3, {2, 3}, 0},
        {Qt::Key_PageDown, Qt::ShiftModifier, 11, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0},
        {Qt::Key_Return, {}, 11, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 1},
        {Qt::Key_End, {}, 20, {20}, 1},
        {Qt::Key_Space, {}, 20, {20}, 2},
        {Qt::Key_PageUp, {}, 12, {12}, 2},
        {Qt::Key_Up, {}, 11, {11}, 2},
        {Qt::Key_Home, Qt::ShiftModifier, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 2},
        {Qt::Key_Enter, Qt::KeypadModifier, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 3},
    };
    for (const auto& step : steps) {
        QTest::keyClick(&grid, step.key, step.modifiers);
        EXPECT_EQ(grid.Row(), step.row) << step.key;
        EXPECT_EQ(grid.Col(), 2);
        EXPECT_EQ(grid.SelectedRows(), step.picked) << step.key;
        EXPECT_EQ(clicks.count(), step.clicks) << step.key;
        // The current row is always on screen, whole, below the header.
        const int top = 16 + 33 * (step.row - 1) - grid.verticalScrollBar()->value();
        EXPECT_GE(top, 16) << step.key;
        EXPECT_LE(top + 33, grid.viewport()->height()) << step.key;
    }
    // With Ctrl the arrows are the scroll area's, as before.
    QTest::keyClick(&grid, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(clicks.count(), 3);
}

TEST(FlexGrid, KeysOnAGridWithoutDataRowsMoveNothing) {
    ShownGrid shown(0);
    QSignalSpy clicks(&shown.grid, &FlexGrid::Click);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_End, Qt::Key_PageDown})
        QTest::keyClick(&shown.grid, key);
    EXPECT_EQ(shown.grid.Row(), 0);
    EXPECT_TRUE(shown.grid.SelectedRows().isEmpty());
    QTest::keyClick(&shown.grid, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1) << "the handler decides that row 0 opens nothing";
}

// --- scrolling -------------------------------------------------------------

TEST(FlexGrid, ScrollRequestShowsTheLastRow) {
    ShownGrid shown(20);
    FlexGrid& grid = shown.grid;
    QScrollBar* bar = grid.verticalScrollBar();
    const int viewHeight = grid.viewport()->height();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(bar->maximum(), 16 + 20 * 33 - viewHeight);
    EXPECT_EQ(grid.rowAt(QPoint(5, viewHeight - 1)), (viewHeight - 1 - 16) / 33 + 1);

    QSignalSpy requests(&grid, &FlexGrid::scrollRequested);
    grid.sendMessage(FlexGrid::WM_VSCROLL, FlexGrid::SB_BOTTOM, 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    ASSERT_EQ(requests.count(), 1);
    EXPECT_EQ(requests.at(0).at(0).toInt(), FlexGrid::SB_BOTTOM);
    EXPECT_EQ(grid.rowAt(QPoint(5, viewHeight - 1)), 20);
    EXPECT_EQ(grid.rowAt(QPoint(5, viewHeight - 33)), 20);
    EXPECT_EQ(grid.rowAt(QPoint(5, viewHeight - 34)), 19);
    // The header stays on top however far the rows moved.
    EXPECT_EQ(grid.rowAt(QPoint(5, 5)), -1);

    // A click on the last row now on screen selects it.
    leftClick(grid, 60, viewHeight - 5);
    EXPECT_EQ(grid.Row(), 20);

    // Other requests are counted but do not move; other messages are ignored.
    grid.verticalScrollBar()->setValue(0);
    grid.sendMessage(FlexGrid::WM_VSCROLL, 6, 0);
    EXPECT_EQ(requests.count(), 2);
    EXPECT_EQ(bar->value(), 0);
    grid.sendMessage(0x0114, FlexGrid::SB_BOTTOM, 0);
    EXPECT_EQ(requests.count(), 2);
    EXPECT_EQ(bar->value(), 0);
}

TEST(FlexGrid, FewRowsNeedNoScrolling) {
    ShownGrid shown(3);
    QSignalSpy requests(&shown.grid, &FlexGrid::scrollRequested);
    shown.grid.sendMessage(FlexGrid::WM_VSCROLL, FlexGrid::SB_BOTTOM, 0);
    EXPECT_EQ(requests.count(), 1);
    EXPECT_EQ(shown.grid.verticalScrollBar()->maximum(), 0);
    EXPECT_FALSE(shown.grid.verticalScrollBar()->isVisible());
    EXPECT_FALSE(shown.grid.horizontalScrollBar()->isVisible());
}

// --- drawing ---------------------------------------------------------------

namespace {

const QRgb kOrange = qRgb(255, 128, 0);
const QRgb kMenu = qRgb(212, 208, 200);
const QRgb kLightBlue = qRgb(192, 192, 255);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kGridGrey = qRgb(192, 192, 192);

QImage render(FlexGrid& grid) {
    return grid.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int countColour(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

// Glyph edges blend into the cell face and stems are not always whole pixels,
// so text is found by pixels close to its colour.
int countNear(const QImage& image, const QRect& area, QRgb colour) {
    constexpr int kTolerance = 16;
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += std::abs(qRed(p) - qRed(colour)) <= kTolerance &&
                     std::abs(qGreen(p) - qGreen(colour)) <= kTolerance &&
                     std::abs(qBlue(p) - qBlue(colour)) <= kTolerance;
        }
    return count;
}

} // namespace

TEST(FlexGridDrawing, DesignColoursAndGridLines) {
    ShownGrid shown(2);
    FlexGrid& grid = shown.grid;
    grid.setRow(1);
    grid.setCol(2);
    const QImage image = render(grid);

    // Header: orange face, grey lines at the right and bottom of each cell.
    EXPECT_EQ(image.pixel(1, 1), kOrange);
    EXPECT_EQ(image.pixel(39, 5), kGridGrey);
    EXPECT_EQ(image.pixel(1, 15), kGridGrey);
    EXPECT_EQ(image.pixel(41, 1), kOrange);
    // Data cells: white face, the same grey lines.
    EXPECT_EQ(image.pixel(41, 17), kWhite);
    EXPECT_EQ(image.pixel(125, 30), kGridGrey);
    EXPECT_EQ(image.pixel(45, 48), kGridGrey);
    // The current cell (row 1, column 2: x 126..171, y 16..48) in light blue.
    EXPECT_EQ(image.pixel(127, 17), kLightBlue);
    EXPECT_EQ(image.pixel(170, 47), kLightBlue);
    EXPECT_EQ(image.pixel(171, 47), kGridGrey);
    EXPECT_EQ(image.pixel(127, 50), kWhite);
    // Beyond the last row and the last column: white, no lines.
    EXPECT_EQ(countColour(image, QRect(0, 82, 218, image.height() - 82), kWhite),
              218 * (image.height() - 82));
    EXPECT_EQ(countColour(image, QRect(218, 0, image.width() - 218, 82), kWhite),
              (image.width() - 218) * 82);

    // Texts: menu colour on the header, orange in cells, white in the current cell.
    EXPECT_GT(countNear(image, QRect(0, 0, 39, 15), kMenu), 0);
    EXPECT_GT(countNear(image, QRect(172, 16, 45, 32), kOrange), 0); // "10x15"
    EXPECT_GT(countNear(image, QRect(126, 16, 45, 32), kWhite), 0);  // "1"
    EXPECT_EQ(countNear(image, QRect(126, 16, 45, 32), kOrange), 0);
    EXPECT_EQ(countNear(image, QRect(40, 0, 85, 15), kWhite), 0);
}

TEST(FlexGridDrawing, NoHighlightWithoutDataRows) {
    ShownGrid shown(0);
    const QImage image = render(shown.grid);
    EXPECT_EQ(countColour(image, image.rect(), kLightBlue), 0);
    EXPECT_EQ(image.pixel(1, 1), kOrange);
}

TEST(FlexGridDrawing, CellPictureSitsLeftAndCentred) {
    ShownGrid shown(2);
    FlexGrid& grid = shown.grid;
    QImage thumb(40, 30, QImage::Format_RGB32);
    thumb.fill(qRgb(10, 20, 30));
    grid.setRow(1);
    grid.setCol(0);
    grid.setCellPicture(thumb);
    grid.setCellPictureAlignment(1);
    grid.setCol(4);

    QImage image = render(grid);
    // Interior x 0..38, y 16..47: the picture takes y 17..46, clipped at the line.
    EXPECT_EQ(countColour(image, QRect(0, 17, 39, 30), qRgb(10, 20, 30)), 39 * 30);
    EXPECT_EQ(image.pixel(0, 16), kWhite);
    EXPECT_EQ(image.pixel(0, 47), kWhite);
    EXPECT_EQ(image.pixel(39, 30), kGridGrey);

    grid.setCol(0);
    grid.setCellPicture(QImage());
    grid.setCol(4);
    image = render(grid);
    EXPECT_EQ(countColour(image, QRect(0, 16, 39, 32), kWhite), 39 * 32);
}

TEST(FlexGridDrawing, WordWrapUsesTheRowHeightAndStaysInTheCell) {
    ShownGrid shown(2);
    FlexGrid& grid = shown.grid;
    grid.setTextMatrix(1, 1, "/home/user/Pictures/holiday/IMG_0001.JPG");
    grid.setTextMatrix(2, 1, "");
    grid.setRow(1);
    grid.setCol(4);
    const QRect lowerPart(40, 40, 85, 8); // last lines of row 1, column 1
    const QRect nextRow(40, 49, 85, 32);

    grid.setWordWrap(false);
    QImage image = render(grid);
    EXPECT_EQ(countColour(image, lowerPart, kWhite), 85 * 8);

    grid.setWordWrap(true);
    image = render(grid);
    EXPECT_LT(countColour(image, lowerPart, kWhite), 85 * 8);
    EXPECT_EQ(countColour(image, nextRow, kWhite), 85 * 32);
}

// A path that does not fit in its two lines shows its file name, cut in the
// middle, in a column of paths; the cell's text stays whole.
TEST(FlexGridDrawing, ALongPathShowsItsFileNameInAColumnOfPaths) {
    ShownGrid shown(1);
    FlexGrid& grid = shown.grid;
    grid.setWordWrap(true);
    const QString path = "/home/ana/Pictures/Portugal 2023/Lisbon/IMG_0815.jpg";
    grid.setTextMatrix(1, 1, path);
    grid.setTextMatrix(1, 3, path);
    grid.setColCutsInMiddle(1, true);
    EXPECT_EQ(grid.TextMatrix(1, 1), path);
    EXPECT_EQ(grid.shownLines(1, 1), (QStringList{"/home/ana/Pi.../", "IMG_0815.jpg"}));
    EXPECT_EQ(grid.shownLines(1, 3).first(), "/home/");
    grid.setTextMatrix(1, 1, "/photos/p1.jpg");
    EXPECT_EQ(grid.shownLines(1, 1), (QStringList{"/photos/p1.jpg"}));
}

TEST(FlexGrid, CtrlAndShiftClicksPickRowsWithoutAClick) {
    ShownGrid shown(5);
    FlexGrid& grid = shown.grid;
    QSignalSpy clicks(&grid, &FlexGrid::Click);
    QSignalSpy picked(&grid, &FlexGrid::selectedRowsChanged);
    // Data row r spans y 16 + 33 (r - 1) .. 48 + 33 (r - 1).
    const auto y = [](int row) { return 30 + 33 * (row - 1); };
    struct Step {
        Qt::KeyboardModifiers modifiers;
        int row;
        QList<int> rows;
        int clicks;
    };
    const Step steps[] = {
        {{}, 2, {2}, 1},
        {Qt::ControlModifier, 4, {2, 4}, 1},
        {Qt::ShiftModifier, 1, {1, 2, 3, 4}, 1},
        {Qt::ControlModifier, 3, {1, 2, 4}, 1},
        {Qt::ControlModifier | Qt::ShiftModifier, 5, {1, 2, 3, 4, 5}, 1},
        {{}, 5, {5}, 2},
    };
    for (const Step& step : steps) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, step.modifiers, QPoint(60, y(step.row)));
        EXPECT_EQ(grid.SelectedRows(), step.rows) << "row " << step.row;
        EXPECT_EQ(clicks.count(), step.clicks) << "row " << step.row;
        EXPECT_EQ(grid.Row(), step.row);
    }
    EXPECT_EQ(picked.count(), 6);

    // A right click on a row not picked picks it alone; the current cell stays.
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, QPoint(60, y(3)));
    EXPECT_EQ(grid.SelectedRows(), QList<int>({3}));
    EXPECT_EQ(grid.Row(), 5);
    grid.selectAllRows();
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, QPoint(60, y(3)));
    EXPECT_EQ(grid.SelectedRows(), QList<int>({1, 2, 3, 4, 5})) << "a picked row keeps the others";
    EXPECT_EQ(clicks.count(), 2);

    grid.setRows(4);
    EXPECT_EQ(grid.SelectedRows(), QList<int>({1, 2, 3})) << "rows dropped are no longer picked";
    grid.setSelectedRows({0, 2, 9});
    EXPECT_EQ(grid.SelectedRows(), QList<int>({2})) << "only data rows can be picked";
}

TEST(FlexGridDrawing, TheGridWithTheKeyboardShowsADottedMarkInsideItsBox) {
    ShownGrid shown(2);
    FlexGrid& grid = shown.grid;
    QWidget other;
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    const QImage without = render(grid);
    EXPECT_EQ(without.pixel(1, 1), kOrange);
    EXPECT_EQ(without.pixel(2, 40), kWhite);

    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.setFocus();
    const QImage with = render(grid);
    const int right = with.width() - 2;
    const int bottom = with.height() - 2;
    // Every other pixel, from the corner one pixel in, inverted.
    const struct {
        QPoint at;
        QRgb colour;
    } pixels[] = {
        {{1, 1}, qRgb(0, 127, 255)},
        {{2, 1}, kOrange},
        {{3, 1}, qRgb(0, 127, 255)},
        {{1, 40}, kWhite},
        {{1, 41}, qRgb(0, 0, 0)},
        {{0, 41}, kWhite},
        {{2, 41}, kWhite},
        {{right, bottom}, (right + bottom) % 2 ? kWhite : qRgb(0, 0, 0)},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(with.pixel(p.at), p.colour) << p.at.x() << "," << p.at.y();
    int changed = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            changed += with.pixel(x, y) != without.pixel(x, y);
    EXPECT_EQ(changed, right + bottom - 2) << "half the outline's pixels, nothing else";
}

TEST(FlexGrid, PickedRowsAreDrawnSelectedUnlessOnlyTheCurrentOne) {
    ShownGrid shown(3);
    FlexGrid& grid = shown.grid;
    grid.setRow(1);
    grid.setCol(1);
    const QColor selected(192, 192, 255);
    const QColor plain(255, 255, 255);
    const auto at = [&](int col, int row) {
        // Low in the row, below any text.
        return grid.viewport()->grab().toImage().pixelColor(col, 44 + 33 * (row - 1));
    };
    grid.setSelectedRows({1});
    EXPECT_EQ(at(60, 1), selected) << "the current cell";
    EXPECT_EQ(at(150, 1), plain) << "a row picked alone shows only its current cell";
    grid.setSelectedRows({1, 3});
    EXPECT_EQ(at(150, 1), selected);
    EXPECT_EQ(at(150, 3), selected);
    EXPECT_EQ(at(150, 2), plain);
}

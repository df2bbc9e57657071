#include "tests/support/window/windowfixture.h"
#include "xpbutton/xpbutton.h"

#include "platform/controls/filelist.h"
#include "platform/controls/picturebox.h"
#include "platform/files/picturefile.h"
#include "selection/dialogs/rowremoval.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordertexts.h"
#include "selection/order/pathnames.h"
#include "tests/support/filebytes.h"

#include <QApplication>
#include <QGroupBox>
#include <QSignalSpy>

namespace {

TEST(SelectionRules, CaptionFileNameAndTableBounds) {
    EXPECT_EQ(frameCaption(1), "1 Photo Selected");
    EXPECT_EQ(frameCaption(0), " 0 Photos Selected");
    EXPECT_EQ(frameCaption(2), " 2 Photos Selected");
    EXPECT_EQ(frameCaption(999), " 999 Photos Selected");

    EXPECT_EQ(solo_file("/home/ana/Fotos/a.jpg"), "a.jpg");
    EXPECT_EQ(solo_file("a.jpg"), "a.jpg");
    EXPECT_EQ(solo_file("/home/ana/"), "");

    SelectionList list;
    EXPECT_EQ(list.entry(0), &list.entries[0]);
    EXPECT_EQ(list.entry(999), &list.entries[999]);
    EXPECT_EQ(list.entry(1000), nullptr);
    EXPECT_EQ(list.entry(-1), nullptr);
    list.count = 998;
    EXPECT_FALSE(list.isFull());
    list.count = 999;
    EXPECT_TRUE(list.isFull());
}

using AddPhoto = WindowFixture;

TEST_F(AddPhoto, NothingHappensBeforeAnyPreview) {
    ui(w).current_file = solidPhoto("a.jpg", qRgb(10, 20, 30));
    QTest::mouseClick(ui(w).Image11, Qt::LeftButton);
    EXPECT_EQ(list().count, 0);
    EXPECT_EQ(grid().Rows(), 1);
    EXPECT_EQ(ui(w).Frame4->title(), "0 Photos Selected");
    // Without data rows a click on the grid opens no editor.
    EXPECT_FALSE(clickHeader([](Props& p) { p.reject(); }));
    EXPECT_FALSE(clickBelowRows([](Props& p) { p.reject(); }));
    EXPECT_EQ(grid().TextMatrix(0, ColFile), "File");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(AddPhoto, DoubleClickAddsTheListedFileAsANewRow) {
    // Samples land on even source pixels: red 2c, green 2r.
    photo("a.jpg", coordinatePicture(80, 60));
    const QString b = photo("b.JPG", coordinatePicture(80, 60));
    ui(w).File1->setPath(folder());
    ASSERT_EQ(ui(w).File1->ListCount(), 2);
    ui(w).File1->setListIndex(1);
    // The file list names the photo, whatever was previewed last.
    ui(w).current_file = file("a.jpg");
    emit ui(w).File1->DblClick();

    EXPECT_EQ(ui(w).current_file, b);
    ASSERT_EQ(list().count, 1);
    EXPECT_EQ(list().entries[1].file, b);
    EXPECT_EQ(list().entries[1].copies, "1");
    EXPECT_EQ(list().entries[1].size, "10x15");
    expectInStep();
    EXPECT_EQ(ui(w).Frame4->title(), "1 Photo Selected");
    EXPECT_TRUE(grid().WordWrap());
    EXPECT_EQ(grid().TextMatrix(1, ColPhoto), "");
    EXPECT_EQ(grid().Row(), 1);
    EXPECT_EQ(grid().Col(), ColPath);

    const QImage thumb = grid().CellPictureAt(1, ColPhoto);
    ASSERT_EQ(thumb.size(), QSize(40, 30));
    for (int r = 0; r < 30; ++r)
        for (int c = 0; c < 40; ++c)
            ASSERT_EQ(thumb.pixel(c, r) & 0xFFFFFF, qRgb(2 * c, 2 * r, 0) & 0xFFFFFFu)
                << c << "," << r;
    grid().setCol(ColPhoto);
    EXPECT_EQ(grid().CellPictureAlignment(), 1);
    EXPECT_TRUE(ui(w).Image12->isHidden());
    EXPECT_TRUE(ui(w).File1->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), ui(w).File1);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(AddPhoto, SameFileTwiceGivesIndependentRowsAndTheTenthScrolls) {
    const QString a = solidPhoto("a.jpg", qRgb(200, 40, 10));
    QSignalSpy scrolls(&grid(), &FlexGrid::scrollRequested);
    addPreviewed(a);
    addPreviewed(a);
    EXPECT_EQ(ui(w).Frame4->title(), " 2 Photos Selected");
    expectSolidThumbnail(1, qRgb(200, 40, 10));
    expectSolidThumbnail(2, qRgb(200, 40, 10));
    editRow(1, "4", "20x30");
    EXPECT_EQ(list().entries[1].copies, "4");
    EXPECT_EQ(list().entries[1].size, "20x30");
    EXPECT_EQ(list().entries[2].copies, "1");
    EXPECT_EQ(list().entries[2].size, "10x15");

    for (int i = 3; i <= 9; ++i)
        addPreviewed(a);
    EXPECT_EQ(scrolls.count(), 0);
    addPreviewed(a);
    ASSERT_EQ(scrolls.count(), 1);
    EXPECT_EQ(scrolls[0][0].toInt(), FlexGrid::SB_BOTTOM);
    addPreviewed(a);
    EXPECT_EQ(scrolls.count(), 2);
    EXPECT_EQ(ui(w).Frame4->title(), " 11 Photos Selected");
    expectInStep();
}

// Damaged files are tried every way by the hardening tests.
TEST_F(AddPhoto, APhotoGoneSinceItWasPreviewedIsNotAdded) {
    addPreviewed(solidPhoto("a.jpg", qRgb(9, 9, 9)));
    const QString gone = solidPhoto("c.jpg", qRgb(1, 1, 1));
    ui(w).current_file = gone;
    ui(w).Image10->setPicture(readPictureFile(gone).image);
    QFile::remove(gone);
    QTest::mouseClick(ui(w).Image11, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
    EXPECT_TRUE(dialogs.messages[0].text.contains(gone)) << dialogs.messages[0].text.toStdString();
    EXPECT_EQ(list().count, 1);
    EXPECT_EQ(ui(w).Frame4->title(), "1 Photo Selected");
    expectInStep();
}

TEST_F(AddPhoto, TheThousandthPhotoIsRefused) {
    const QString a = solidPhoto("a.jpg", qRgb(50, 60, 70));
    const QString b = solidPhoto("b.jpg", qRgb(70, 60, 50));
    for (int i = 1; i <= 999; ++i)
        addPreviewed(a);
    ASSERT_EQ(list().count, 999);
    ASSERT_TRUE(dialogs.messages.isEmpty());

    addPreviewed(b);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
    EXPECT_TRUE(dialogs.messages[0].text.contains("full"));
    EXPECT_EQ(list().count, 999);
    EXPECT_EQ(list().entries[999].file, a);
    EXPECT_EQ(ui(w).Frame4->title(), " 999 Photos Selected");
    expectSolidThumbnail(999, qRgb(50, 60, 70));
    expectInStep();
}

// Four photos of four colours, each row with its own copies and size.
class RemoveRow : public WindowFixture {
protected:
    struct Photo {
        QString file;
        QRgb colour;
        QString copies;
        QString size;
    };

    void SetUp() override {
        WindowFixture::SetUp();
        const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                                qRgb(200, 100, 50)};
        for (int i = 0; i < 4; ++i) {
            const QString name = QStringLiteral("p%1.jpg").arg(i + 1);
            photos.push_back({solidPhoto(name, colours[i]), colours[i], QString::number(i + 2),
                              i % 2 ? "13x18" : "20x30"});
            addPreviewed(photos.back().file);
        }
        for (int i = 0; i < 4; ++i)
            editRow(i + 1, photos[i].copies, photos[i].size);
    }

    bool removeRow(int row) {
        return clickRow(row, [](Props& p) { QTest::mouseClick(p.Command1, Qt::LeftButton); });
    }

    // The rows show exactly these photos, in this order.
    void expectRows(const std::vector<Photo>& expected) {
        ASSERT_EQ(list().count, static_cast<int>(expected.size()));
        expectInStep();
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const int row = static_cast<int>(i) + 1;
            const SelectionEntry& e = list().entries[i + 1];
            EXPECT_EQ(e.file, expected[i].file) << "row " << row;
            EXPECT_EQ(e.copies, expected[i].copies) << "row " << row;
            EXPECT_EQ(e.size, expected[i].size) << "row " << row;
            expectSolidThumbnail(row, expected[i].colour);
        }
    }

    std::vector<Photo> photos;
};

struct RemoveEachRow : RemoveRow, ::testing::WithParamInterface<int> {};

TEST_P(RemoveEachRow, MovesTheRowsBelowUp) {
    const int row = GetParam();
    ASSERT_TRUE(removeRow(row));
    std::vector<Photo> rest = photos;
    rest.erase(rest.begin() + (row - 1));
    expectRows(rest);
    EXPECT_EQ(ui(w).Frame4->title(), " 3 Photos Selected");
    // The entry past the count keeps what it held.
    EXPECT_EQ(list().entries[4].file, photos[3].file);
    // Each moved row is drawn with its alignment too.
    grid().setRow(3);
    grid().setCol(ColPhoto);
    EXPECT_EQ(grid().CellPictureAlignment(), 1);
    EXPECT_TRUE(ui(w).Image12->isHidden());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(FirstMiddleLast, RemoveEachRow, ::testing::Values(1, 3, 4));

TEST_F(RemoveRow, DownToTheOnlyRowAndThenNone) {
    ASSERT_TRUE(removeRow(2));
    ASSERT_TRUE(removeRow(1));
    ASSERT_TRUE(removeRow(2));
    expectRows({photos[2]});
    EXPECT_EQ(ui(w).Frame4->title(), "1 Photo Selected");
    ASSERT_TRUE(removeRow(1));
    expectRows({});
    EXPECT_EQ(grid().Rows(), 1);
    EXPECT_EQ(ui(w).Frame4->title(), " 0 Photos Selected");
    EXPECT_EQ(grid().TextMatrix(0, ColFile), "File");
    // Nothing left to click.
    EXPECT_FALSE(clickHeader([](Props& p) { p.reject(); }));
}

TEST_F(RemoveRow, OnlyAnEditRowWithinTheSelectionIsRemoved) {
    for (int row : {0, 5, -1}) {
        list().edit_row = static_cast<std::int16_t>(row);
        EXPECT_TRUE(removeEditRow(ui(w).orderController.view).isEmpty());
        expectRows(photos);
    }
}

} // namespace

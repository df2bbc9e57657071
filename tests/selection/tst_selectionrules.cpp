#include "selectionwindow.h"
#include "xpbutton.h"

#include "rowremoval.h"

#include <QFile>

namespace {

TEST(FrameCaption, OneIsSingularOthersCarryTheSignPlace) {
    EXPECT_EQ(frameCaption(1), "1 Photo Selected");
    EXPECT_EQ(frameCaption(0), " 0 Photos Selected");
    EXPECT_EQ(frameCaption(2), " 2 Photos Selected");
    EXPECT_EQ(frameCaption(999), " 999 Photos Selected");
}

TEST(SoloFile, TakesWhatFollowsTheLastSeparator) {
    EXPECT_EQ(solo_file("/home/ana/Fotos/a.jpg"), "a.jpg");
    EXPECT_EQ(solo_file("a.jpg"), "a.jpg");
    EXPECT_EQ(solo_file("/home/ana/"), "");
    EXPECT_EQ(solo_file(""), "");
}

TEST(SelectionTable, EntriesOutsideTheTableAreNotHandedOut) {
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

// Four photos of four colours, each row with its own copies and size.
class RemoveRow : public SelectionWindowTest {
protected:
    struct Photo {
        QString file;
        QRgb colour;
        QString copies;
        QString size;
    };

    void SetUp() override {
        SelectionWindowTest::SetUp();
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

    std::vector<Photo> without(int row) const {
        std::vector<Photo> rest = photos;
        rest.erase(rest.begin() + (row - 1));
        return rest;
    }

    std::vector<Photo> photos;
};

TEST_F(RemoveRow, FirstRowMovesTheOthersUp) {
    ASSERT_TRUE(removeRow(1));
    expectRows(without(1));
    EXPECT_EQ(w->Frame4->title(), " 3 Photos Selected");
    // The entry past the count keeps what it held.
    EXPECT_EQ(list().entries[4].file, photos[3].file);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(RemoveRow, AMiddleRow) {
    ASSERT_TRUE(removeRow(3));
    expectRows(without(3));
    // Each moved row is drawn with its alignment too.
    grid().setRow(3);
    grid().setCol(ColPhoto);
    EXPECT_EQ(grid().CellPictureAlignment(), 1);
    EXPECT_TRUE(w->Image12->isHidden());
}

TEST_F(RemoveRow, TheLastRowMovesNothing) {
    ASSERT_TRUE(removeRow(4));
    expectRows(without(4));
    EXPECT_EQ(w->Frame4->title(), " 3 Photos Selected");
}

TEST_F(RemoveRow, DownToTheOnlyRowAndThenNone) {
    ASSERT_TRUE(removeRow(2));
    ASSERT_TRUE(removeRow(1));
    ASSERT_TRUE(removeRow(2));
    expectRows({photos[2]});
    EXPECT_EQ(w->Frame4->title(), "1 Photo Selected");
    ASSERT_TRUE(removeRow(1));
    expectRows({});
    EXPECT_EQ(grid().Rows(), 1);
    EXPECT_EQ(w->Frame4->title(), " 0 Photos Selected");
    EXPECT_EQ(grid().TextMatrix(0, ColFile), "File");
    // Nothing left to click.
    EXPECT_FALSE(clickHeader([](Props& p) { p.reject(); }));
}

TEST_F(RemoveRow, APhotoGoneSinceItWasAddedLeavesAnEmptyThumbnail) {
    ASSERT_TRUE(QFile::remove(photos[2].file));
    ASSERT_TRUE(removeRow(1));
    ASSERT_EQ(list().count, 3);
    expectInStep();
    expectSolidThumbnail(1, photos[1].colour);
    EXPECT_TRUE(grid().CellPictureAt(2, ColPhoto).isNull());
    EXPECT_EQ(list().entries[2].file, photos[2].file);
    EXPECT_EQ(list().entries[2].copies, photos[2].copies);
    expectSolidThumbnail(3, photos[3].colour);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
    EXPECT_TRUE(dialogs.messages[0].text.contains(photos[2].file));
    EXPECT_FALSE(dialogs.messages[0].text.contains(photos[3].file));
}

TEST_F(RemoveRow, OnlyAnEditRowWithinTheSelectionIsRemoved) {
    for (int row : {0, 5, -1}) {
        list().edit_row = static_cast<std::int16_t>(row);
        EXPECT_TRUE(removeEditRow(w->selectionControls()).isEmpty());
        expectRows(photos);
    }
}

} // namespace

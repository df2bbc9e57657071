#include "selectionwindow.h"

#include "filelist.h"

#include <QFile>
#include <QSignalSpy>

namespace {

using AddPhoto = SelectionWindowTest;

TEST_F(AddPhoto, PreviewClickBeforeAnyPreviewAddsNothing) {
    w->current_file = solidPhoto("a.jpg", qRgb(10, 20, 30));
    QTest::mouseClick(w->Image11, Qt::LeftButton);
    EXPECT_EQ(list().count, 0);
    EXPECT_EQ(grid().Rows(), 1);
    EXPECT_EQ(w->Frame4->title(), "0 Photos Selected");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(AddPhoto, DoubleClickAddsTheListedFileAsANewRow) {
    // Samples land on even source pixels: red 2c, green 2r.
    photo("a.jpg", coordinatePicture(80, 60));
    const QString b = photo("b.JPG", coordinatePicture(80, 60));
    w->File1->setPath(folder());
    ASSERT_EQ(w->File1->ListCount(), 2);
    w->File1->setListIndex(1);
    ASSERT_EQ(w->current_file, b);
    // The file list names the photo, whatever was previewed last.
    w->current_file = file("a.jpg");
    emit w->File1->DblClick();

    EXPECT_EQ(w->current_file, b);
    ASSERT_EQ(list().count, 1);
    EXPECT_EQ(list().entries[1].file, b);
    EXPECT_EQ(list().entries[1].copies, "1");
    EXPECT_EQ(list().entries[1].size, "10x15");
    expectInStep();
    EXPECT_EQ(w->Frame4->title(), "1 Photo Selected");
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
    EXPECT_TRUE(w->Image12->isHidden());
    EXPECT_TRUE(w->File1->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), w->File1);
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(AddPhoto, SameFileTwiceGivesTwoIndependentRows) {
    const QString a = solidPhoto("a.jpg", qRgb(200, 40, 10));
    addPreviewed(a);
    EXPECT_EQ(w->Frame4->title(), "1 Photo Selected");
    addPreviewed(a);
    EXPECT_EQ(w->Frame4->title(), " 2 Photos Selected");
    ASSERT_EQ(list().count, 2);
    EXPECT_EQ(list().entries[2].file, a);
    expectSolidThumbnail(1, qRgb(200, 40, 10));
    expectSolidThumbnail(2, qRgb(200, 40, 10));

    editRow(1, "4", "20x30");
    expectInStep();
    EXPECT_EQ(list().entries[1].copies, "4");
    EXPECT_EQ(list().entries[1].size, "20x30");
    EXPECT_EQ(list().entries[2].copies, "1");
    EXPECT_EQ(list().entries[2].size, "10x15");
}

TEST_F(AddPhoto, TheTenthPhotoScrollsToTheLastRow) {
    const QString a = solidPhoto("a.jpg", qRgb(1, 2, 3));
    QSignalSpy scrolls(&grid(), &FlexGrid::scrollRequested);
    for (int i = 1; i <= 9; ++i)
        addPreviewed(a);
    EXPECT_EQ(scrolls.count(), 0);
    addPreviewed(a);
    ASSERT_EQ(scrolls.count(), 1);
    EXPECT_EQ(scrolls[0][0].toInt(), FlexGrid::SB_BOTTOM);
    addPreviewed(a);
    EXPECT_EQ(scrolls.count(), 2);
    EXPECT_EQ(w->Frame4->title(), " 11 Photos Selected");
    expectInStep();
}

TEST_F(AddPhoto, APhotoThatCannotBeLoadedIsNotAdded) {
    const QString good = solidPhoto("a.jpg", qRgb(9, 9, 9));
    const QString bad = file("b.jpg");
    {
        QFile damaged(bad);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write("\xFF\xD8 this is no picture");
    }
    addPreviewed(good);
    w->File1->setPath(folder());
    w->File1->setListIndex(1); // the preview fails and keeps the good photo
    const qsizetype told = dialogs.messages.size();
    emit w->File1->DblClick();

    ASSERT_EQ(dialogs.messages.size(), told + 1);
    EXPECT_EQ(dialogs.messages.last().title, "Marvolia");
    EXPECT_TRUE(dialogs.messages.last().text.contains(bad))
        << dialogs.messages.last().text.toStdString();
    EXPECT_EQ(list().count, 1);
    EXPECT_EQ(w->current_file, good);
    EXPECT_EQ(w->Frame4->title(), "1 Photo Selected");
    expectInStep();

    // A file gone since it was previewed is refused the same way.
    const QString gone = solidPhoto("c.jpg", qRgb(1, 1, 1));
    w->current_file = gone;
    w->Image10->setPicture(readPictureFile(gone).image);
    QFile::remove(gone);
    QTest::mouseClick(w->Image11, Qt::LeftButton);
    ASSERT_EQ(dialogs.messages.size(), told + 2);
    EXPECT_TRUE(dialogs.messages.last().text.contains(gone));
    EXPECT_EQ(list().count, 1);
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
    EXPECT_EQ(grid().Rows(), 1000);
    EXPECT_EQ(list().entries[999].file, a);
    EXPECT_EQ(w->Frame4->title(), " 999 Photos Selected");
    expectSolidThumbnail(999, qRgb(50, 60, 70));
    expectInStep();
}

} // namespace

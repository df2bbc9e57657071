#include "filesizelimit.h"
#include "orderwindow.h"
#include "picturefile.h"
#include "projectactions.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

namespace {

using ProjectSave = OrderWindow;
using ProjectOpen = OrderWindow;

const QString kPrompt = QStringLiteral("Do you want to save actual proyect ?");

QList<QStringList> twoPhotos() {
    return {{QStringLiteral("C:\\Fotos\\a.jpg"), QStringLiteral("1"), QStringLiteral("10x15")},
            {QStringLiteral("C:\\Fotos\\b.jpg"), QStringLiteral("3"), QStringLiteral("13x18")}};
}

QByteArray records(const QStringList& paths, const char* copies = "1") {
    QByteArray bytes;
    for (const QString& p : paths)
        bytes += p.toUtf8() + "\r\n" + copies + "\r\n10x15\r\n";
    return bytes;
}

} // namespace

TEST_F(ProjectSave, WritesTheGridAsTheFormatSays) {
    dialogs.answerFile(at("empty.mvl"));
    press(w->Command3);
    EXPECT_EQ(contents(at("empty.mvl")), QByteArray(" 0 \r\n"));
    ASSERT_EQ(dialogs.fileCalls.size(), 1);
    const auto& call = dialogs.fileCalls[0];
    EXPECT_EQ(call.mode, FileDialogMode::Save);
    EXPECT_EQ(call.request.filter, QStringLiteral("Marvolia files|*.mvl"));
    EXPECT_EQ(call.request.fileName, QStringLiteral("untiteled"));
    EXPECT_EQ(call.request.flags, 2);
    EXPECT_EQ(w->project_path, at("empty.mvl"));

    fill({{QStringLiteral("/home/ana/a.jpg"), QStringLiteral("1"), QStringLiteral("10x15")}});
    dialogs.answerFile(at("one.mvl"));
    press(w->Command3);
    EXPECT_EQ(contents(at("one.mvl")), QByteArray(" 1 \r\n/home/ana/a.jpg\r\n1\r\n10x15\r\n"));
    EXPECT_EQ(dialogs.fileCalls[1].request.fileName, at("empty.mvl"));

    fill(twoPhotos());
    dialogs.answerFile(at("two.mvl"));
    press(w->Command3);
    EXPECT_EQ(contents(at("two.mvl")),
              QByteArray(" 2 \r\nC:\\Fotos\\a.jpg\r\n1\r\n10x15\r\nC:\\Fotos\\b."
                         "jpg\r\n3\r\n13x18\r\n"));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ProjectSave, CancelWritesNothing) {
    fill(twoPhotos());
    press(w->Command3);
    EXPECT_EQ(dialogs.fileCalls.size(), 1);
    EXPECT_TRUE(w->project_path.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

TEST_F(ProjectSave, ANameWithoutExtensionIsUsedAsTyped) {
    dialogs.answerFile(at("order"));
    press(w->Command3);
    EXPECT_EQ(contents(at("order")), QByteArray(" 0 \r\n"));
    EXPECT_FALSE(QFile::exists(at("order.mvl")));
}

TEST_F(ProjectSave, ADoubleQuoteIsRefusedAndNothingWritten) {
    ASSERT_TRUE(put(at("p.mvl"), "old"));
    fill({{QStringLiteral("/f/a.jpg"), QStringLiteral("1"), QStringLiteral("10x15")},
          {QStringLiteral("/f/say \"cheese\".jpg"), QStringLiteral("1"), QStringLiteral("10x15")}});
    dialogs.answerFile(at("p.mvl"));
    press(w->Command3);
    EXPECT_EQ(contents(at("p.mvl")), QByteArray("old"));
    EXPECT_TRUE(w->project_path.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Marvolia"));
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("The project could not be saved to \"%1\": the path of the photo "
                             "\"/f/say \"cheese\".jpg\" holds a double quote (\"), which a project "
                             "file cannot store. Nothing was written.")
                  .arg(at("p.mvl")));
}

TEST_F(ProjectSave, AFailedSaveKeepsTheOldFileAndSaysSo) {
    const QByteArray old(" 1 \r\n/old.jpg\r\n1\r\n10x15\r\n");
    ASSERT_TRUE(put(at("p.mvl"), old));
    QList<QStringList> many;
    for (int i = 0; i < 50; ++i)
        many.append({QStringLiteral("/fotos/photo%1.jpg").arg(i), QStringLiteral("1"),
                     QStringLiteral("10x15")});
    fill(many);
    dialogs.answerFile(at("p.mvl"));
    {
        FileSizeLimit limit(200);
        ASSERT_TRUE(limit.active());
        press(w->Command3);
    }
    EXPECT_EQ(contents(at("p.mvl")), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("p.mvl")});
    EXPECT_TRUE(w->project_path.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Marvolia"));
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("The project could not be saved to \"%1\": not all of it could be "
                             "written (the disk may be full). Any file of that name was left as "
                             "it was.")
                  .arg(at("p.mvl")));

    // A place where no file can be made.
    ASSERT_TRUE(put(at("plain"), "x"));
    dialogs.answerFile(at("plain/p.mvl"));
    press(w->Command3);
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].text.startsWith(
        QStringLiteral("The project could not be saved to \"%1\": it could not be created (")
            .arg(at("plain/p.mvl"))));
    EXPECT_TRUE(w->project_path.isEmpty());
}

TEST_F(ProjectOpen, AnEmptyGridAsksNothing) {
    press(w->Command4);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_EQ(dialogs.fileCalls.size(), 1);
    const auto& call = dialogs.fileCalls[0];
    EXPECT_EQ(call.mode, FileDialogMode::Open);
    EXPECT_EQ(call.request.filter, QStringLiteral("Marvolia files|*.mvl"));
    EXPECT_EQ(call.request.fileName, QString());
    EXPECT_EQ(call.request.flags, 2);
}

TEST_F(ProjectOpen, LoadsEveryRecordIntoGridAndList) {
    const QString a = photo(QStringLiteral("a.jpg"));
    const QString b = photo(QStringLiteral("b, c.jpg"), 40);
    ASSERT_TRUE(put(at("p.mvl"), " 2 \r\n" + a.toUtf8() + "\r\n2\r\n13x18\r\n\"" + b.toUtf8() +
                                     "\"\r\n1\r\n10x15\r\n"));
    dialogs.answerFile(at("p.mvl"));
    press(w->Command4);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_EQ(grid().Rows(), 3);
    EXPECT_EQ(gridTexts(),
              (QList<QStringList>{{a, QStringLiteral("2"), QStringLiteral("13x18"), a},
                                  {b, QStringLiteral("1"), QStringLiteral("10x15"), b}}));
    EXPECT_EQ(w->selection.count, 2);
    EXPECT_EQ(w->selection.entries[1].file, a);
    EXPECT_EQ(w->selection.entries[2].file, b);
    EXPECT_EQ(w->selection.entries[2].copies, QStringLiteral("1"));
    EXPECT_EQ(w->selection.entries[2].size, QStringLiteral("10x15"));
    EXPECT_EQ(w->Frame4->title(), QStringLiteral(" 2 Photos Selected"));
    for (int row = 1; row <= 2; ++row) {
        EXPECT_EQ(grid().RowHeight(row), 500);
        EXPECT_EQ(grid().CellPictureAt(row, 0).size(), QSize(40, 30));
        EXPECT_TRUE(grid().CellPictureAt(row, 2).isNull());
    }
    EXPECT_EQ(grid().Row(), 2);
    grid().setRow(1);
    grid().setCol(0);
    EXPECT_EQ(grid().CellPictureAlignment(), 1);
    EXPECT_FALSE(w->ProgressBar2->isVisibleTo(w.get()));
    EXPECT_FALSE(w->Label7->isVisibleTo(w.get()));
    EXPECT_TRUE(w->project_path.isEmpty());
}

TEST_F(ProjectOpen, APromptComesFirstWhenThereAreRows) {
    ASSERT_TRUE(put(at("p.mvl"), " 0 \r\n"));
    fill(twoPhotos());
    const QList<QStringList> before = gridTexts();

    // Cancel: nothing else happens.
    dialogs.answerMessage(MessageResult::Cancel);
    press(w->Command4);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Marvolia"));
    EXPECT_EQ(dialogs.messages[0].text, kPrompt);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_TRUE(dialogs.fileCalls.isEmpty());
    EXPECT_EQ(gridTexts(), before);

    // No, then a cancelled Open dialog: still unchanged.
    dialogs.answerMessage(MessageResult::No);
    press(w->Command4);
    ASSERT_EQ(dialogs.fileCalls.size(), 1);
    EXPECT_EQ(dialogs.fileCalls[0].mode, FileDialogMode::Open);
    EXPECT_EQ(gridTexts(), before);
    EXPECT_EQ(w->selection.count, 2);

    // Yes: Save first, then Open.
    dialogs.answerMessage(MessageResult::Yes);
    dialogs.answerFile(at("saved.mvl"));
    dialogs.answerFile(at("p.mvl"));
    press(w->Command4);
    ASSERT_EQ(dialogs.fileCalls.size(), 3);
    EXPECT_EQ(dialogs.fileCalls[1].mode, FileDialogMode::Save);
    EXPECT_EQ(dialogs.fileCalls[2].mode, FileDialogMode::Open);
    EXPECT_EQ(
        contents(at("saved.mvl")),
        QByteArray(" 2 \r\nC:\\Fotos\\a.jpg\r\n1\r\n10x15\r\nC:\\Fotos\\b.jpg\r\n3\r\n13x18\r\n"));
    EXPECT_EQ(grid().Rows(), 1);
    EXPECT_EQ(w->selection.count, 0);
    EXPECT_EQ(w->Frame4->title(), QStringLiteral(" 0 Photos Selected"));
}

TEST_F(ProjectOpen, YesWithACancelledSaveGoesOn) {
    ASSERT_TRUE(put(at("p.mvl"), " 0 \r\n"));
    fill(twoPhotos());
    dialogs.answerMessage(MessageResult::Yes);
    dialogs.answerFile(QString());
    dialogs.answerFile(at("p.mvl"));
    press(w->Command4);
    EXPECT_EQ(dialogs.fileCalls.size(), 2);
    EXPECT_EQ(w->selection.count, 0);
    EXPECT_TRUE(w->project_path.isEmpty());
}

TEST_F(ProjectOpen, YesWithAFailedSaveKeepsTheSelection) {
    ASSERT_TRUE(put(at("p.mvl"), " 0 \r\n"));
    ASSERT_TRUE(put(at("plain"), "x"));
    fill(twoPhotos());
    dialogs.answerMessage(MessageResult::Yes);
    dialogs.answerFile(at("plain/saved.mvl"));
    dialogs.answerFile(at("p.mvl"));
    press(w->Command4);
    EXPECT_EQ(dialogs.fileCalls.size(), 1);
    EXPECT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(w->selection.count, 2);
    EXPECT_EQ(grid().Rows(), 3);
}

TEST_F(ProjectOpen, SaveAfterOpenProposesTheLastSavedName) {
    ASSERT_TRUE(put(at("p.mvl"), " 0 \r\n"));
    dialogs.answerFile(at("p.mvl"));
    press(w->Command4);
    press(w->Command3);
    EXPECT_EQ(dialogs.fileCalls.last().request.fileName, QStringLiteral("untiteled"));

    dialogs.answerFile(at("first.mvl"));
    press(w->Command3);
    dialogs.answerFile(at("p.mvl"));
    press(w->Command4);
    press(w->Command3);
    EXPECT_EQ(dialogs.fileCalls.last().request.fileName, at("first.mvl"));
    EXPECT_EQ(w->project_path, at("first.mvl"));
}

TEST_F(ProjectOpen, TheMarkerPictureMarksExactlyZeroCopies) {
    const QString marker = at("no.jpg");
    const QImage markerPicture = patternPicture(20, 16, [](int, int) { return qRgb(200, 0, 0); });
    ASSERT_TRUE(writeBitmap(markerPicture, marker));
    const QString a = photo(QStringLiteral("a.jpg"));
    ASSERT_TRUE(put(at("p.mvl"), " 4 \r\n" + records({a}, "0") + records({a}, "00") +
                                     records({a}, "\" 0\"") + records({a}, "1")));
    loadProject(w->selectionControls(), at("p.mvl"), marker);
    ASSERT_EQ(grid().Rows(), 5);
    EXPECT_EQ(grid().TextMatrix(1, 2), QStringLiteral("0"));
    EXPECT_EQ(grid().CellPictureAt(1, 2).convertToFormat(QImage::Format_RGB32),
              markerPicture.convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(grid().TextMatrix(3, 2), QStringLiteral(" 0"));
    for (int row = 2; row <= 4; ++row)
        EXPECT_TRUE(grid().CellPictureAt(row, 2).isNull()) << row;

    // Without the marker the "0" stands alone, and nobody is bothered.
    loadProject(w->selectionControls(), at("p.mvl"), at("none.jpg"));
    EXPECT_EQ(grid().TextMatrix(1, 2), QStringLiteral("0"));
    EXPECT_TRUE(grid().CellPictureAt(1, 2).isNull());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ProjectOpen, TheMarkerComesFromBesideTheProgram) {
    const QString a = photo(QStringLiteral("a.jpg"));
    ASSERT_TRUE(put(at("p.mvl"), " 1 \r\n" + records({a}, "0")));
    dialogs.answerFile(at("p.mvl"));
    press(w->Command4);
    EXPECT_EQ(markerPicturePath(), QCoreApplication::applicationDirPath() + "/no.jpg");
    const PictureRead marker = readPictureFile(markerPicturePath());
    ASSERT_TRUE(marker.ok()) << "the build puts no.jpg beside the program";
    EXPECT_EQ(grid().CellPictureAt(1, 2), marker.image);
    EXPECT_EQ(grid().TextMatrix(1, 2), QStringLiteral("0"));
}

TEST_F(ProjectOpen, RoundTripsAwkwardTexts) {
    const QList<QStringList> rows = {
        {at("a, b.jpg"), QStringLiteral("1"), QStringLiteral("10x15")},
        {QStringLiteral(" /leading blank.jpg"), QStringLiteral(" 2"), QStringLiteral("13,18")},
        {QStringLiteral("/fotos/\u00e9t\u00e9 \u0141\u00f3d\u017a.jpg"), QString(),
         QStringLiteral(" 9x13")},
    };
    fill(rows);
    dialogs.answerFile(at("p.mvl"));
    press(w->Command3);
    fill({});
    dialogs.answerFile(at("p.mvl"));
    press(w->Command4);
    QList<QStringList> expected;
    for (const QStringList& r : rows)
        expected.append({r[0], r[1], r[2], r[0]});
    EXPECT_EQ(gridTexts(), expected);
    EXPECT_EQ(w->selection.entries[2].copies, QStringLiteral(" 2"));
    EXPECT_EQ(w->selection.entries[3].file, rows[2][0]);
}

TEST_F(ProjectOpen, AWindowsFileReads) {
    ASSERT_TRUE(put(at("w.mvl"), " 1 \r\nC:\\Fotos\\Se\xf1or caf\xe9.jpg\r\n2\r\n13x18\r\n"));
    dialogs.answerFile(at("w.mvl"));
    press(w->Command4);
    ASSERT_EQ(grid().Rows(), 2);
    EXPECT_EQ(grid().TextMatrix(1, 1), QStringLiteral("C:\\Fotos\\Se\u00f1or caf\u00e9.jpg"));
    EXPECT_EQ(grid().TextMatrix(1, 2), QStringLiteral("2"));
}

TEST_F(ProjectOpen, ABadFileChangesNothing) {
    fill(twoPhotos());
    w->selection.entries[3] = {QStringLiteral("/spare.jpg"), QStringLiteral("5"),
                               QStringLiteral("x")};
    const QList<QStringList> before = gridTexts();
    const QString title = w->Frame4->title();
    ASSERT_TRUE(put(at("cut.mvl"), " 2 \r\n/a.jpg\r\n1\r\n10x15\r\n/b.jpg\r\n"));
    ASSERT_TRUE(put(at("word.mvl"), "two\r\n/a.jpg\r\n1\r\n10x15\r\n"));
    struct Case {
        QString file;
        QString text;
    };
    const Case cases[] = {
        {at("cut.mvl"),
         QStringLiteral("The project \"%1\" cannot be read: it ends inside the record "
                        "of photo 2, after 1 complete records. The selection was "
                        "left as it was.")},
        {at("word.mvl"), QStringLiteral("The project \"%1\" cannot be read: its first field, the "
                                        "number of photos, is not a number. The selection was "
                                        "left as it was.")},
        {at("none.mvl"), QStringLiteral("The project \"%1\" could not be opened: it does not "
                                        "exist. The selection was left as it was.")},
    };
    for (const Case& c : cases) {
        dialogs.messages.clear();
        dialogs.answerMessage(MessageResult::No);
        dialogs.answerFile(c.file);
        press(w->Command4);
        ASSERT_EQ(dialogs.messages.size(), 2);
        EXPECT_EQ(dialogs.messages[1].title, QStringLiteral("Marvolia"));
        EXPECT_EQ(dialogs.messages[1].text, c.text.arg(c.file));
        EXPECT_EQ(gridTexts(), before);
        EXPECT_EQ(grid().CellPictureAt(1, 0), QImage());
        EXPECT_EQ(w->selection.count, 2);
        EXPECT_EQ(w->selection.entries[3].file, QStringLiteral("/spare.jpg"));
        EXPECT_EQ(w->Frame4->title(), title);
    }
}

TEST_F(ProjectOpen, MissingPicturesAreListedOnceAfterLoading) {
    const QString a = photo(QStringLiteral("a.jpg"));
    ASSERT_TRUE(put(at("broken.jpg"), "not a picture"));
    ASSERT_TRUE(put(at("p.mvl"), " 3 \r\n" + records({at("gone.jpg"), a, at("broken.jpg")})));
    int rowsWhenTold = -1;
    dialogs.onMessage = [&](const ScriptedDialogs::MessageCall&) { rowsWhenTold = grid().Rows(); };
    dialogs.answerFile(at("p.mvl"));
    press(w->Command4);
    ASSERT_EQ(grid().Rows(), 4);
    EXPECT_EQ(rowsWhenTold, 4);
    EXPECT_TRUE(grid().CellPictureAt(1, 0).isNull());
    EXPECT_EQ(grid().CellPictureAt(2, 0).size(), QSize(40, 30));
    EXPECT_TRUE(grid().CellPictureAt(3, 0).isNull());
    EXPECT_EQ(grid().TextMatrix(1, 1), at("gone.jpg"));
    ASSERT_EQ(dialogs.messages.size(), 1);
    const QString text = dialogs.messages[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("The project \"%1\" was loaded, but these pictures "
                                               "could not be shown:\n\n%2: ")
                                    .arg(at("p.mvl"), at("gone.jpg"))))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\n%1: ").arg(at("broken.jpg"))));
    EXPECT_FALSE(text.contains(a + QStringLiteral(":")));
}

TEST_F(ProjectOpen, AThousandRecordsLoadNineHundredNinetyNine) {
    QStringList paths;
    for (int i = 1; i <= 1000; ++i)
        paths << QStringLiteral("/nowhere/p%1.jpg").arg(i);
    ASSERT_TRUE(put(at("big.mvl"), " 1000 \r\n" + records(paths)));
    dialogs.answerFile(at("big.mvl"));
    press(w->Command4);
    EXPECT_EQ(grid().Rows(), 1000);
    EXPECT_EQ(w->selection.count, 999);
    EXPECT_EQ(w->selection.entries[999].file, QStringLiteral("/nowhere/p999.jpg"));
    EXPECT_EQ(w->Frame4->title(), QStringLiteral(" 999 Photos Selected"));
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("The project \"%1\" holds 1000 photos, but at most 999 can be "
                             "selected: the first 999 were loaded and 1 were left out.")
                  .arg(at("big.mvl")));
    // The unreadable pictures: one message, the first few named.
    const QString pictures = dialogs.messages[1].text;
    EXPECT_EQ(pictures.count(QLatin1Char('\n')), 22);
    EXPECT_TRUE(pictures.endsWith(QStringLiteral("\nand 979 more")));
}

TEST_F(ProjectOpen, ProgressAndScrollingWhileLoading) {
    const QString a = photo(QStringLiteral("a.jpg"));
    QStringList eleven;
    for (int i = 0; i < 11; ++i)
        eleven << a;
    ASSERT_TRUE(put(at("p.mvl"), " 11 \r\n" + records(eleven)));
    struct Seen {
        int value;
        int maximum;
        bool bar;
        bool label;
        int rows;
    };
    QList<Seen> seen;
    QObject::connect(&grid(), &FlexGrid::scrollRequested, [&](int request) {
        EXPECT_EQ(request, FlexGrid::SB_BOTTOM);
        seen.append({w->ProgressBar2->value(), w->ProgressBar2->maximum(),
                     w->ProgressBar2->isVisibleTo(w.get()), w->Label7->isVisibleTo(w.get()),
                     grid().Rows()});
    });
    dialogs.answerFile(at("p.mvl"));
    press(w->Command4);
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0].value, 10);
    EXPECT_EQ(seen[0].maximum, 11);
    EXPECT_TRUE(seen[0].bar);
    EXPECT_TRUE(seen[0].label);
    EXPECT_EQ(seen[0].rows, 11);
    EXPECT_EQ(seen[1].value, 11);
    EXPECT_FALSE(w->ProgressBar2->isVisibleTo(w.get()));
    EXPECT_FALSE(w->Label7->isVisibleTo(w.get()));

    // Nine rows never scroll.
    seen.clear();
    ASSERT_TRUE(put(at("nine.mvl"), " 9 \r\n" + records(eleven.mid(0, 9))));
    dialogs.answerMessage(MessageResult::No);
    dialogs.answerFile(at("nine.mvl"));
    press(w->Command4);
    EXPECT_EQ(grid().Rows(), 10);
    EXPECT_TRUE(seen.isEmpty());
}

TEST(ProjectProgress, EndsWhereTheLoadEnds) {
    EXPECT_EQ(loadingProgressMaximum(2, 2), 2);
    EXPECT_EQ(loadingProgressMaximum(0, 0), 1);
    EXPECT_EQ(loadingProgressMaximum(0, 3), 3);
    EXPECT_EQ(loadingProgressMaximum(1, 5), 5);
    EXPECT_EQ(loadingProgressMaximum(7, 2), 7);
}

#include "platform/files/picturefile.h"
#include "selection/flows/openandsave.h"
#include "tests/support/window/windowfixture.h"
#include "xpbutton/xpbutton.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>

namespace {

using ProjectSave = WindowFixture;
using ProjectOpen = WindowFixture;

const QList<QStringList> kTwoPhotos = {{"C:\\Fotos\\a.jpg", "1", "10x15"},
                                       {"C:\\Fotos\\b.jpg", "3", "13x18"}};
const QByteArray kTwoPhotosFile =
    " 2 \r\nC:\\Fotos\\a.jpg\r\n1\r\n10x15\r\nC:\\Fotos\\b.jpg\r\n3\r\n13x18\r\n";

QByteArray records(const QStringList& paths, const char* copies = "1") {
    QByteArray bytes;
    for (const QString& p : paths)
        bytes += p.toUtf8() + "\r\n" + copies + "\r\n10x15\r\n";
    return bytes;
}

} // namespace

TEST_F(ProjectSave, WritesTheGridUnderTheNameAsTyped) {
    fill(kTwoPhotos);
    click(ui(w).Command3); // cancelled
    EXPECT_TRUE(ui(w).project_path.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).isEmpty());

    dialogs.answerFile(file("two.mvl"));
    click(ui(w).Command3);
    EXPECT_EQ(contents(file("two.mvl")), kTwoPhotosFile);
    ASSERT_EQ(dialogs.fileCalls.size(), 2);
    const auto& call = dialogs.fileCalls[1];
    EXPECT_EQ(call.mode, FileDialogMode::Save);
    EXPECT_EQ(call.request.filter, "Marvolia files|*.mvl");
    EXPECT_EQ(call.request.fileName, "untiteled");
    EXPECT_EQ(call.request.flags, 2);
    EXPECT_EQ(ui(w).project_path, file("two.mvl"));

    fill({});
    dialogs.answerFile(file("order"));
    click(ui(w).Command3);
    EXPECT_EQ(dialogs.fileCalls[2].request.fileName, file("two.mvl"));
    EXPECT_EQ(contents(file("order")), QByteArray(" 0 \r\n"));
    EXPECT_FALSE(QFile::exists(file("order.mvl")));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// A full disk is tried at every point by the hardening tests.
TEST_F(ProjectSave, AFailedSaveKeepsTheOldFileAndSaysSo) {
    const QByteArray old(" 1 \r\n/old.jpg\r\n1\r\n10x15\r\n");
    ASSERT_TRUE(put(file("p.mvl"), old));
    ASSERT_TRUE(put(file("plain"), "x"));
    const QString quoted = "/f/say \"cheese\", Ana.jpg";
    fill({{"/f/a.jpg", "1", "10x15"}, {quoted, "1", "10x15"}});
    dialogs.answerFile(file("p.mvl"));
    click(ui(w).Command3);
    fill({{"/f/a.jpg", "1", "10x15"}});
    dialogs.answerFile(file("plain/p.mvl"));
    click(ui(w).Command3);

    EXPECT_EQ(contents(file("p.mvl")), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"p.mvl", "plain"}));
    EXPECT_TRUE(ui(w).project_path.isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("The project could not be saved to \"%1\": the path of row 2, the "
                             "photo \"%2\", holds a double quote (\") where a project file "
                             "cannot store it: at its start, or in a text with a comma or a "
                             "leading blank. Nothing was written.")
                  .arg(file("p.mvl"), quoted));
    EXPECT_TRUE(dialogs.messages[1].text.startsWith(
        QStringLiteral("The project could not be saved to \"%1\": it could not be created (")
            .arg(file("plain/p.mvl"))));
}

// A project or list the user made read-only (444 in a writable folder) is
// never replaced, also when the program runs as root.
TEST_F(ProjectSave, ReadOnlyFilesAreRefusedAndKept) {
    const QString a = jpegPhoto("a.jpg", 1);
    ASSERT_TRUE(QDir(dir.path()).mkdir("out"));
    const auto readOnly = QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther;
    const struct {
        const char* name;
        XpButton* button;
        bool browses;
        QString message;
    } cases[] = {
        {"p.mvl", ui(w).Command3, false,
         "The project could not be saved to \"%1\": it is read-only. Any file of that name was "
         "left as it was."},
        {"list.txt", ui(w).Command1, false,
         "The order list could not be written to \"%1\": it is read-only."},
        {"out/lab.txt", ui(w).Command2, true,
         "Not all of the order could be gathered in \"%2\":\n\nThe list \"%1\" could not be "
         "written: it is read-only."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fill({{a, "2", "13x18"}});
        const QString target = file(c.name);
        ASSERT_TRUE(put(target, "the user's own"));
        ASSERT_TRUE(QFile::setPermissions(target, readOnly));
        dialogs.messages.clear();
        if (c.browses)
            dialogs.answerFolder(file("out"));
        dialogs.answerFile(target);
        click(c.button);
        EXPECT_EQ(contents(target), "the user's own");
        // (The "user" flags say what whoever runs the test may do.)
        const auto user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;
        EXPECT_EQ(QFile::permissions(target) & ~user, readOnly & ~user);
        ASSERT_FALSE(dialogs.messages.isEmpty());
        EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
        EXPECT_EQ(dialogs.messages[0].text,
                  c.browses ? c.message.arg(target, file("out")) : c.message.arg(target));
    }
    EXPECT_TRUE(ui(w).project_path.isEmpty());
    // Nothing was left beside them.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"a.jpg", "list.txt", "p.mvl"}));
    EXPECT_EQ(QDir(file("out")).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"a.jpg", "lab.txt"}));
}

TEST_F(ProjectOpen, LoadsEveryRecordIntoGridAndList) {
    const QString a = jpegPhoto("a.jpg");
    const QString b = jpegPhoto("b, c.jpg", 40);
    ASSERT_TRUE(put(file("p.mvl"), " 2 \r\n" + a.toUtf8() + "\r\n2\r\n13x18\r\n\"" + b.toUtf8() +
                                       "\"\r\n1\r\n10x15\r\n"));
    dialogs.answerFile(file("p.mvl"));
    click(ui(w).Command4); // an empty grid asks nothing first
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_EQ(dialogs.fileCalls.size(), 1);
    const auto& call = dialogs.fileCalls[0];
    EXPECT_EQ(call.mode, FileDialogMode::Open);
    EXPECT_EQ(call.request.filter, "Marvolia files|*.mvl");
    EXPECT_EQ(call.request.fileName, "");
    EXPECT_EQ(call.request.flags, 2);

    EXPECT_EQ(gridTexts(), (QList<QStringList>{{a, "2", "13x18", a}, {b, "1", "10x15", b}}));
    EXPECT_EQ(ui(w).selection.count, 2);
    EXPECT_EQ(ui(w).selection.entries[1].file, a);
    EXPECT_EQ(ui(w).selection.entries[2].file, b);
    EXPECT_EQ(ui(w).selection.entries[2].copies, "1");
    EXPECT_EQ(ui(w).selection.entries[2].size, "10x15");
    EXPECT_EQ(ui(w).Frame4->title(), " 2 Photos Selected");
    for (int row = 1; row <= 2; ++row) {
        EXPECT_EQ(grid().RowHeight(row), 500);
        EXPECT_EQ(grid().CellPictureAt(row, 0).size(), QSize(40, 30));
        EXPECT_TRUE(grid().CellPictureAt(row, 2).isNull());
    }
    EXPECT_EQ(grid().Row(), 2);
    grid().setRow(1);
    grid().setCol(0);
    EXPECT_EQ(grid().CellPictureAlignment(), 1);
    EXPECT_EQ(ui(w).project_path, file("p.mvl")) << "the project open now";
}

TEST_F(ProjectOpen, APromptComesFirstWhenThereAreRows) {
    ASSERT_TRUE(put(file("p.mvl"), " 0 \r\n"));
    ASSERT_TRUE(put(file("plain"), "x"));
    const struct {
        MessageResult answer;
        QStringList files; // answers to the Save and Open dialogs in turn
        QList<FileDialogMode> asked;
        bool opened;
    } cases[] = {
        {MessageResult::Cancel, {}, {}, false},
        {MessageResult::No, {}, {FileDialogMode::Open}, false},
        {MessageResult::Yes,
         {"", file("p.mvl")},
         {FileDialogMode::Save, FileDialogMode::Open},
         true},
        {MessageResult::Yes,
         {file("saved.mvl"), file("p.mvl")},
         {FileDialogMode::Save, FileDialogMode::Open},
         true},
        // A save that fails stops the opening.
        {MessageResult::Yes,
         {file("plain/saved.mvl"), file("p.mvl")},
         {FileDialogMode::Save},
         false},
    };
    for (const auto& c : cases) {
        fill(kTwoPhotos);
        dialogs.messages.clear();
        dialogs.fileCalls.clear();
        dialogs.answerMessage(c.answer);
        for (const QString& f : c.files)
            dialogs.answerFile(f);
        click(ui(w).Command4);
        ASSERT_GE(dialogs.messages.size(), 1);
        EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
        EXPECT_EQ(dialogs.messages[0].text, "Do you want to save actual proyect ?");
        EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::YesNoCancel);
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
        QList<FileDialogMode> asked;
        for (const auto& f : dialogs.fileCalls)
            asked << f.mode;
        EXPECT_EQ(asked, c.asked);
        EXPECT_EQ(ui(w).selection.count, c.opened ? 0 : 2);
        EXPECT_EQ(grid().Rows(), c.opened ? 1 : 3);
        if (c.opened) {
            EXPECT_EQ(ui(w).Frame4->title(), " 0 Photos Selected");
        }
    }
    EXPECT_EQ(contents(file("saved.mvl")), kTwoPhotosFile);
}

// Save proposes the project the user has open: the one last opened or saved,
// never an older one that Enter and Yes would replace.
TEST_F(ProjectOpen, SaveAfterOpenProposesTheProjectOpened) {
    ASSERT_TRUE(put(file("p.mvl"), " 0 \r\n"));
    ASSERT_TRUE(put(file("cut.mvl"), " 1 \r\n/a.jpg\r\n"));
    const struct {
        const char* opened; // or saved, with a leading "+"
        const char* proposed;
    } steps[] = {{"p.mvl", "p.mvl"},
                 {"+first.mvl", "first.mvl"},
                 {"p.mvl", "p.mvl"},
                 {"cut.mvl", "p.mvl"}}; // a file that cannot be read opens nothing
    for (const auto& step : steps) {
        const QString name = QString::fromLatin1(step.opened);
        dialogs.answerFile(file(name.startsWith('+') ? name.mid(1) : name));
        click(name.startsWith('+') ? ui(w).Command3 : ui(w).Command4);
        click(ui(w).Command3); // and cancel
        EXPECT_EQ(dialogs.fileCalls.last().request.fileName, file(step.proposed)) << step.opened;
        EXPECT_EQ(ui(w).project_path, file(step.proposed));
    }
}

TEST_F(ProjectOpen, TheMarkerPictureMarksExactlyZeroCopies) {
    const QString a = jpegPhoto("a.jpg");
    ASSERT_TRUE(put(file("p.mvl"), " 4 \r\n" + records({a}, "0") + records({a}, "00") +
                                       records({a}, "\" 0\"") + records({a}, "1")));
    dialogs.answerFile(file("p.mvl"));
    click(ui(w).Command4);
    EXPECT_EQ(markerPicturePath(), QCoreApplication::applicationDirPath() + "/no.jpg");
    const PictureRead marker = readPictureFile(markerPicturePath());
    ASSERT_TRUE(marker.ok()) << "the build puts no.jpg beside the program";
    ASSERT_EQ(grid().Rows(), 5);
    EXPECT_EQ(grid().TextMatrix(1, 2), "0");
    EXPECT_EQ(grid().CellPictureAt(1, 2), marker.image);
    EXPECT_EQ(grid().TextMatrix(3, 2), " 0");
    for (int row = 2; row <= 4; ++row)
        EXPECT_TRUE(grid().CellPictureAt(row, 2).isNull()) << row;

    // Without the marker the "0" stands alone, and nobody is bothered.
    loadProject(ui(w).orderController, file("p.mvl"), file("none.jpg"));
    EXPECT_EQ(grid().TextMatrix(1, 2), "0");
    EXPECT_TRUE(grid().CellPictureAt(1, 2).isNull());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(ProjectOpen, ReadsWindowsFiles) {
    ASSERT_TRUE(put(file("w.mvl"), " 1 \r\nC:\\Fotos\\Se\xf1or caf\xe9.jpg\r\n2\r\n13x18\r\n"));
    dialogs.answerFile(file("w.mvl"));
    click(ui(w).Command4);
    EXPECT_EQ(gridTexts(), (QList<QStringList>{{"C:\\Fotos\\Se\u00f1or caf\u00e9.jpg", "2", "13x18",
                                                "C:\\Fotos\\Se\u00f1or caf\u00e9.jpg"}}));
}

TEST_F(ProjectOpen, ABadFileChangesNothing) {
    fill(kTwoPhotos);
    ui(w).selection.entries[3] = {"/spare.jpg", "5", "x"};
    const QList<QStringList> before = gridTexts();
    const QString title = ui(w).Frame4->title();
    ASSERT_TRUE(put(file("cut.mvl"), " 2 \r\n/a.jpg\r\n1\r\n10x15\r\n/b.jpg\r\n"));
    ASSERT_TRUE(put(file("word.mvl"), "two\r\n/a.jpg\r\n1\r\n10x15\r\n"));
    const std::pair<QString, QString> cases[] = {
        {file("cut.mvl"),
         "The project \"%1\" cannot be read: it ends inside the record of photo 2, "
         "after 1 complete record. The selection was left as it was."},
        {file("word.mvl"), "The project \"%1\" cannot be read: its first field, the number of "
                           "photos, is not a number. The selection was left as it was."},
        {file("none.mvl"), "The project \"%1\" could not be opened: it does not exist. The "
                           "selection was left as it was."},
    };
    for (const auto& [file, text] : cases) {
        dialogs.messages.clear();
        dialogs.answerMessage(MessageResult::No);
        dialogs.answerFile(file);
        click(ui(w).Command4);
        ASSERT_EQ(dialogs.messages.size(), 2);
        EXPECT_EQ(dialogs.messages[1].title, "Marvolia");
        EXPECT_EQ(dialogs.messages[1].text, text.arg(file));
        EXPECT_EQ(gridTexts(), before);
        EXPECT_EQ(grid().CellPictureAt(1, 0), QImage());
        EXPECT_EQ(ui(w).selection.count, 2);
        EXPECT_EQ(ui(w).selection.entries[3].file, "/spare.jpg");
        EXPECT_EQ(ui(w).Frame4->title(), title);
    }
}

TEST_F(ProjectOpen, AThousandRecordsLoadNineHundredNinetyNine) {
    QStringList paths;
    for (int i = 1; i <= 1000; ++i)
        paths << QStringLiteral("/nowhere/p%1.jpg").arg(i);
    ASSERT_TRUE(put(file("big.mvl"), " 1000 \r\n" + records(paths)));
    dialogs.answerFile(file("big.mvl"));
    click(ui(w).Command4);
    EXPECT_EQ(grid().Rows(), 1000);
    EXPECT_EQ(ui(w).selection.count, 999);
    EXPECT_EQ(ui(w).selection.entries[999].file, "/nowhere/p999.jpg");
    EXPECT_EQ(ui(w).Frame4->title(), " 999 Photos Selected");
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("The project \"%1\" holds 1000 photos, but at most 999 can be "
                             "selected: the first 999 were loaded and 1 was left out.")
                  .arg(file("big.mvl")));
    // The unreadable pictures: one message, the first few named; they are
    // missing, so it asks whether to look for them.
    const QString pictures = dialogs.messages[1].text;
    EXPECT_EQ(pictures.count('\n'), 24);
    EXPECT_TRUE(pictures.endsWith("\nand 979 more\n\nLook for them in another folder?"));
}

TEST_F(ProjectOpen, ProgressAndScrollingWhileLoading) {
    const QString a = jpegPhoto("a.jpg");
    ASSERT_TRUE(put(file("p.mvl"), " 11 \r\n" + records(QStringList(11, a))));
    ASSERT_TRUE(put(file("nine.mvl"), " 9 \r\n" + records(QStringList(9, a))));
    QList<QList<int>> seen; // value, maximum, bar and label shown, rows
    QObject::connect(&grid(), &FlexGrid::scrollRequested, [&](int request) {
        EXPECT_EQ(request, FlexGrid::SB_BOTTOM);
        seen.append({ui(w).ProgressBar2->value(), ui(w).ProgressBar2->maximum(),
                     ui(w).ProgressBar2->isVisibleTo(w.get()), ui(w).Label7->isVisibleTo(w.get()),
                     grid().Rows()});
    });
    dialogs.answerFile(file("p.mvl"));
    click(ui(w).Command4);
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0], (QList<int>{10, 11, 1, 1, 11}));
    EXPECT_EQ(seen[1][0], 11);
    EXPECT_FALSE(ui(w).ProgressBar2->isVisibleTo(w.get()));
    EXPECT_FALSE(ui(w).Label7->isVisibleTo(w.get()));

    // Nine rows never scroll.
    seen.clear();
    dialogs.answerMessage(MessageResult::No);
    dialogs.answerFile(file("nine.mvl"));
    click(ui(w).Command4);
    EXPECT_EQ(grid().Rows(), 10);
    EXPECT_TRUE(seen.isEmpty());
}

TEST(ProjectProgress, EndsWhereTheLoadEnds) {
    const int cases[][3] = {{2, 2, 2}, {0, 0, 1}, {0, 3, 3}, {1, 5, 5}, {7, 2, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(loadingProgressMaximum(c[0], c[1]), c[2]) << c[0] << "," << c[1];
}

namespace {
// The paints a widget gets while "Loading..." is up, with the grid's rows then.
struct LoadPaints : QObject {
    LoadPaints(QWidget* watched, const QWidget* loading, const FlexGrid& grid)
        : name(watched->metaObject()->className()), m_loading(loading), m_grid(grid) {
        watched->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_loading->isVisible())
            rows.append(m_grid.Rows());
        return false;
    }
    std::string name;
    const QWidget* m_loading;
    const FlexGrid& m_grid;
    QList<int> rows;
};
} // namespace

TEST_F(ProjectOpen, LoadingIsPaintedAtOnceAndThenAtMostEveryFiftyMilliseconds) {
    const QString a = jpegPhoto("a.jpg");
    ASSERT_TRUE(put(file("p.mvl"), " 300 \r\n" + records(QStringList(300, a))));
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    QCoreApplication::processEvents();
    // The window and every part of it, where the closed Open dialog was too
    // (Frame1 holds nothing the load changes).
    LoadPaints window(w.get(), ui(w).Label7, grid());
    LoadPaints frame(ui(w).Frame1, ui(w).Label7, grid());
    LoadPaints label(ui(w).Label7, ui(w).Label7, grid());
    LoadPaints bar(ui(w).ProgressBar2, ui(w).Label7, grid());
    dialogs.answerFile(file("p.mvl"));
    QElapsedTimer clock;
    clock.start();
    click(ui(w).Command4);
    const qint64 took = clock.elapsed();
    ASSERT_EQ(grid().Rows(), 301);

    // At once, before the first row: the whole window, the label and its bar.
    for (const LoadPaints* paints : {&window, &frame, &label, &bar}) {
        ASSERT_FALSE(paints->rows.isEmpty()) << paints->name;
        EXPECT_EQ(paints->rows.first(), 1) << paints->name;
    }
    // Then no more often than every 50 ms, however fast the rows come.
    EXPECT_LE(window.rows.size(), 2 + took / 50) << took << " ms";
    // Each of those turns paints the label and the bar (perhaps twice); the
    // bar never paints itself in between.
    EXPECT_LE(label.rows.size(), 2 * window.rows.size());
    EXPECT_LE(bar.rows.size(), 2 * window.rows.size());
}

// Rows framed by the user come back framed, and are saved so again; a
// damaged block leaves the rows as they are, with one message naming the
// file.
TEST_F(ProjectOpen, FramedRowsGoThroughOpenAndSaveAndADamagedBlockOnlyLosesTheFraming) {
    const QString a = jpegPhoto("a.jpg");
    const QString b = jpegPhoto("b.jpg");
    const QByteArray rows = " 2 \r\n" + records({a, b});
    const QByteArray block = "[Marvolia framing] 2\r\n1 whole\r\n2 fill 0.5 0.5 0.25\r\n";
    ASSERT_TRUE(put(file("p.mvl"), rows + block));
    dialogs.answerFile(file("p.mvl"));
    click(ui(w).Command4);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_EQ(ui(w).order.count(), 2);
    EXPECT_EQ(ui(w).order.rows()[0].framing, Framing{FramingMode::Whole});
    EXPECT_EQ(ui(w).order.rows()[1].framing, (Framing{FramingMode::Fill, 0.5, 0.5, 0.25}));
    EXPECT_FALSE(ui(w).order.changedSinceSaved());
    dialogs.answerFile(file("again.mvl"));
    click(ui(w).Command3);
    EXPECT_EQ(contents(file("again.mvl")), rows + block);

    ASSERT_TRUE(put(file("damaged.mvl"), rows + "[Marvolia framing] 2\r\n1 whole\r\n"));
    dialogs.answerMessage(MessageResult::No);
    dialogs.answerFile(file("damaged.mvl"));
    click(ui(w).Command4);
    ASSERT_EQ(dialogs.messages.size(), 2); // the prompt to save first, then what went wrong
    EXPECT_EQ(dialogs.messages[1].title, "Marvolia");
    EXPECT_EQ(
        dialogs.messages[1].text,
        "The project \"" + file("damaged.mvl") +
            "\" was opened, but the framing of its photos could not be "
            "read (its head does not count its 1 lines): every photo fills its paper with the "
            "cut centred.");
    EXPECT_EQ(gridTexts(), (QList<QStringList>{{a, "1", "10x15", a}, {b, "1", "10x15", b}}));
    EXPECT_TRUE(ui(w).order.rows()[0].framing.isDefault());
    EXPECT_TRUE(ui(w).order.rows()[1].framing.isDefault());
}

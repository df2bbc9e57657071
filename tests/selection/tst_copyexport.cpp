#include "copyexport.h"
#include "folderbrowser.h"
#include "orderwindow.h"

#include <QAbstractButton>
#include <QProgressBar>

namespace {

using CopyExport = OrderWindow;

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

TEST(CopyExportNames, NumberedNames) {
    EXPECT_EQ(numberedName(QStringLiteral("a.jpg"), 2), QStringLiteral("a (2).jpg"));
    EXPECT_EQ(numberedName(QStringLiteral("a.b.JPG"), 3), QStringLiteral("a.b (3).JPG"));
    EXPECT_EQ(numberedName(QStringLiteral("a"), 2), QStringLiteral("a (2)"));
    EXPECT_EQ(numberedName(QStringLiteral(".hidden"), 2), QStringLiteral(".hidden (2)"));

    FolderNames names;
    names.reserve(QStringLiteral("Kept.jpg"));
    EXPECT_EQ(names.claim(QStringLiteral("a.jpg")), QStringLiteral("a.jpg"));
    EXPECT_EQ(names.claim(QStringLiteral("A.JPG")), QStringLiteral("A (2).JPG"));
    EXPECT_EQ(names.claim(QStringLiteral("a.jpg")), QStringLiteral("a (3).jpg"));
    EXPECT_EQ(names.claim(QStringLiteral("kept.jpg")), QStringLiteral("kept (2).jpg"));
    EXPECT_EQ(names.claim(QStringLiteral("a (2).jpg")), QStringLiteral("a (2) (2).jpg"));
}

TEST(CopyExportNames, PathsAndLines) {
    EXPECT_EQ(pathInFolder(QStringLiteral("/media/card"), QStringLiteral("a.jpg")),
              QStringLiteral("/media/card/a.jpg"));
    EXPECT_EQ(pathInFolder(QStringLiteral("/"), QStringLiteral("a.jpg")), QStringLiteral("/a.jpg"));
    EXPECT_EQ(folderListLine(QStringLiteral("a.jpg"),
                             {QStringLiteral("C:\\Fotos\\a.jpg"), QStringLiteral("2"),
                              QStringLiteral("13x18"), QString()}),
              QStringLiteral("File: a.jpg, Copies 2, Size 13x18"));
}

TEST(CopyExportNames, FolderBrowserHelpers) {
    EXPECT_EQ(cut_at_nul(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(cut_at_nul(QStringLiteral("ab") + QChar(0) + QStringLiteral("junk")),
              QStringLiteral("ab"));
    EXPECT_EQ(cut_at_nul(QString()), QString());

    QTemporaryDir dir;
    EXPECT_TRUE(ItemIdList{}.isNull());
    EXPECT_EQ(path_from_id_list({}), QString());
    EXPECT_EQ(path_from_id_list({dir.path()}), dir.path());
    EXPECT_EQ(path_from_id_list({dir.path() + QChar(0) + QStringLiteral("x")}), dir.path());
    EXPECT_EQ(path_from_id_list({dir.filePath(QStringLiteral("missing"))}), QString());
    QFile file(dir.filePath(QStringLiteral("f")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(path_from_id_list({file.fileName()}), QString());

    ScriptedDialogs dialogs;
    dialogs.answerFolder(dir.path());
    EXPECT_EQ(browse_folder(dialogs, nullptr, QStringLiteral("t")).place, dir.path());
    EXPECT_TRUE(browse_folder(dialogs, nullptr, QStringLiteral("t")).isNull());
    EXPECT_EQ(dialogs.folderTitles, (QStringList{QStringLiteral("t"), QStringLiteral("t")}));
}

TEST_F(CopyExport, CopiesListsAndOpensTheFolder) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("out")));
    const QString out = at(QStringLiteral("out"));
    const QString a = photo(QStringLiteral("a.jpg"), 1);
    const QString b = photo(QStringLiteral("b.jpg"), 2);
    const QString c = photo(QStringLiteral("c.jpg"), 3);
    const QString d = photo(QStringLiteral("d.jpg"), 4);
    fill({{a, QStringLiteral("2"), QStringLiteral("13x18")},
          {b, QStringLiteral("0"), QStringLiteral("10x15")},
          {c, QStringLiteral("00"), QStringLiteral("10x15")},
          {d, QStringLiteral(" 0"), QStringLiteral("9x13")}});
    QList<std::pair<int, int>> progress;
    QObject::connect(w->ProgressBar1, &QProgressBar::valueChanged, [&](int value) {
        progress.append({value, w->ProgressBar1->maximum()});
    });
    dialogs.answerFolder(out);
    dialogs.answerFile(out + QStringLiteral("/list.txt"));
    press(w->Command2);

    EXPECT_EQ(dialogs.folderTitles,
              QStringList{QStringLiteral("Select the path where you want to all the images to be "
                                         "saved")});
    ASSERT_EQ(dialogs.fileCalls.size(), 1);
    const auto& call = dialogs.fileCalls[0];
    EXPECT_EQ(call.mode, FileDialogMode::Save);
    EXPECT_EQ(call.request.initDir, out);
    EXPECT_EQ(call.request.filter, QStringLiteral("Text Files|*.txt"));
    EXPECT_EQ(call.request.fileName, QStringLiteral("untitled"));
    EXPECT_EQ(call.request.flags, 2);

    EXPECT_EQ(contents(out + QStringLiteral("/list.txt")),
              QByteArray("File: a.jpg, Copies 2, Size 13x18\r\n"
                         "File: c.jpg, Copies 00, Size 10x15\r\n"
                         "File: d.jpg, Copies  0, Size 9x13\r\n"));
    EXPECT_EQ(filesIn(out), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("c.jpg"),
                                         QStringLiteral("d.jpg"), QStringLiteral("list.txt")}));
    for (const QString& p : {a, c, d})
        EXPECT_EQ(contents(out + QLatin1Char('/') + QFileInfo(p).fileName()), contents(p));
    EXPECT_EQ(progress, (QList<std::pair<int, int>>{{1, 4}, {2, 4}, {3, 4}, {4, 4}}));
    EXPECT_FALSE(w->ProgressBar1->isVisibleTo(w.get()));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].program, QStringLiteral("explorer.exe"));
    EXPECT_EQ(shell.started[0].argument, out);
    EXPECT_EQ(shell.started[0].style, WindowStyle::Normal);
}

TEST_F(CopyExport, TheFolderStaysSetForLaterDialogs) {
    dialogs.answerFolder(dir.path());
    dialogs.answerFile(at(QStringLiteral("list.txt")));
    press(w->Command2);
    press(w->Command1);
    press(w->Command3);
    ASSERT_EQ(dialogs.fileCalls.size(), 3);
    EXPECT_EQ(dialogs.fileCalls[1].request.initDir, dir.path());
    EXPECT_EQ(dialogs.fileCalls[2].request.initDir, dir.path());
}

TEST_F(CopyExport, CancellingWritesAndCopiesNothing) {
    const QString a = photo(QStringLiteral("a.jpg"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("out")));
    fill({{a, QStringLiteral("1"), QStringLiteral("10x15")}});

    press(w->Command2); // the folder browser cancelled
    EXPECT_TRUE(dialogs.fileCalls.isEmpty());

    dialogs.answerFolder(at(QStringLiteral("out")));
    press(w->Command2); // the Save dialog cancelled
    EXPECT_EQ(dialogs.fileCalls.size(), 1);

    dialogs.answerFolder(at(QStringLiteral("a.jpg"))); // no folder
    press(w->Command2);
    EXPECT_EQ(dialogs.fileCalls.size(), 1);

    EXPECT_TRUE(filesIn(at(QStringLiteral("out"))).isEmpty());
    EXPECT_TRUE(shell.started.isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(CopyExport, AnEmptySelectionStillOpensTheFolder) {
    ASSERT_TRUE(put(at(QStringLiteral("list.txt")), "old"));
    dialogs.answerFolder(dir.path());
    dialogs.answerFile(at(QStringLiteral("list.txt")));
    press(w->Command2);
    EXPECT_EQ(contents(at(QStringLiteral("list.txt"))), QByteArray());
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("list.txt")});
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].argument, dir.path());
}

TEST_F(CopyExport, NoPhotoIsLostInTheFolder) {
    QDir(dir.path()).mkpath(QStringLiteral("one"));
    QDir(dir.path()).mkpath(QStringLiteral("two"));
    QDir(dir.path()).mkpath(QStringLiteral("out"));
    const QString one = photo(QStringLiteral("one/a.jpg"), 1);
    const QString two = photo(QStringLiteral("two/A.JPG"), 2);
    const QString inside = photo(QStringLiteral("out/b.jpg"), 3);
    const QString otherB = photo(QStringLiteral("one/b.jpg"), 4);
    const QString out = at(QStringLiteral("out"));
    const QByteArray insideBytes = contents(inside);
    ASSERT_TRUE(put(out + QStringLiteral("/c.jpg"), "a stranger"));
    const QString c = photo(QStringLiteral("two/c.jpg"), 5);
    fill({{one, QStringLiteral("1"), QStringLiteral("10x15")},
          {otherB, QStringLiteral("2"), QStringLiteral("10x15")},
          {two, QStringLiteral("3"), QStringLiteral("10x15")},
          {one, QStringLiteral("4"), QStringLiteral("13x18")},
          {inside, QStringLiteral("5"), QStringLiteral("10x15")},
          {c, QStringLiteral("6"), QStringLiteral("10x15")}});
    // The folder as a drive's root comes: with its separator at the end.
    dialogs.answerFolder(out + QLatin1Char('/'));
    dialogs.answerFile(out + QStringLiteral("/list.txt"));
    press(w->Command2);

    EXPECT_EQ(contents(out + QStringLiteral("/list.txt")),
              QByteArray("File: a.jpg, Copies 1, Size 10x15\r\n"
                         "File: b (2).jpg, Copies 2, Size 10x15\r\n"
                         "File: A (2).JPG, Copies 3, Size 10x15\r\n"
                         "File: a.jpg, Copies 4, Size 13x18\r\n"
                         "File: b.jpg, Copies 5, Size 10x15\r\n"
                         "File: c.jpg, Copies 6, Size 10x15\r\n"));
    EXPECT_EQ(filesIn(out), (QStringList{QStringLiteral("A (2).JPG"), QStringLiteral("a.jpg"),
                                         QStringLiteral("b (2).jpg"), QStringLiteral("b.jpg"),
                                         QStringLiteral("c.jpg"), QStringLiteral("list.txt")}));
    EXPECT_EQ(contents(out + QStringLiteral("/a.jpg")), contents(one));
    EXPECT_EQ(contents(out + QStringLiteral("/A (2).JPG")), contents(two));
    EXPECT_EQ(contents(out + QStringLiteral("/b (2).jpg")), contents(otherB));
    EXPECT_EQ(contents(out + QStringLiteral("/b.jpg")), insideBytes);
    EXPECT_EQ(contents(out + QStringLiteral("/c.jpg")), contents(c));
    EXPECT_NE(contents(one), contents(two));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].argument, out + QLatin1Char('/'));
}

TEST_F(CopyExport, TheCopyComesFromTheHiddenPathColumn) {
    QDir(dir.path()).mkpath(QStringLiteral("out"));
    const QString a = photo(QStringLiteral("a.jpg"), 7);
    fill({{a, QStringLiteral("1"), QStringLiteral("10x15")}});
    grid().setTextMatrix(1, 1, QStringLiteral("/somewhere/else/a.jpg"));
    dialogs.answerFolder(at(QStringLiteral("out")));
    dialogs.answerFile(at(QStringLiteral("out/list.txt")));
    press(w->Command2);
    EXPECT_EQ(contents(at(QStringLiteral("out/a.jpg"))), contents(a));
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(CopyExport, FailuresAreGatheredInOneMessage) {
    QDir(dir.path()).mkpath(QStringLiteral("out"));
    const QString out = at(QStringLiteral("out"));
    const QString a = photo(QStringLiteral("a.jpg"), 1);
    const QString gone = at(QStringLiteral("gone.jpg"));
    const QString b = photo(QStringLiteral("b.jpg"), 2);
    ASSERT_TRUE(put(at(QStringLiteral("plain")), "x"));
    fill({{a, QStringLiteral("1"), QStringLiteral("10x15")},
          {gone, QStringLiteral("1"), QStringLiteral("10x15")},
          {gone, QStringLiteral("2"), QStringLiteral("10x15")},
          {b, QStringLiteral("1"), QStringLiteral("10x15")}});
    dialogs.answerFolder(out);
    dialogs.answerFile(at(QStringLiteral("plain/list.txt")));
    press(w->Command2);

    EXPECT_EQ(filesIn(out), (QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")}));
    EXPECT_EQ(contents(out + QStringLiteral("/b.jpg")), contents(b));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Marvolia"));
    const QStringList lines = dialogs.messages[0].text.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0],
              QStringLiteral("Not all of the order could be gathered in \"%1\":").arg(out));
    EXPECT_EQ(lines[2], QStringLiteral("%1: the file does not exist").arg(gone));
    EXPECT_TRUE(lines[3].startsWith(
        QStringLiteral("The list \"%1\" could not be written: it could not be created (")
            .arg(at(QStringLiteral("plain/list.txt")))));
    EXPECT_FALSE(messageTexts().contains(QStringLiteral("File generated. Click 'Ok' to view the "
                                                        "list.")));
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].argument, out);
}

TEST_F(CopyExport, AListInTheFolderKeepsItsName) {
    QDir(dir.path()).mkpath(QStringLiteral("out"));
    const QString a = photo(QStringLiteral("order.txt"), 1);
    fill({{a, QStringLiteral("1"), QStringLiteral("10x15")}});
    dialogs.answerFolder(at(QStringLiteral("out")));
    dialogs.answerFile(at(QStringLiteral("out/order.txt")));
    press(w->Command2);
    EXPECT_EQ(contents(at(QStringLiteral("out/order.txt"))),
              QByteArray("File: order (2).txt, Copies 1, Size 10x15\r\n"));
    EXPECT_EQ(contents(at(QStringLiteral("out/order (2).txt"))), contents(a));
}

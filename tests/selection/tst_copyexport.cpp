#include "app/core/browse.h"
#include "platform/files/filecopy.h"
#include "platform/files/filewriter.h"
#include "platform/files/hiddenname.h"
#include "selection/flows/copyexport.h"
#include "selection/flows/folderbrowser.h"
#include "selection/order/framing.h"
#include "tests/support/fileresults.h"
#include "tests/support/formats/formatmaker.h"
#include "tests/support/jpegmaker.h"
#include "tests/support/window/windowfixture.h"
#include "xpbutton/xpbutton.h"

#include <QDir>
#include <QProgressBar>

namespace {

using CopyExport = WindowFixture;

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

TEST(CopyExportNames, NamesPathsAndLines) {
    EXPECT_EQ(numberedName("a.jpg", 2), "a (2).jpg");
    EXPECT_EQ(numberedName("a.b.JPG", 3), "a.b (3).JPG");
    EXPECT_EQ(numberedName("a", 2), "a (2)");
    EXPECT_EQ(numberedName(".hidden", 2), ".hidden (2)");
    // The longest names the file system takes: the stem gives way, by whole
    // characters, so the numbered name still fits.
    const QString longest = QString(251, QLatin1Char('n')) + ".jpg";
    EXPECT_EQ(numberedName(longest, 2), QString(247, QLatin1Char('n')) + " (2).jpg");
    EXPECT_EQ(numberedName(longest, 10), QString(246, QLatin1Char('n')) + " (10).jpg");
    const QString accents = QString(125, QChar(0xE9)) + ".jpg";                        // 254 bytes
    EXPECT_EQ(numberedName(accents, 2), QString(123, QChar(0xE9)) + " (2).jpg");       // 254 bytes
    const QString emoji = QString::fromUtf8("\xF0\x9F\x93\xB7").repeated(62) + ".jpg"; // 252
    EXPECT_EQ(numberedName(emoji, 2),
              QString::fromUtf8("\xF0\x9F\x93\xB7").repeated(61) + " (2).jpg");
    EXPECT_EQ(numberedName(QString(255, QLatin1Char('x')), 3),
              QString(251, QLatin1Char('x')) + " (3)");

    FolderNames names;
    names.reserve("Kept.jpg");
    const std::pair<QString, QString> claims[] = {{"a.jpg", "a.jpg"},
                                                  {"A.JPG", "A (2).JPG"},
                                                  {"a.jpg", "a (3).jpg"},
                                                  {"kept.jpg", "kept (2).jpg"},
                                                  {"a (2).jpg", "a (2) (2).jpg"}};
    for (const auto& [wanted, given] : claims)
        EXPECT_EQ(names.claim(wanted), given);

    EXPECT_EQ(fullPath("/media/card", "a.jpg"), "/media/card/a.jpg");
    EXPECT_EQ(fullPath("/", "a.jpg"), "/a.jpg");
    EXPECT_EQ(folderListLine("a.jpg", {"C:\\Fotos\\a.jpg", "2", "13x18", ""}),
              "File: a.jpg, Copies 2, Size 13x18");
}

TEST(CopyExportNames, FolderBrowserHelpers) {
    EXPECT_EQ(cut_at_nul("abc"), "abc");
    EXPECT_EQ(cut_at_nul(QStringLiteral("ab") + QChar(0) + "junk"), "ab");

    QTemporaryDir dir;
    EXPECT_TRUE(ItemIdList{}.isNull());
    EXPECT_EQ(path_from_id_list({}), "");
    EXPECT_EQ(path_from_id_list({dir.path()}), dir.path());
    EXPECT_EQ(path_from_id_list({dir.path() + QChar(0) + "x"}), dir.path());
    EXPECT_EQ(path_from_id_list({dir.filePath("missing")}), "");
    ASSERT_TRUE(writeFileBytes(dir.filePath("f"), ""));
    EXPECT_EQ(path_from_id_list({dir.filePath("f")}), "");

    ScriptedDialogs dialogs;
    dialogs.answerFolder(dir.path());
    EXPECT_EQ(browse_folder(dialogs, nullptr, "t").place, dir.path());
    EXPECT_TRUE(browse_folder(dialogs, nullptr, "t").isNull());
    EXPECT_EQ(dialogs.folderTitles, (QStringList{"t", "t"}));
}

TEST_F(CopyExport, CopiesListsAndOpensTheFolder) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("out"));
    const QString out = file("out");
    const QString a = jpegPhoto("a.jpg", 1);
    const QString c = jpegPhoto("c.jpg", 3);
    const QString d = jpegPhoto("d.jpg", 4);
    fill({{a, "2", "13x18"},
          {jpegPhoto("b.jpg", 2), "0", "10x15"},
          {c, "00", "10x15"},
          {d, " 0", "9x13"}});
    QList<std::pair<int, int>> progress;
    QObject::connect(ui(w).ProgressBar1, &QProgressBar::valueChanged, [&](int value) {
        progress.append({value, ui(w).ProgressBar1->maximum()});
    });
    dialogs.answerFolder(out);
    dialogs.answerFile(out + "/list.txt");
    click(ui(w).Command2);

    EXPECT_EQ(dialogs.folderTitles,
              QStringList{"Select the path where you want to all the images to be saved"});
    ASSERT_EQ(dialogs.fileCalls.size(), 1);
    const auto& call = dialogs.fileCalls[0];
    EXPECT_EQ(call.mode, FileDialogMode::Save);
    EXPECT_EQ(call.request.initDir, out);
    EXPECT_EQ(call.request.filter, "Text Files|*.txt");
    EXPECT_EQ(call.request.fileName, out + "/untitled.txt");
    EXPECT_EQ(call.request.flags, 2);

    EXPECT_EQ(contents(out + "/list.txt"), QByteArray("File: a.jpg, Copies 2, Size 13x18\r\n"
                                                      "File: c.jpg, Copies 00, Size 10x15\r\n"
                                                      "File: d.jpg, Copies  0, Size 9x13\r\n"));
    EXPECT_EQ(filesIn(out), (QStringList{"a.jpg", "c.jpg", "d.jpg", "list.txt"}));
    for (const QString& p : {a, c, d})
        EXPECT_EQ(contents(out + '/' + QFileInfo(p).fileName()), contents(p));
    EXPECT_EQ(progress, (QList<std::pair<int, int>>{{1, 4}, {2, 4}, {3, 4}, {4, 4}}));
    EXPECT_FALSE(ui(w).ProgressBar1->isVisibleTo(w.get()));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].program, "explorer.exe");
    EXPECT_EQ(shell.started[0].argument, out);
    EXPECT_EQ(shell.started[0].style, WindowStyle::Normal);

    // The folder stays the start of later dialogs.
    click(ui(w).Command1);
    click(ui(w).Command3);
    ASSERT_EQ(dialogs.fileCalls.size(), 3);
    EXPECT_EQ(dialogs.fileCalls[1].request.initDir, out);
    EXPECT_EQ(dialogs.fileCalls[2].request.initDir, out);
}

TEST_F(CopyExport, CancellingWritesAndCopiesNothing) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("out"));
    fill({{jpegPhoto("a.jpg"), "1", "10x15"}});

    click(ui(w).Command2); // the folder browser cancelled
    EXPECT_TRUE(dialogs.fileCalls.isEmpty());
    dialogs.answerFolder(file("out"));
    click(ui(w).Command2); // the Save dialog cancelled
    EXPECT_EQ(dialogs.fileCalls.size(), 1);
    dialogs.answerFolder(file("a.jpg")); // no folder
    click(ui(w).Command2);
    EXPECT_EQ(dialogs.fileCalls.size(), 1);

    EXPECT_TRUE(filesIn(file("out")).isEmpty());
    EXPECT_TRUE(shell.started.isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

TEST_F(CopyExport, AnEmptySelectionStillWritesTheListAndOpensTheFolder) {
    ASSERT_TRUE(put(file("list.txt"), "old"));
    dialogs.answerFolder(dir.path());
    dialogs.answerFile(file("list.txt"));
    click(ui(w).Command2);
    EXPECT_EQ(contents(file("list.txt")), QByteArray());
    EXPECT_EQ(filesIn(dir.path()), QStringList{"list.txt"});
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].argument, dir.path());
}

TEST_F(CopyExport, NoPhotoIsLostInTheFolder) {
    for (const char* sub : {"one", "two", "out"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(sub));
    const QString one = jpegPhoto("one/a.jpg", 1);
    const QString two = jpegPhoto("two/A.JPG", 2);
    const QString inside = jpegPhoto("out/b.jpg", 3);
    const QString otherB = jpegPhoto("one/b.jpg", 4);
    const QString out = file("out");
    const QByteArray insideBytes = contents(inside);
    ASSERT_TRUE(put(out + "/c.jpg", "a stranger"));
    const QString c = jpegPhoto("two/c.jpg", 5);
    ASSERT_TRUE(put(file("order.txt"), "a photo named like the list"));
    fill({{one, "1", "10x15"},
          {otherB, "2", "10x15"},
          {two, "3", "10x15"},
          {one, "4", "13x18"},
          {inside, "5", "10x15"},
          {c, "6", "10x15"},
          {file("order.txt"), "7", "10x15"}});
    // The folder as a drive's root comes: with its separator at the end.
    dialogs.answerFolder(out + '/');
    dialogs.answerFile(out + "/order.txt");
    click(ui(w).Command2);

    EXPECT_EQ(contents(out + "/order.txt"), QByteArray("File: a.jpg, Copies 1, Size 10x15\r\n"
                                                       "File: b (2).jpg, Copies 2, Size 10x15\r\n"
                                                       "File: A (2).JPG, Copies 3, Size 10x15\r\n"
                                                       "File: a.jpg, Copies 4, Size 13x18\r\n"
                                                       "File: b.jpg, Copies 5, Size 10x15\r\n"
                                                       "File: c (2).jpg, Copies 6, Size 10x15\r\n"
                                                       "File: order (2).txt, Copies 7, Size "
                                                       "10x15\r\n"));
    EXPECT_EQ(filesIn(out), (QStringList{"A (2).JPG", "a.jpg", "b (2).jpg", "b.jpg", "c (2).jpg",
                                         "c.jpg", "order (2).txt", "order.txt"}));
    EXPECT_EQ(contents(out + "/a.jpg"), contents(one));
    EXPECT_EQ(contents(out + "/A (2).JPG"), contents(two));
    EXPECT_EQ(contents(out + "/b (2).jpg"), contents(otherB));
    EXPECT_EQ(contents(out + "/b.jpg"), insideBytes);
    // A file of the folder that is no copy of the photo stays as it was.
    EXPECT_EQ(contents(out + "/c.jpg"), "a stranger");
    EXPECT_EQ(contents(out + "/c (2).jpg"), contents(c));
    EXPECT_EQ(contents(out + "/order (2).txt"), contents(file("order.txt")));
    EXPECT_NE(contents(one), contents(two));
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].argument, out + '/');
}

TEST_F(CopyExport, FailuresAreGatheredInOneMessage) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("out"));
    const QString out = file("out");
    const QString gone = file("gone.jpg");
    const QString b = jpegPhoto("b.jpg", 2);
    ASSERT_TRUE(put(file("plain"), "x"));
    fill({{jpegPhoto("a.jpg", 1), "1", "10x15"},
          {gone, "1", "10x15"},
          {gone, "2", "10x15"},
          {b, "1", "10x15"}});
    dialogs.answerFolder(out);
    dialogs.answerFile(file("plain/list.txt"));
    click(ui(w).Command2);

    EXPECT_EQ(filesIn(out), (QStringList{"a.jpg", "b.jpg"}));
    EXPECT_EQ(contents(out + "/b.jpg"), contents(b));
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
    const QStringList lines = dialogs.messages[0].text.split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0],
              QStringLiteral("Not all of the order could be gathered in \"%1\":").arg(out));
    EXPECT_EQ(lines[2], gone + ": the file does not exist");
    EXPECT_TRUE(lines[3].startsWith(
        QStringLiteral("The list \"%1\" could not be written: it could not be created (")
            .arg(file("plain/list.txt"))));
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_EQ(shell.started[0].argument, out);
}

// A file already in the folder is replaced only by the same bytes: a photo of
// the order with "0" copies, or a camera's IMG_0002.JPG of the user's own,
// stays as it is, and the photo takes the next free name.
TEST_F(CopyExport, NeverReplacesAFileThatIsNoCopyOfThePhoto) {
    for (const char* sub : {"card", "out"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(sub));
    const QString out = file("out");
    const QString unlisted = jpegPhoto("out/zero.jpg", 1);
    const QString zero = jpegPhoto("card/zero.jpg", 2);
    const QString camera = jpegPhoto("card/IMG_0002.JPG", 3);
    const QString earlier = jpegPhoto("card/IMG_0003.JPG", 4);
    const QByteArray unlistedBytes = contents(unlisted);
    ASSERT_TRUE(put(out + "/IMG_0002.JPG", "the user's own IMG_0002"));
    ASSERT_TRUE(put(out + "/IMG_0002 (2).JPG", "and another one"));
    // Copied by an earlier export: the same bytes under the same name.
    ASSERT_TRUE(put(out + "/IMG_0003.JPG", contents(earlier)));
    fill({{unlisted, "0", "10x15"},
          {zero, "1", "10x15"},
          {camera, "2", "13x18"},
          {earlier, "3", "10x15"}});
    const QByteArray list = "File: zero (2).jpg, Copies 1, Size 10x15\r\n"
                            "File: IMG_0002 (3).JPG, Copies 2, Size 13x18\r\n"
                            "File: IMG_0003.JPG, Copies 3, Size 10x15\r\n";
    const QStringList files{"IMG_0002 (2).JPG", "IMG_0002 (3).JPG", "IMG_0002.JPG", "IMG_0003.JPG",
                            "lab.txt",          "zero (2).jpg",     "zero.jpg"};
    // Twice: the second export finds its own copies and leaves the folder as it was.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        dialogs.answerFolder(out);
        dialogs.answerFile(out + "/lab.txt");
        click(ui(w).Command2);
        EXPECT_EQ(contents(out + "/lab.txt"), list);
        EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name), files);
        EXPECT_EQ(contents(unlisted), unlistedBytes);
        EXPECT_EQ(contents(out + "/IMG_0002.JPG"), "the user's own IMG_0002");
        EXPECT_EQ(contents(out + "/IMG_0002 (2).JPG"), "and another one");
        EXPECT_EQ(contents(out + "/IMG_0002 (3).JPG"), contents(camera));
        EXPECT_EQ(contents(out + "/zero (2).jpg"), contents(zero));
        EXPECT_EQ(contents(out + "/IMG_0003.JPG"), contents(earlier));
    }
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// The longest name a file may have still takes a number when its place is
// taken, and what an export killed halfway left in the folder is cleared.
TEST_F(CopyExport, TheLongestNamesAreNumberedAndAKilledExportsLeftoversCleared) {
    for (const char* sub : {"card", "out"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(sub));
    const QString out = file("out");
    const QString name = QString(251, QLatin1Char('n')) + ".jpg"; // 255 bytes
    const QString numbered = QString(247, QLatin1Char('n')) + " (2).jpg";
    const QString camera = jpegPhoto("card/" + name, 5);
    ASSERT_TRUE(put(out + "/" + name, "the user's own"));
    const QString leftover = hiddenSiblingName(numbered, ".marvolia-copy.5eed1e55");
    ASSERT_TRUE(put(out + "/" + leftover, "half a copy"));
    fill({{camera, "2", "13x18"}});
    dialogs.answerFolder(out);
    dialogs.answerFile(out + "/lab.txt");
    click(ui(w).Command2);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(contents(out + "/lab.txt"),
              "File: " + numbered.toUtf8() + ", Copies 2, Size 13x18\r\n");
    EXPECT_EQ(contents(out + "/" + numbered), contents(camera));
    EXPECT_EQ(contents(out + "/" + name), "the user's own");
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"lab.txt", numbered, name}));
}

// The list for the lab is proposed beside the photos, named after the project.
TEST_F(CopyExport, ProposesTheListInTheChosenFolder) {
    for (const char* sub : {"projects", "out"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(sub));
    const QString out = file("out");
    fill({{jpegPhoto("a.jpg", 1), "1", "10x15"}});
    const struct {
        QString project;
        QString folder;
        QString proposed;
    } cases[] = {
        {"", out, out + "/untitled.txt"},
        {file("projects/summer.mvl"), out, out + "/summer.txt"},
        {file("projects/summer.mvl"), out + '/', out + "/summer.txt"},
        {file("projects/order"), out, out + "/order.txt"},
        {file("projects/old.list.mvl"), out, out + "/old.list.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.project.toStdString());
        ui(w).project_path = c.project;
        dialogs.fileCalls.clear();
        dialogs.answerFolder(c.folder);
        click(ui(w).Command2); // the Save dialog cancelled
        ASSERT_EQ(dialogs.fileCalls.size(), 1);
        EXPECT_EQ(dialogs.fileCalls[0].request.fileName, c.proposed);
        EXPECT_EQ(dialogs.fileCalls[0].request.initDir, c.folder);
    }
    EXPECT_TRUE(filesIn(out).isEmpty());
    EXPECT_TRUE(filesIn(file("projects")).isEmpty());

    // The order list's own proposal is unchanged: beside the project.
    dialogs.fileCalls.clear();
    ui(w).project_path = file("projects/summer.mvl");
    click(ui(w).Command1);
    ASSERT_EQ(dialogs.fileCalls.size(), 1);
    EXPECT_EQ(dialogs.fileCalls[0].request.fileName, file("projects/summer.txt"));
}

// When the folder's program reports afterwards that it could not show it,
// the user is told where the folder is.
TEST_F(CopyExport, AFolderThatCouldNotBeShownIsNamed) {
    const QString out = file("out");
    ASSERT_TRUE(QDir(dir.path()).mkpath("out"));
    dialogs.answerFolder(out);
    dialogs.answerFile(out + "/lab.txt");
    click(ui(w).Command2);
    ASSERT_EQ(shell.started.size(), 1);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    ASSERT_TRUE(shell.started[0].failedLater);
    shell.started[0].failedLater();
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].title, "Marvolia");
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("The folder \"%1\" could not be opened.").arg(out));
    // Once the window is gone, nobody is told.
    const std::function<void()> late = shell.started[0].failedLater;
    w.reset();
    late();
    EXPECT_EQ(dialogs.messages.size(), 1);
}

// The list never takes the place of a photo of the order, wherever it lies and
// whatever its copies, nor leaves the folder through a link: each such name is
// refused and the Save dialog asked again, with the name still in it.
TEST_F(CopyExport, TheListNeverTakesThePlaceOfAPhoto) {
    for (const char* sub : {"photos", "out", "elsewhere"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(sub));
    const QString out = file("out");
    const QString a = jpegPhoto("photos/a.jpg", 1);
    const QString b = jpegPhoto("out/b.jpg", 2);
    const QString zero = jpegPhoto("photos/z.jpg", 3);
    ASSERT_TRUE(put(file("elsewhere/notes.txt"), "notes"));
    ASSERT_TRUE(QFile::link(a, out + "/link.txt"));
    ASSERT_TRUE(QFile::link(file("elsewhere/notes.txt"), out + "/away.txt"));
    const QByteArray before = contents(a) + contents(b) + contents(zero);
    fill({{a, "1", "10x15"}, {b, "2", "10x15"}, {zero, "0", "10x15"}});
    const QString aPhoto = QStringLiteral("\": that is a photo of the order. Choose another name "
                                          "for the list.");
    const std::pair<QString, QString> refused[] = {
        {out + "/b.jpg", aPhoto},
        {a, aPhoto},
        {zero, aPhoto},
        {out + "/link.txt", aPhoto},
        {out + "/away.txt", "\": that is a link to \"" + file("elsewhere/notes.txt") +
                                "\", outside the folder for the lab. Choose another name for the "
                                "list."},
    };
    dialogs.answerFolder(out);
    for (const auto& [name, why] : refused)
        dialogs.answerFile(name);
    dialogs.answerFile(out + "/lab.txt");
    click(ui(w).Command2);

    ASSERT_EQ(dialogs.messages.size(), std::size(refused));
    ASSERT_EQ(dialogs.fileCalls.size(), std::size(refused) + 1);
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        EXPECT_EQ(dialogs.messages[i].text,
                  "The list cannot be written as \"" + refused[i].first + refused[i].second);
        EXPECT_EQ(dialogs.fileCalls[i + 1].request.fileName, refused[i].first);
    }
    EXPECT_EQ(contents(a) + contents(b) + contents(zero), before);
    EXPECT_EQ(contents(file("elsewhere/notes.txt")), "notes");
    EXPECT_EQ(contents(out + "/lab.txt"), "File: a.jpg, Copies 1, Size 10x15\r\n"
                                          "File: b.jpg, Copies 2, Size 10x15\r\n");
    ASSERT_EQ(shell.started.size(), 1);
}

// A line break in a photo's name would break the lists' lines: the folder
// gets the photo under its name with a blank for each, as the lists name it.
TEST_F(CopyExport, LineBreaksInNamesBecomeBlanks) {
    for (const char* sub : {"photos", "out"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(sub));
    const QString out = file("out");
    const QString p = jpegPhoto("photos/p\nq.jpg", 1);
    const QString r = jpegPhoto("photos/r\r.jpg", 2);
    const QString s = jpegPhoto("out/s\r\nt.jpg", 3);
    ASSERT_TRUE(put(out + "/p q.jpg", "a stranger"));
    fill({{p, "1", "10x15"}, {r, "2", "13x18"}, {s, "3", "10x15"}});
    dialogs.answerFolder(out);
    dialogs.answerFile(out + "/lab.txt");
    click(ui(w).Command2);
    EXPECT_EQ(contents(out + "/lab.txt"), "File: p q (2).jpg, Copies 1, Size 10x15\r\n"
                                          "File: r .jpg, Copies 2, Size 13x18\r\n"
                                          "File: s  t.jpg, Copies 3, Size 10x15\r\n");
    EXPECT_EQ(filesIn(out), (QStringList{"lab.txt", "p q (2).jpg", "p q.jpg", "r .jpg",
                                         "s\r\nt.jpg", "s  t.jpg"}));
    EXPECT_EQ(contents(out + "/p q (2).jpg"), contents(p));
    EXPECT_EQ(contents(out + "/s  t.jpg"), contents(s));

    dialogs.answerFile(file("order.txt"));
    click(ui(w).Command1);
    EXPECT_EQ(contents(file("order.txt")), "File: p q.jpg, Copies: 1, Size: 10x15\r\n"
                                           "File: r .jpg, Copies: 2, Size: 13x18\r\n"
                                           "File: s  t.jpg, Copies: 3, Size: 10x15\r\n");
}

// On a memory card "beach (2).jpg" and "BEACH (2).JPG" are one file: a name
// is free only when nothing in the folder has it in any letter case, hidden
// files and folders too. A link is never taken for a copy, even of the same
// bytes: the lab would get the link.
TEST_F(CopyExport, NamesTakenInAnyLetterCaseOrByALink) {
    for (const char* sub : {"one", "two", "out", "out/C.JPG"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(sub));
    const QString out = file("out");
    const QString lower = jpegPhoto("one/beach.jpg", 1);
    const QString upper = jpegPhoto("two/BEACH.JPG", 2);
    const QString c = jpegPhoto("one/c.jpg", 3);
    const QString d = jpegPhoto("one/d.jpg", 4);
    const QString e = jpegPhoto("one/.e.jpg", 5);
    ASSERT_TRUE(put(out + "/Beach.jpg", "the user's"));
    ASSERT_TRUE(put(out + "/beach (2).jpg", "the user's too"));
    ASSERT_TRUE(QFile::link(d, out + "/d.jpg"));
    ASSERT_TRUE(put(out + "/.E.JPG", "hidden"));
    fill({{lower, "1", "10x15"},
          {upper, "2", "10x15"},
          {c, "3", "10x15"},
          {d, "4", "10x15"},
          {e, "5", "10x15"}});
    dialogs.answerFolder(out);
    dialogs.answerFile(out + "/lab.txt");
    click(ui(w).Command2);
    EXPECT_EQ(contents(out + "/lab.txt"), "File: beach (3).jpg, Copies 1, Size 10x15\r\n"
                                          "File: BEACH (4).JPG, Copies 2, Size 10x15\r\n"
                                          "File: c (2).jpg, Copies 3, Size 10x15\r\n"
                                          "File: d (2).jpg, Copies 4, Size 10x15\r\n"
                                          "File: .e (2).jpg, Copies 5, Size 10x15\r\n");
    const std::pair<const char*, QString> copies[] = {{"beach (3).jpg", lower},
                                                      {"BEACH (4).JPG", upper},
                                                      {"c (2).jpg", c},
                                                      {"d (2).jpg", d},
                                                      {".e (2).jpg", e}};
    for (const auto& [name, source] : copies) {
        EXPECT_FALSE(QFileInfo(out + '/' + name).isSymLink()) << name;
        EXPECT_EQ(contents(out + '/' + name), contents(source)) << name;
    }
    EXPECT_EQ(contents(out + "/Beach.jpg"), "the user's");
    EXPECT_EQ(contents(out + "/beach (2).jpg"), "the user's too");
    EXPECT_TRUE(dialogs.messages.isEmpty());
}

// The list names exactly the photos that are in the folder when it is
// written: one that could not be copied is named in the message instead.
TEST_F(CopyExport, TheListNamesOnlyWhatReachedTheFolder) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("out"));
    const QString out = file("out");
    const QString gone = file("gone.jpg");
    fill({{jpegPhoto("a.jpg", 1), "1", "10x15"},
          {gone, "2", "10x15"},
          {jpegPhoto("b.jpg", 2), "3", "9x13"}});
    dialogs.answerFolder(out);
    dialogs.answerFile(out + "/lab.txt");
    click(ui(w).Command2);
    EXPECT_EQ(contents(out + "/lab.txt"), "File: a.jpg, Copies 1, Size 10x15\r\n"
                                          "File: b.jpg, Copies 3, Size 9x13\r\n");
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_EQ(dialogs.messages[0].text,
              QStringLiteral("Not all of the order could be gathered in \"%1\":\n\n%2: the file "
                             "does not exist")
                  .arg(out, gone));
}

// Another copy of the program gathering another order in the same folder at
// the same moment: its copy in flight is neither removed nor replaced; this
// export takes the next name, and each list names its own photo.
TEST_F(CopyExport, AnotherExportInFlightIsLeftAlone) {
    for (const char* sub : {"one", "two", "out"})
        ASSERT_TRUE(QDir(dir.path()).mkpath(sub));
    const QString out = file("out");
    const QString theirs = jpegPhoto("one/x.jpg", 1);
    const QString ours = jpegPhoto("two/x.jpg", 2);
    FileWriter other;
    ASSERT_EQ(outcomeOf(other.copy(theirs, out + "/x.jpg", CopyOver::NeverReplace)), Copy::Copied);
    fill({{ours, "1", "10x15"}});
    dialogs.answerFolder(out);
    dialogs.answerFile(out + "/lab.txt");
    click(ui(w).Command2);
    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(contents(out + "/lab.txt"), "File: x (2).jpg, Copies 1, Size 10x15\r\n");

    const std::vector<FileResult<Written>>& results = other.commit();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(outcomeOf(results[0]), Copy::Copied) << whyNot(results[0]).toStdString();
    EXPECT_EQ(contents(out + "/x.jpg"), contents(theirs));
    EXPECT_EQ(contents(out + "/x (2).jpg"), contents(ours));
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"lab.txt", "x (2).jpg", "x.jpg"}));
}

// The lab takes JPEGs: a photo of another kind goes there as one named after
// it, a JPEG as it is; a photo that cannot be decoded is named at the end and
// leaves nothing behind.
TEST_F(CopyExport, PhotosOfOtherKindsReachTheFolderAsJpegs) {
    ASSERT_TRUE(QDir(dir.path()).mkpath("out"));
    const QString out = file("out");
    const QString heic = file("a.HEIC");
    ASSERT_TRUE(
        writeHeif(heic, QImage(64, 48, QImage::Format_RGB32), {}, {6, {}, "2024:05:06 07:08:09"}));
    const QString png = file("b.png");
    ASSERT_TRUE(put(png, encodePng(QImage(30, 20, QImage::Format_RGB32), {})));
    const QString cut = file("cut.heic");
    ASSERT_TRUE(put(cut, contents(heic).left(300)));
    const QString jpeg = jpegPhoto("c.jpg", 3);
    ASSERT_TRUE(put(out + "/b.jpg", "the user's own b.jpg"));
    fill({{heic, "2", "10x15"},
          {png, "1", "13x18"},
          {cut, "1", "10x15"},
          {jpeg, "1", "9x13"},
          {file("zero.png"), "0", "10x15"}});
    dialogs.answerFolder(out);
    dialogs.answerFile(out + "/lab.txt");
    click(ui(w).Command2);

    EXPECT_EQ(contents(out + "/lab.txt"), "File: a.jpg, Copies 2, Size 10x15\r\n"
                                          "File: b (2).jpg, Copies 1, Size 13x18\r\n"
                                          "File: c.jpg, Copies 1, Size 9x13\r\n");
    EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"a.jpg", "b (2).jpg", "b.jpg", "c.jpg", "lab.txt"}));
    EXPECT_EQ(contents(out + "/b.jpg"), "the user's own b.jpg");
    EXPECT_EQ(contents(out + "/c.jpg"), contents(jpeg));
    // Upright: the HEIC's quarter turn is in the JPEG's pixels.
    EXPECT_EQ(referenceDecode(contents(out + "/a.jpg")).size(), QSize(48, 64));
    EXPECT_EQ(referenceDecode(contents(out + "/b (2).jpg")).size(), QSize(30, 20));
    ASSERT_EQ(dialogs.messages.size(), 1);
    const QStringList lines = dialogs.messages[0].text.split('\n');
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].startsWith(cut + ": it is not a readable HEIF picture ("))
        << lines[2].toStdString();
    // The order keeps its photos as they are.
    EXPECT_EQ(ui(w).MSFlexGrid1->TextMatrix(1, 1), heic);
}

// A framed row's print is made for it and named after the photo and the size;
// a row the lab frames gets the photo as it is. Rows asking for the same
// print share it; the same photo framed two ways gives two.
TEST_F(CopyExport, FramedRowsGetTheirPrintsMade) {
    EXPECT_EQ(printFileName("IMG_5207.HEIC", "10x15"), "IMG_5207 10x15.jpg");
    EXPECT_EQ(printFileName("a.b.jpg", " 9 x 13 "), "a.b 9 x 13.jpg");
    EXPECT_EQ(printFileName("noext", "50,5x75"), "noext 50,5x75.jpg");
    EXPECT_EQ(printFileName(QString(300, 'n') + ".jpg", "10x15"), QString(245, 'n') + " 10x15.jpg");

    ASSERT_TRUE(QDir(dir.path()).mkpath("out"));
    const QString out = file("out");
    const QString a = jpegPhoto("a.jpg", 1); // 80 x 60
    fill({{a, "1", "10x15"},
          {a, "2", "13x18"},
          {a, "1", "9x13"},
          {a, "1", "A4"},
          {a, "3", "10x15"}});
    ui(w).order.setFraming({0, 4}, {FramingMode::Fill, 0.5, 0.5, 0}, "framing");
    ui(w).order.setFraming({1, 3}, {FramingMode::Whole}, "framing");
    dialogs.answerFolder(out);
    dialogs.answerFile(out + "/lab.txt");
    click(ui(w).Command2);

    EXPECT_TRUE(dialogs.messages.isEmpty());
    EXPECT_EQ(contents(out + "/lab.txt"), "File: a 10x15.jpg, Copies 1, Size 10x15\r\n"
                                          "File: a 13x18.jpg, Copies 2, Size 13x18\r\n"
                                          "File: a.jpg, Copies 1, Size 9x13\r\n"
                                          "File: a.jpg, Copies 1, Size A4\r\n"
                                          "File: a 10x15.jpg, Copies 3, Size 10x15\r\n");
    EXPECT_EQ(contents(out + "/a.jpg"), contents(a));
    const QImage top = referenceDecode(contents(out + "/a 10x15.jpg"));
    EXPECT_EQ(top.size(), QSize(40, 27));
    EXPECT_LE(qGreen(top.pixel(0, 0)), 8) << "the cut at the top, green 0 there";
    EXPECT_EQ(referenceDecode(contents(out + "/a 13x18.jpg")).size(), QSize(83, 60));
    EXPECT_EQ(filesIn(out), (QStringList{"a 10x15.jpg", "a 13x18.jpg", "a.jpg", "lab.txt"}));
}

#include "platform/controls/dirlist.h"
#include "platform/controls/drivelist.h"
#include "platform/controls/filelist.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdio>

namespace {

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
}

QStringList itemsOf(const QListWidget& list) {
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.item(i)->text();
    return out;
}

// A folder of files in mixed letter cases, hidden files and a sub-folder.
struct Folder : ::testing::Test {
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

    Folder() {
        for (const char* name :
             {"c.JPG", "a.jpg", "B.Jpg", "d.png", "e.jpeg", ".hidden.jpg", "notes.txt"})
            touch(path(QString::fromLatin1(name)));
        QDir(dir.path()).mkdir(QStringLiteral("sub.jpg"));
        QDir(dir.path()).mkdir(QStringLiteral("Alpha"));
        QDir(dir.path()).mkdir(QStringLiteral(".secret"));
    }
};

TEST_F(Folder, FileListMatchesThePatternInAnyCaseInNameOrder) {
    FileList list;
    list.setPattern(QStringLiteral("*.JPG"));
    list.setPath(dir.path());
    EXPECT_EQ(itemsOf(list), (QStringList{"a.jpg", "B.Jpg", "c.JPG"}));
    EXPECT_EQ(list.ListCount(), 3);
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(list.FileName(), QString());
    EXPECT_EQ(list.Path(), QDir::cleanPath(dir.path()));
}

TEST_F(Folder, FileListTakesSeveralPatternsAndNamesThatAreNotUtf8) {
    const QByteArray folder = QFile::encodeName(dir.path());
    for (const QByteArray& name : {QByteArray("caf\xe9.JPG"), QByteArray("\xff\xfe.jpe")}) {
        FILE* out = std::fopen((folder + '/' + name).constData(), "wb");
        ASSERT_NE(out, nullptr);
        std::fclose(out);
    }
    ASSERT_TRUE(QFile::link(path("a.jpg"), path("link.jpg")));
    ASSERT_TRUE(QFile::link(path("gone.jpg"), path("broken.jpg")));
    FileList list;
    list.setPattern(QStringLiteral("*.JPG; *.JPEG;*.JPE"));
    list.setPath(dir.path());
    const QString bad = QStringLiteral("\uFFFD\uFFFD.jpe");
    EXPECT_EQ(itemsOf(list),
              (QStringList{"a.jpg", "B.Jpg", "c.JPG", QStringLiteral("caf\uFFFD.JPG"), "e.jpeg",
                           "link.jpg", bad}));
    const std::pair<int, bool> usable[] = {{0, true}, {3, false}, {5, true}, {6, false}};
    for (const auto& [row, expected] : usable) {
        list.setListIndex(row);
        EXPECT_EQ(list.FileNameUsable(), expected) << row;
    }
    list.setListIndex(-1);
    EXPECT_FALSE(list.FileNameUsable()) << "nothing selected";
}

TEST_F(Folder, FileListRaisesClickOnEverySelectionChange) {
    FileList list;
    list.setPattern(QStringLiteral("*.JPG"));
    QSignalSpy clicks(&list, &FileList::Click);
    list.setPath(dir.path());
    EXPECT_EQ(clicks.count(), 0);

    list.setListIndex(0);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(list.FileName(), QStringLiteral("a.jpg"));
    list.setListIndex(2);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(list.FileName(), QStringLiteral("c.JPG"));

    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(clicks.count(), 3);
    EXPECT_EQ(list.FileName(), QStringLiteral("B.Jpg"));
    QTest::keyClick(&list, Qt::Key_Up);
    EXPECT_EQ(clicks.count(), 4);
    EXPECT_EQ(list.ListIndex(), 0);
    QTest::keyClick(&list, Qt::Key_Up); // already at the top: no change
    EXPECT_EQ(clicks.count(), 4);

    // Reading the folder again leaves nothing selected, without a click.
    list.setPath(dir.path());
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(clicks.count(), 4);
}

TEST_F(Folder, FileListChoosesNothingByItselfOnFocus) {
    QWidget window;
    auto* list = new FileList(&window);
    auto* other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    list->setPattern(QStringLiteral("*.JPG"));
    list->setPath(dir.path());
    QSignalSpy clicks(list, &FileList::Click);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus(Qt::TabFocusReason);
    list->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(list->hasFocus());
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(list->ListIndex(), -1);
    // The arrow key then takes the first file.
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(list->ListIndex(), 0);
}

TEST_F(Folder, FileListDoubleClickFollowsItsClick) {
    FileList list;
    list.setPattern(QStringLiteral("*.JPG"));
    list.setPath(dir.path());
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QStringList events;
    QObject::connect(&list, &FileList::Click, [&] { events << "Click " + list.FileName(); });
    QObject::connect(&list, &FileList::DblClick, [&] { events << "DblClick " + list.FileName(); });
    const QPoint at = list.visualItemRect(list.item(1)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(events, (QStringList{"Click B.Jpg", "DblClick B.Jpg"}));
}

TEST_F(Folder, DirListShowsAncestorsThenSubFolders) {
    DirList list;
    ASSERT_TRUE(list.setPath(dir.path()));
    QStringList names;
    for (const QString& text : itemsOf(list))
        names << text.trimmed();
    QStringList want;
    for (QDir up(dir.path());;) {
        want.prepend(up.isRoot() ? QStringLiteral("/") : up.dirName());
        if (!up.cdUp())
            break;
    }
    const int ancestors = static_cast<int>(want.size());
    want << "Alpha"
         << "sub.jpg";
    EXPECT_EQ(names, want);
    EXPECT_EQ(list.currentRow(), ancestors - 1);
}

TEST_F(Folder, DirListRaisesChangeOnEveryNewPathOnly) {
    DirList list;
    QSignalSpy changes(&list, &DirList::Change);
    ASSERT_TRUE(list.setPath(dir.path()));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(list.setPath(dir.path() + QStringLiteral("/")));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_FALSE(list.setPath(path(QStringLiteral("missing"))));
    EXPECT_FALSE(list.setPath(path(QStringLiteral("a.jpg"))));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(list.Path(), QDir::cleanPath(dir.path()));
    ASSERT_TRUE(list.setPath(path(QStringLiteral("Alpha"))));
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(list.Path(), QDir::cleanPath(path(QStringLiteral("Alpha"))));
}

TEST_F(Folder, DirListDoubleClickEntersTheFolder) {
    DirList list;
    ASSERT_TRUE(list.setPath(dir.path()));
    list.resize(300, 600);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy changes(&list, &DirList::Change);
    const QList<QListWidgetItem*> found =
        list.findItems(QStringLiteral("sub.jpg"), Qt::MatchEndsWith);
    ASSERT_EQ(found.size(), 1);
    const QPoint at = list.visualItemRect(found[0]).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(changes.count(), 0); // a single click only selects
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(list.Path(), QDir::cleanPath(path(QStringLiteral("sub.jpg"))));
}

TEST(DriveList, ListsRootAndHomeFirst) {
    DriveList drives;
    ASSERT_GE(drives.ListCount(), 2);
    EXPECT_EQ(drives.itemData(0).toString(), QStringLiteral("/"));
    EXPECT_EQ(drives.itemData(1).toString(), QDir::homePath());
}

TEST(DriveList, DriveOfIsTheDeepestRootHoldingThePath) {
    QTemporaryDir dir;
    DriveList drives;
    drives.addItem(QStringLiteral("volume"), dir.path());
    EXPECT_EQ(drives.driveOf(dir.filePath(QStringLiteral("x/y"))), dir.path());
    EXPECT_EQ(drives.driveOf(dir.path()), dir.path());
    // A sibling whose name merely starts the same is not inside.
    EXPECT_EQ(drives.driveOf(dir.path() + QStringLiteral("x")),
              drives.driveOf(QStringLiteral("/")));
    EXPECT_EQ(drives.driveOf(QStringLiteral("/")), QStringLiteral("/"));
}

TEST(DriveList, EachDriveRemembersItsCurrentFolder) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("in/deep"));
    const QString deep = QDir::cleanPath(dir.filePath(QStringLiteral("in/deep")));
    DriveList drives;
    drives.addItem(QStringLiteral("volume"), dir.path());
    QSignalSpy changes(&drives, &DriveList::Change);

    drives.setDrive(deep);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(drives.Drive(), dir.path());
    EXPECT_EQ(drives.Folder(), deep);

    drives.setListIndex(0);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(drives.Drive(), QStringLiteral("/"));
    EXPECT_EQ(drives.Folder(), QStringLiteral("/"));

    drives.setListIndex(drives.findData(dir.path()));
    EXPECT_EQ(drives.Folder(), deep);
    // A folder removed since falls back to the drive's root.
    QDir(dir.filePath(QStringLiteral("in"))).removeRecursively();
    EXPECT_EQ(drives.Folder(), dir.path());
}

// Opens the drive list with F4 and picks an entry with the arrow keys and
// Enter, as a user does.
void pickWithKeys(DriveList& drives, int index) {
    QTest::keyClick(&drives, Qt::Key_F4);
    QAbstractItemView* open = drives.view();
    ASSERT_TRUE(open->isVisible());
    QTest::keyClick(open, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(open, Qt::Key_Down);
    QTest::keyClick(open, Qt::Key_Return);
    EXPECT_FALSE(open->isVisible());
}

TEST(DriveList, PickingTheChosenDriveAgainRaisesNothing) {
    QTemporaryDir dir;
    DriveList drives;
    drives.addItem(QStringLiteral("volume"), dir.path());
    const int volume = drives.ListCount() - 1;
    drives.show();
    drives.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&drives));
    QSignalSpy changes(&drives, &DriveList::Change);
    const struct {
        int picked;
        int changes; // so far
    } picks[] = {{0, 0}, {volume, 1}, {volume, 1}, {0, 2}, {0, 2}};
    for (const auto& pick : picks) {
        pickWithKeys(drives, pick.picked);
        EXPECT_EQ(drives.ListIndex(), pick.picked);
        EXPECT_EQ(changes.count(), pick.changes) << "picked " << pick.picked;
    }
}

// The design's highlight RGB(10, 36, 106) marks the chosen file and folder,
// not the toolkit's blue.
TEST_F(Folder, TheChosenEntryIsMarkedInTheDesignsHighlight) {
    FileList files;
    DirList folders;
    files.setPattern(QStringLiteral("*.jpg"));
    files.setPath(dir.path());
    files.setListIndex(0);
    ASSERT_TRUE(folders.setPath(path(QStringLiteral("Alpha"))));
    for (QListWidget* list :
         {static_cast<QListWidget*>(&files), static_cast<QListWidget*>(&folders)}) {
        list->resize(200, 150);
        list->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(list));
        list->clearFocus(); // the focus ring tints the row
        const QImage painted = list->viewport()->grab().toImage();
        const QRect row = list->visualItemRect(list->currentItem());
        EXPECT_EQ(painted.pixelColor(row.left() + 1, row.center().y()), QColor(10, 36, 106))
            << list->metaObject()->className();
    }
}

TEST(DriveList, RefreshKeepsTheChosenDriveWithoutAChange) {
    DriveList drives;
    drives.setListIndex(1);
    QSignalSpy changes(&drives, &DriveList::Change);
    drives.Refresh();
    EXPECT_EQ(drives.Drive(), QDir::homePath());
    EXPECT_EQ(changes.count(), 0);
}

} // namespace

TEST_F(Folder, FileListSelectsSeveralFilesAndRaisesEnter) {
    FileList list;
    list.setPattern(QStringLiteral("*.JPG"));
    list.setPath(dir.path());
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    QSignalSpy clicks(&list, &FileList::Click);
    QSignalSpy enters(&list, &FileList::EnterPressed);
    const auto at = [&](int i) { return list.visualItemRect(list.item(i)).center(); };
    struct Step {
        Qt::KeyboardModifiers modifiers;
        int item;
        QStringList selected;
        QString current;
    };
    const Step steps[] = {
        {{}, 2, {"c.JPG"}, "c.JPG"},
        {Qt::ShiftModifier, 0, {"a.jpg", "B.Jpg", "c.JPG"}, "a.jpg"},
        {Qt::ControlModifier, 1, {"a.jpg", "c.JPG"}, "B.Jpg"},
        {{}, 1, {"B.Jpg"}, "B.Jpg"},
    };
    for (const Step& step : steps) {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, step.modifiers, at(step.item));
        EXPECT_EQ(list.SelectedFileNames(), step.selected) << step.item;
        EXPECT_EQ(list.FileName(), step.current) << "the current file is the one clicked";
    }
    EXPECT_EQ(clicks.count(), 3) << "a click on the current file changes nothing to preview";
    QTest::keyClick(&list, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(list.SelectedFileNames(), (QStringList{"B.Jpg", "c.JPG"}));
    QTest::keyClick(&list, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(list.SelectedFileNames(), list.FileNames());
    EXPECT_EQ(list.FileNames(), (QStringList{"a.jpg", "B.Jpg", "c.JPG"}));
    EXPECT_EQ(enters.count(), 0);
    QTest::keyClick(&list, Qt::Key_Return);
    QTest::keyClick(&list, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(enters.count(), 2);
}

#include "platform/controls/foldertree.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QStringList kPhotos{QStringLiteral("*.jpg"), QStringLiteral("*.jpeg")};

// A phone's export: month folders, a hidden one, one nobody may read, links
// to a folder walked before and after, a loop and a broken link.
class Tree : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString root = dir.path();
    QString path(const QString& name) const { return root + QLatin1Char('/') + name; }

    void touch(const QString& name) {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    }
    void link(const char* target, const char* name) {
        ASSERT_TRUE(QFile::link(QString::fromLatin1(target), path(QString::fromLatin1(name))));
    }
    // n photos named IMG_000..IMG_n-1 in folder, and a file that is not one.
    QStringList month(const QString& folder, int n) {
        QDir(root).mkpath(folder);
        QStringList made;
        for (int i = 0; i < n; ++i) {
            const QString name =
                folder + QStringLiteral("/IMG_%1.jpg").arg(i, 3, 10, QLatin1Char('0'));
            touch(name);
            made << path(name);
        }
        touch(folder + QStringLiteral("/notes.txt"));
        return made;
    }
    void TearDown() override {
        QFile::setPermissions(path("locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

TEST_F(Tree, IsWalkedDepthFirstInListOrderEachFolderOnce) {
    for (const char* name : {"B.JPEG", "a.jpg", ".hidden.jpg", "c.png"})
        touch(QString::fromLatin1(name));
    const QStringList jan = month("2020-01", 120);
    const QStringList feb = month("2020-02", 100);
    const QStringList febSub = month("2020-02/sub", 40);
    const QStringList alpha = month("Alpha", 3);
    month(".thumbs", 20);
    month(".thumbs/deeper", 5);
    const QStringList locked = month("locked", 10);
    link("Alpha", "0link");     // before Alpha: Alpha is walked through it
    link("..", "2020-02/loop"); // back to the root
    link("2020-01", "zlink");   // after the folder it leads to
    link("nowhere", "broken");
    ASSERT_TRUE(QFile::setPermissions(path("locked"), {}));
    // Root reads every folder whatever its permissions say.
    const bool lockedReadable = !QDir(path("locked")).entryList(QDir::Files).isEmpty();

    const FolderTree tree = folderTree(root + QLatin1Char('/'), kPhotos);

    QStringList expected{path("a.jpg"), path("B.JPEG")};
    for (const QString& photo : alpha)
        expected << QString(photo).replace("/Alpha/", "/0link/");
    expected << jan << feb << febSub;
    if (lockedReadable)
        expected << locked;
    EXPECT_EQ(tree.photos, expected);
    EXPECT_EQ(tree.photos.size(), lockedReadable ? 275 : 265);
    EXPECT_EQ(tree.hiddenFolders, 1) << "what is below a hidden folder is not looked at";
    EXPECT_EQ(tree.unreadFolders, lockedReadable ? 0 : 1);
    if (lockedReadable)
        std::printf("Running as root: the locked folder is read, so it is expected in the walk.\n");
}

} // namespace

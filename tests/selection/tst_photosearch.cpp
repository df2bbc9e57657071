#include "selection/order/pathnames.h"
#include "selection/order/photosearch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace {

TEST(PathNames, WindowsPathsUseBackslashes) {
    struct Case {
        const char* path;
        bool windows;
        const char* solo;
        QStringList folders;
    };
    const Case cases[] = {
        {"C:\\Users\\Ana\\Pictures\\beach.jpg",
         true,
         "beach.jpg",
         {"C:", "Users", "Ana", "Pictures"}},
        {"c:\\beach.jpg", true, "beach.jpg", {"c:"}},
        {"\\\\server\\photos\\beach.jpg", true, "beach.jpg", {"server", "photos"}},
        {"\\\\server\\photos\\", true, "", {"server", "photos"}},
        // Not a drive: a digit, no backslash after the colon, a forward slash.
        {"1:\\a\\b.jpg", false, "1:\\a\\b.jpg", {}},
        {"C:beach.jpg", false, "C:beach.jpg", {}},
        {"C:/Users/beach.jpg", false, "beach.jpg", {"C:", "Users"}},
        {"\\single\\b.jpg", false, "\\single\\b.jpg", {}},
        // This system's paths: a backslash is part of a name.
        {"/home/ana/a\\b.jpg", false, "a\\b.jpg", {"home", "ana"}},
        {"/home/ana/Fotos/a.jpg", false, "a.jpg", {"home", "ana", "Fotos"}},
        {"a.jpg", false, "a.jpg", {}},
        {"/home/ana/", false, "", {"home", "ana"}},
        {"", false, "", {}},
    };
    for (const Case& c : cases) {
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(isWindowsPath(path), c.windows) << c.path;
        EXPECT_EQ(solo_file(path), QString::fromUtf8(c.solo)) << c.path;
        EXPECT_EQ(folderNamesOf(path), c.folders) << c.path;
    }
}

TEST(PhotoSearch, TailFoldersAreCountedFromTheEndInAnyCase) {
    struct Case {
        QStringList a, b;
        int shared;
    };
    const Case cases[] = {
        {{"a", "b", "c"}, {"x", "B", "c"}, 2},
        {{"a", "b", "c"}, {"a", "b", "c"}, 3},
        {{"Fotos", "2024"}, {"mnt", "disk", "fotos", "2024"}, 2},
        {{"2024"}, {"2023"}, 0},
        {{}, {"a"}, 0},
        {{"a", "b"}, {"b", "a"}, 0},
        {{"ÁRBOL"}, {"árbol"}, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(matchingTailFolders(c.a, c.b), c.shared) << c.a.join('/').toStdString();
}

// Removes the right to read any folder from the calling thread only, for
// good: root otherwise reads every folder, whatever its mode says.
bool dropReadOverride() {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0)
        return false;
    // Permitted too: access() checks root against what is permitted.
    for (int bit : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH}) {
        data[bit / 32].effective &= ~(1u << (bit % 32));
        data[bit / 32].permitted &= ~(1u << (bit % 32));
    }
    return syscall(SYS_capset, &header, data) == 0;
}

class SearchTree : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QTemporaryDir outside;

    QString at(const QString& relative) const { return dir.filePath(relative); }

    void file(const QString& path) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write("x");
    }
    void link(const QString& target, const QString& name) {
        QDir().mkpath(QFileInfo(name).absolutePath());
        ASSERT_EQ(
            ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(name).constData()),
            0)
            << name.toStdString();
    }

    // The tree every search below looks through.
    void SetUp() override {
        ASSERT_TRUE(dir.isValid() && outside.isValid());
        file(at("2023/beach.jpg"));
        file(at("2024/summer/Beach.JPG"));
        file(at("backup/beach.jpg"));
        file(at("Fotos/2024/city.jpg"));
        file(at("city.jpg"));
        file(at(".hidden/lost.jpg"));
        file(at("deep/a/b/c/d/e/f/g/h/only.jpg"));
        file(at("beach.jpg.txt"));
        QDir().mkpath(at("beach.jpg")); // a folder with the name is no photo
        file(outside.filePath("far/river.jpg"));
        link(dir.path(), at("loop"));             // back to the top
        link("..", at("2023/up"));                // up one
        link(at("2024"), at("aa-first/to2024"));  // into a folder read anyway
        link(outside.filePath("far"), at("far")); // out of the tree
        link(at("2023/beach.jpg"), at("links/alias.jpg"));
        link(at("nowhere"), at("dangling.jpg"));
    }

    SearchResult search(const QStringList& wanted, const SearchProgressFn& progress = {}) {
        return findMovedPhotos(wanted, dir.path(), progress);
    }
};

TEST_F(SearchTree, FindsEachNameWhereItsFoldersMatchBest) {
    const QStringList wanted = {
        "C:\\Users\\Ana\\2024\\SUMMER\\beach.jpg", // 2 folders match
        "/old/disk/2023/beach.jpg",                // 1 folder matches
        "/old/disk/elsewhere/beach.jpg",           // none: the nearer, then the first by path
        "/old/Fotos/2024/city.jpg",                // Fotos/2024 beats the top
        "/old/city.jpg",                           // the top is nearer
        "\\\\server\\share\\river.jpg",            // through the link out of the tree
        "/old/only.jpg",                           // deep down
        "/old/lost.jpg",                           // only in a hidden folder
        "/old/alias.jpg",                          // a link to a photo is a photo
        "/old/dangling.jpg",                       // a link to nothing is not
        "/old/none.jpg",
    };
    const SearchResult result = search(wanted);
    EXPECT_FALSE(result.stopped);
    EXPECT_FALSE(result.rootUnreadable);
    EXPECT_EQ(result.skipped, QStringList());
    EXPECT_EQ(result.found, (QStringList{
                                at("2024/summer/Beach.JPG"),
                                at("2023/beach.jpg"),
                                at("2023/beach.jpg"),
                                at("Fotos/2024/city.jpg"),
                                at("city.jpg"),
                                at("far/river.jpg"),
                                at("deep/a/b/c/d/e/f/g/h/only.jpg"),
                                QString(),
                                at("links/alias.jpg"),
                                QString(),
                                QString(),
                            }));
    // Every folder once: the loops and the link into 2024 add none. Folders:
    // top, 2023, 2024, summer, backup, Fotos, Fotos/2024, deep + 8 below it,
    // aa-first, links, beach.jpg, and far through its link.
    EXPECT_EQ(result.seen.folders, 20);
    // Files: 2023/beach.jpg, Beach.JPG, backup, Fotos/2024/city, city,
    // only.jpg, beach.jpg.txt, river.jpg, alias.jpg, dangling.jpg.
    EXPECT_EQ(result.seen.files, 10);
}

// A file another row holds is the last choice; a name of the same letter
// case comes before a nearer one; a pick is sure only where a folder name
// matched and no other row holds the file.
TEST_F(SearchTree, FilesOtherRowsHoldComeLastAndTheSameCaseFirst) {
    const struct {
        const char* wanted;
        QStringList held; // below the top
        const char* found;
        bool sure;
    } cases[] = {
        {"/old/sub2/beach.jpg", {}, "2023/beach.jpg", false},
        {"/old/sub2/beach.jpg", {"2023/beach.jpg"}, "backup/beach.jpg", false},
        {"/old/sub2/BEACH.JPG",
         {"2023/beach.jpg", "backup/beach.jpg"},
         "2024/summer/Beach.JPG",
         false},
        {"/old/sub2/Beach.JPG", {}, "2024/summer/Beach.JPG", false},
        {"/old/2023/beach.jpg", {}, "2023/beach.jpg", true},
        {"/old/2023/beach.jpg", {"2023/beach.jpg"}, "backup/beach.jpg", false},
        {"/old/summer/beach.jpg", {"backup/beach.jpg"}, "2024/summer/Beach.JPG", true},
        // Held through a link: the file it leads to.
        {"/old/alias.jpg", {"2023/beach.jpg"}, "links/alias.jpg", false},
        {"/old/city.jpg", {"city.jpg", "Fotos/2024/city.jpg"}, "city.jpg", false},
    };
    for (const auto& c : cases) {
        QSet<QString> held;
        for (const QString& path : c.held)
            held.insert(QFileInfo(at(path)).canonicalFilePath());
        const SearchResult result = findMovedPhotos({c.wanted}, dir.path(), {}, held);
        EXPECT_EQ(result.found, QStringList{at(c.found)})
            << c.wanted << " " << c.held.join(',').toStdString();
        EXPECT_EQ(result.sure, QList<bool>{c.sure})
            << c.wanted << " " << c.held.join(',').toStdString();
    }
}

TEST_F(SearchTree, ProgressIsAskedAndCanStopTheSearch) {
    for (int i = 0; i < 1000; ++i)
        file(at(QStringLiteral("many/%1.jpg").arg(i)));
    int asked = 0;
    qint64 lastFiles = -1;
    const SearchResult whole = search({"/x/beach.jpg"}, [&](const SearchProgress& p) {
        ++asked;
        EXPECT_GE(p.files, lastFiles);
        lastFiles = p.files;
        EXPECT_FALSE(p.folder.isEmpty());
        return true;
    });
    EXPECT_FALSE(whole.stopped);
    EXPECT_EQ(whole.found, QStringList{at("2023/beach.jpg")});
    // One ask per 256 entries and folders read: some 1070 of them.
    EXPECT_GE(asked, 1070 / kSearchProgressEvery);
    EXPECT_LE(asked, 1070 / kSearchProgressEvery + 1);

    int stops = 0;
    const SearchResult stopped = search({"/x/beach.jpg"}, [&](const SearchProgress&) {
        ++stops;
        return false;
    });
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.found, QStringList{QString()}) << "a stopped search finds nothing";
    EXPECT_LT(stopped.seen.files, whole.seen.files);
}

TEST_F(SearchTree, AFolderThatCannotBeReadIsLeftOut) {
    file(at("locked/inner/beach.jpg"));
    file(at("locked/held.jpg"));
    ASSERT_TRUE(QFile::setPermissions(at("locked"), QFileDevice::Permissions()));
    SearchResult result;
    bool dropped = true;
    bool readable = true;
    // Root reads everything: the search runs where that right is taken away.
    std::thread searcher([&] {
        if (::geteuid() == 0)
            dropped = dropReadOverride();
        readable = ::access(QFile::encodeName(at("locked")).constData(), R_OK) == 0;
        if (dropped && !readable)
            result = search({"/x/held.jpg", "/x/2024/summer/beach.jpg"});
    });
    searcher.join();
    QFile::setPermissions(at("locked"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!dropped || readable)
        GTEST_SKIP() << "this process can read a folder of mode 000 and cannot give that up";
    EXPECT_EQ(result.skipped, QStringList{at("locked")});
    EXPECT_FALSE(result.rootUnreadable);
    EXPECT_EQ(result.found, (QStringList{QString(), at("2024/summer/Beach.JPG")}));
}

TEST_F(SearchTree, ATopThatIsNoFolderFindsNothing) {
    for (const QString& root : {at("nothing-here"), at("city.jpg")}) {
        const SearchResult result = findMovedPhotos({"/x/city.jpg"}, root);
        EXPECT_TRUE(result.rootUnreadable) << root.toStdString();
        EXPECT_EQ(result.found, QStringList{QString()});
    }
    // A link to a folder is a folder; found paths go through it.
    const SearchResult through = findMovedPhotos({"/x/river.jpg"}, at("far"));
    EXPECT_EQ(through.found, QStringList{at("far/river.jpg")});
}

} // namespace

#include "platform/controls/picturebox.h"
#include "platform/files/boundedcache.h"
#include "platform/files/filekey.h"
#include "platform/files/picturecache.h"
#include "platform/files/picturefile.h"
#include "tests/support/filebytes.h"
#include "tests/support/testpictures.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Folder : ::testing::Test {
    QTemporaryDir dir;
    QString at(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

} // namespace

TEST(ScaledPixel, MapsTrueCoordinatesIntoTheReducedPicture) {
    // floor(x * reduced / true): 6000 wide held in 750 pixels.
    EXPECT_EQ(scaledPixel(0, 750, 6000), 0);
    EXPECT_EQ(scaledPixel(7.99, 750, 6000), 0);
    EXPECT_EQ(scaledPixel(8, 750, 6000), 1);
    EXPECT_EQ(scaledPixel(5999.9, 750, 6000), 749);
    // A side that does not divide evenly: 1001 held in 126 (an eighth, up).
    EXPECT_EQ(scaledPixel(1000, 126, 1001), 125);
    EXPECT_EQ(scaledPixel(999.5f, 126, 1001), 125);
    // The same size, or no scale, is the coordinate itself.
    EXPECT_EQ(scaledPixel(12.7, 40, 40), 12);
    EXPECT_EQ(scaledPixel(12.7, 40, -1), 12);
}

TEST(KeptPicture, LoaderReportsTheTrueSizeAndReadsExactlyTheKeptPixels) {
    QWidget window;
    PictureBox loader(&window);
    loader.setAutoSize(true);
    loader.hide();
    const QImage full = coordinatePicture(1600, 1200);
    const SampleGrid kept{{0, 40, 333, 1599}, {0, 7, 1199}};
    const QImage pixels = patternPicture(4, 3, [&](int i, int j) {
        return full.pixel(kept.columns[std::size_t(i)], kept.rows[std::size_t(j)]);
    });
    loader.setPicture(pixels, full.size(), kept);
    EXPECT_EQ(loader.ScaleWidth(), 1600);
    EXPECT_EQ(loader.ScaleHeight(), 1200);
    EXPECT_EQ(loader.Image().size(), QSize(4, 3));
    EXPECT_EQ(loader.keptGrid(), kept);
    EXPECT_NE(loader.PictureHandle(), 0u);
    for (int y : kept.rows)
        for (int x : kept.columns)
            ASSERT_EQ(loader.Point(x + 0.99, y + 0.5), colourValue(full.pixel(x, y)))
                << x << "," << y;
    // Between the kept pixels the nearest one above and to the left.
    EXPECT_EQ(loader.Point(332.9, 1198), colourValue(full.pixel(40, 7)));
    EXPECT_EQ(loader.Point(1599.9, 1199.9), colourValue(full.pixel(1599, 1199)));
    EXPECT_EQ(loader.Point(1600, 0), -1);
    EXPECT_EQ(loader.Point(0, 1200), -1);
    EXPECT_EQ(loader.Point(-0.5, 0), -1);

    // Drawing on the loader never reaches the picture it was given.
    loader.PSet(40, 7, 0x00123456);
    EXPECT_EQ(loader.Point(40, 7), 0x00123456);
    EXPECT_EQ(pixels.pixel(1, 1), full.pixel(40, 7));
    loader.Cls();
    EXPECT_EQ(loader.Point(40, 7), colourValue(full.pixel(40, 7)));

    // A grid that does not fit the pixels is not taken; a picture at its own
    // size drops the grid and the scale.
    loader.setPicture(pixels, full.size(), SampleGrid{{0, 1}, {0}});
    EXPECT_TRUE(loader.keptGrid().empty());
    loader.setPicture(coordinatePicture(30, 20));
    EXPECT_TRUE(loader.keptGrid().empty());
    EXPECT_EQ(loader.ScaleWidth(), 30);
    EXPECT_EQ(loader.Point(29, 19), colourValue(qRgb(29, 19, 0)));
}

TEST(KeptIndex, FindsTheKeptPixelAtOrBefore) {
    const std::vector<int> kept{3, 10, 11, 40};
    EXPECT_EQ(keptIndex(kept, 0), 0);
    EXPECT_EQ(keptIndex(kept, 3), 0);
    EXPECT_EQ(keptIndex(kept, 9.99), 0);
    EXPECT_EQ(keptIndex(kept, 10), 1);
    EXPECT_EQ(keptIndex(kept, 11.5), 2);
    EXPECT_EQ(keptIndex(kept, 1000), 3);
    const SampleGrid a{{1, 5}, {2}};
    const SampleGrid b{{1, 3}, {2, 4}};
    EXPECT_EQ(joined(a, b), (SampleGrid{{1, 3, 5}, {2, 4}}));
    EXPECT_TRUE(covers(joined(a, b), a));
    EXPECT_TRUE(covers(joined(a, b), b));
    EXPECT_FALSE(covers(a, b));
}

TEST_F(Folder, FileKeyFollowsSizeAndModificationTime) {
    ASSERT_TRUE(writeFileBytes(at("a.jpg"), "one"));
    const std::optional<FileKey> first = fileKey(at("a.jpg"));
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->size, 3);
    EXPECT_EQ(fileKey(at("a.jpg")), first);
    ASSERT_TRUE(touchLater(at("a.jpg"), 5));
    const std::optional<FileKey> touched = fileKey(at("a.jpg"));
    ASSERT_TRUE(touched.has_value());
    EXPECT_NE(touched, first);
    EXPECT_EQ(touched->size, 3);
    // Written anew with its old time set back: still another state.
    ASSERT_TRUE(writeFileBytes(at("a.jpg"), "two"));
    QFile file(at("a.jpg"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::fromMSecsSinceEpoch(touched->modifiedNs / 1000000),
                                 QFileDevice::FileModificationTime));
    file.close();
    const std::optional<FileKey> rewritten = fileKey(at("a.jpg"));
    ASSERT_TRUE(rewritten.has_value());
    EXPECT_NE(rewritten, touched);
    EXPECT_FALSE(fileKey(at("none.jpg")).has_value());
    EXPECT_FALSE(fileKey(dir.path()).has_value());
}

TEST_F(Folder, CacheServesTheSameDecodeUntilTheFileChanges) {
    PictureCache cache(64 * 1024 * 1024);
    ASSERT_TRUE(writeJpeg(coordinatePicture(1200, 900), at("a.jpg")));
    const SampleLayout preview = [](QSize) { return SampleGrid{{0, 5, 10, 15}, {0, 5, 10}}; };
    const SampleLayout thumb = [](QSize) { return SampleGrid{{0, 10}, {0, 10}}; };
    const SampleLayout other = [](QSize) { return SampleGrid{{1}, {1}}; };
    const PictureRead first = cache.read(at("a.jpg"), preview);
    ASSERT_TRUE(first.ok());
    const PictureRead again = cache.read(at("a.jpg"), preview);
    EXPECT_EQ(again.image.cacheKey(), first.image.cacheKey()) << "decoded a second time";
    EXPECT_EQ(again.fullSize, QSize(1200, 900));
    // Fewer pixels than were kept: the same read serves.
    EXPECT_EQ(cache.read(at("a.jpg"), thumb).image.cacheKey(), first.image.cacheKey());
    EXPECT_TRUE(cache.find(at("a.jpg"), thumb).has_value());
    // Pixels that were not kept: another read, exactly what reading fresh gives.
    EXPECT_FALSE(cache.find(at("a.jpg"), other).has_value());
    const PictureRead small = cache.read(at("a.jpg"), other);
    EXPECT_EQ(small.image, readPictureFile(at("a.jpg"), other).image);
    EXPECT_EQ(small.image.size(), QSize(1, 1));

    // The file written anew: the new picture, not the kept one.
    ASSERT_TRUE(writeJpeg(patternPicture(1200, 900, [](int, int) { return qRgb(0, 0, 255); }),
                          at("a.jpg")));
    ASSERT_TRUE(touchLater(at("a.jpg"), 5));
    const PictureRead changed = cache.read(at("a.jpg"), preview);
    ASSERT_TRUE(changed.ok());
    EXPECT_NE(changed.image.cacheKey(), first.image.cacheKey());
    EXPECT_NEAR(qBlue(changed.image.pixel(2, 2)), 255, 2);

    // Failures are not kept: a file that appears later is read.
    EXPECT_FALSE(cache.read(at("late.jpg")).ok());
    ASSERT_TRUE(writeJpeg(coordinatePicture(64, 48), at("late.jpg")));
    EXPECT_TRUE(cache.read(at("late.jpg")).ok());
}

TEST(BoundedCache, DropsTheLeastRecentlyUsedPastItsBudget) {
    BoundedCache<int> cache(100);
    const FileKey a{QStringLiteral("/a"), 1, 1, 1, 1};
    const FileKey b{QStringLiteral("/b"), 1, 1, 1, 1};
    const FileKey c{QStringLiteral("/c"), 1, 1, 1, 1};
    cache.insert(a, 1, 40);
    cache.insert(b, 2, 40);
    EXPECT_EQ(cache.find(a), 1); // a is now the most recent
    cache.insert(c, 3, 40);
    EXPECT_EQ(cache.find(a), 1);
    EXPECT_FALSE(cache.find(b).has_value());
    EXPECT_EQ(cache.find(c), 3);
    EXPECT_EQ(cache.used(), 80);
    // The same file at another time is another key.
    EXPECT_FALSE(cache.find(FileKey{QStringLiteral("/a"), 1, 2, 1, 1}).has_value());
    EXPECT_FALSE(cache.find(FileKey{QStringLiteral("/a"), 1, 1, 2, 1}).has_value());
    // Replacing a value frees the old one's cost; too costly is never kept.
    cache.insert(a, 4, 10);
    EXPECT_EQ(cache.used(), 50);
    cache.insert(b, 5, 101);
    EXPECT_FALSE(cache.find(b).has_value());
    EXPECT_EQ(cache.find(a), 4);
    cache.clear();
    EXPECT_EQ(cache.used(), 0);
    EXPECT_FALSE(cache.find(a).has_value());
}

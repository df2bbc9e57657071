#include "boundedcache.h"
#include "filebytes.h"
#include "filekey.h"
#include "picturebox.h"
#include "picturecache.h"
#include "picturefile.h"
#include "testpictures.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A picture standing for one trueSize times larger, as a reduced decode does:
// pixel (i, j) carries the colour of the full picture's pixel (8i, 8j).
QImage eighthOf(const QImage& full) {
    return patternPicture((full.width() + 7) / 8, (full.height() + 7) / 8,
                          [&](int i, int j) { return full.pixel(8 * i, 8 * j); });
}

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

TEST(ReducedPicture, LoaderReportsTheTrueSizeAndReadsWhereTheFullPictureWould) {
    QWidget window;
    PictureBox loader(&window);
    loader.setAutoSize(true);
    loader.hide();
    const QImage full = coordinatePicture(1600, 1200);
    loader.setPicture(eighthOf(full), full.size());
    EXPECT_EQ(loader.ScaleWidth(), 1600);
    EXPECT_EQ(loader.ScaleHeight(), 1200);
    EXPECT_EQ(loader.Image().size(), QSize(200, 150));
    EXPECT_NE(loader.PictureHandle(), 0u);
    for (int y = 0; y < 1200; y += 40)
        for (int x = 0; x < 1600; x += 40)
            ASSERT_EQ(loader.Point(x, y), colourValue(full.pixel(x, y))) << x << "," << y;
    // Between the kept pixels the nearest one to the top-left stands in.
    EXPECT_EQ(loader.Point(47.5, 15), colourValue(full.pixel(40, 8)));
    EXPECT_EQ(loader.Point(1599.9, 1199.9), colourValue(full.pixel(1592, 1192)));
    EXPECT_EQ(loader.Point(1600, 0), -1);
    EXPECT_EQ(loader.Point(0, 1200), -1);

    // Drawing on the loader never reaches the picture it was given.
    const QImage given = eighthOf(full);
    loader.setPicture(given, full.size());
    loader.PSet(0, 0, 0x00123456);
    EXPECT_EQ(loader.Point(0, 0), 0x00123456);
    EXPECT_EQ(given.pixel(0, 0), full.pixel(0, 0));
    EXPECT_EQ(loader.Picture().pixel(0, 0), full.pixel(0, 0));
    loader.Cls();
    EXPECT_EQ(loader.Point(0, 0), colourValue(full.pixel(0, 0)));

    // A picture at its own size drops the scale again.
    loader.setPicture(coordinatePicture(30, 20));
    EXPECT_EQ(loader.ScaleWidth(), 30);
    EXPECT_EQ(loader.Point(29, 19), colourValue(qRgb(29, 19, 0)));
}

TEST_F(Folder, AReducedDecodeStaysAtLeastTheAskedSize) {
    ASSERT_TRUE(writeJpeg(coordinatePicture(1200, 900), at("a.jpg")));
    const PictureRead thumb = readPictureFile(at("a.jpg"), QSize(40, 30));
    ASSERT_TRUE(thumb.ok());
    EXPECT_EQ(thumb.fullSize, QSize(1200, 900));
    EXPECT_EQ(thumb.image.size(), QSize(150, 113));
    EXPECT_TRUE(thumb.scalable);
    EXPECT_EQ(reducedDecodeSize(QSize(1200, 900), QSize(40, 30)), QSize(150, 113));

    const PictureRead preview = readPictureFile(at("a.jpg"), QSize(328, 328));
    ASSERT_TRUE(preview.ok());
    // 3/8 is the smallest scale keeping both sides at 328 or more.
    EXPECT_EQ(preview.image.size(), QSize(450, 338));
    EXPECT_EQ(reducedDecodeSize(QSize(1200, 900), QSize(328, 328)), QSize(450, 338));
    EXPECT_EQ(reducedDecodeSize(QSize(1200, 900), QSize()), QSize(1200, 900));
    // Too small to reduce: the whole picture.
    EXPECT_EQ(reducedDecodeSize(QSize(300, 200), QSize(328, 328)), QSize(300, 200));

    ASSERT_TRUE(writeBitmap(coordinatePicture(120, 90), at("b.jpg")));
    const PictureRead bitmap = readPictureFile(at("b.jpg"), QSize(40, 30));
    EXPECT_EQ(bitmap.image.size(), QSize(120, 90));
    EXPECT_FALSE(bitmap.scalable);
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
    const PictureRead first = cache.read(at("a.jpg"), QSize(328, 328));
    ASSERT_TRUE(first.ok());
    const PictureRead again = cache.read(at("a.jpg"), QSize(328, 328));
    EXPECT_EQ(again.image.cacheKey(), first.image.cacheKey()) << "decoded a second time";
    EXPECT_EQ(again.fullSize, QSize(1200, 900));

    // Another scale is another decode, exactly what reading fresh gives.
    const PictureRead small = cache.read(at("a.jpg"), QSize(40, 30));
    EXPECT_EQ(small.image, readPictureFile(at("a.jpg"), QSize(40, 30)).image);

    // The file written anew: the new picture, not the kept one.
    ASSERT_TRUE(writeJpeg(patternPicture(1200, 900, [](int, int) { return qRgb(0, 0, 255); }),
                          at("a.jpg")));
    ASSERT_TRUE(touchLater(at("a.jpg"), 5));
    const PictureRead changed = cache.read(at("a.jpg"), QSize(328, 328));
    ASSERT_TRUE(changed.ok());
    EXPECT_NE(changed.image.cacheKey(), first.image.cacheKey());
    EXPECT_NEAR(qBlue(changed.image.pixel(10, 10)), 255, 2);

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

#include "app/core/boxfit.h"
#include "app/core/previewgeometry.h"
#include "app/core/samplelayout.h"
#include "app/core/sampling.h"
#include "platform/files/memorybudget.h"
#include "platform/files/orientation.h"
#include "platform/files/picturefile.h"
#include "tests/support/filebytes.h"
#include "tests/support/jpegmaker.h"
#include "tests/support/qtprinters.h"
#include "tests/support/testpictures.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <thread>

namespace {

struct Loader : ::testing::Test {
    QTemporaryDir dir;

    QString put(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("p%1.jpg").arg(++m_files));
        EXPECT_TRUE(writeFileBytes(path, bytes));
        return path;
    }

    // The preview and the thumbnail the scaler takes from what the loader
    // keeps are the designed sampling of the library's upright decode.
    void expectExact(const QByteArray& bytes, const QImage& upright, const std::string& what) {
        SCOPED_TRACE(what);
        ASSERT_FALSE(upright.isNull());
        const QString path = put(bytes);
        const PictureRead read = readPictureFile(path, previewLayout());
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        EXPECT_EQ(read.fullSize, upright.size());
        const PreviewSize size = previewSize(upright.width(), upright.height());
        EXPECT_EQ(
            differing(
                samplePicture(read.image, read.fullSize, read.kept, size.width, size.height).block,
                designedSamples(upright, size.width, size.height)),
            0)
            << "preview " << size.width << " x " << size.height;
        // The thumbnail keeps the photo's shape in its 40 x 30 box.
        const QSize fit = fittedSize(upright.size(), QSize(40, 30));
        const auto w = static_cast<std::int16_t>(fit.width());
        const auto h = static_cast<std::int16_t>(fit.height());
        const QImage thumb = designedSamples(upright, w, h);
        EXPECT_EQ(differing(samplePicture(read.image, read.fullSize, read.kept, w, h).block, thumb),
                  0)
            << "thumbnail from the preview's read";
        const PictureRead small = readPictureFile(path, thumbnailLayout());
        ASSERT_TRUE(small.ok()) << small.error.toStdString();
        EXPECT_EQ(
            differing(samplePicture(small.image, small.fullSize, small.kept, w, h).block, thumb), 0)
            << "thumbnail read on its own";
        // No full-size picture is held.
        EXPECT_LE(read.image.width(), 328 + 40);
        EXPECT_LE(read.image.height(), 328 + 30);
    }

private:
    int m_files = 0;
};

// 4:4:4, 4:2:0, 4:2:2 taller than wide, and progressive 4:2:0.
const QStringList kTurnedAtFullSize = {"Picture_1A_by_freespace.jpg", "Picture_0B_by_freespace.jpg",
                                       "Wine_by_Jakkub_Mede.jpg",
                                       "analogpattern_by_Peter_Nerlich.jpg"};

TEST_F(Loader, RealPhotosInEveryOrientationAreSampledExactly) {
    const QStringList photos = realPhotos();
    if (photos.isEmpty())
        GTEST_SKIP() << "lomiri-wallpapers-16.04 is not installed (tools/install-deps.sh "
                        "installs it)";
    EXPECT_EQ(photos.size(), 15);
    for (const QString& photo : photos) {
        const QByteArray bytes = readFileBytes(photo);
        const QImage stored = referenceDecode(bytes);
        const std::string name = QFileInfo(photo).fileName().toStdString();
        expectExact(bytes, stored, name);
        // Tagged as a camera tags them, the tag in either byte order: at full
        // size for one photo of each kind (the variants below turn them all).
        if (!kTurnedAtFullSize.contains(QFileInfo(photo).fileName()))
            continue;
        for (int orientation = 1; orientation <= 8; ++orientation)
            expectExact(withOrientation(bytes, orientation, orientation % 2 == 0),
                        uprightOf(stored, orientation),
                        name + " orientation " + std::to_string(orientation));
    }
}

TEST_F(Loader, VariantsOfRealPhotosAreSampledExactly) {
    const QStringList photos = realPhotos();
    if (photos.isEmpty())
        GTEST_SKIP() << "lomiri-wallpapers-16.04 is not installed";
    struct Variant {
        const char* name;
        JpegOptions options;
    };
    const Variant variants[] = {
        {"4:4:4", {JpegColours::Colour, 95, 1, 1}},
        {"4:2:2", {JpegColours::Colour, 90, 2, 1}},
        {"4:2:0", {JpegColours::Colour, 85, 2, 2}},
        {"4:4:0", {JpegColours::Colour, 90, 1, 2}},
        {"4:1:1", {JpegColours::Colour, 90, 4, 1}},
        {"progressive 4:2:0", {JpegColours::Colour, 90, 2, 2, true}},
        {"progressive 4:2:2", {JpegColours::Colour, 90, 2, 1, true}},
        {"arithmetic", {JpegColours::Colour, 90, 2, 2, false, true}},
        {"arithmetic progressive", {JpegColours::Colour, 90, 2, 1, true, true}},
        {"restart markers", {JpegColours::Colour, 90, 2, 2, false, false, 1}},
        {"greyscale", {JpegColours::Grey, 90}},
        {"greyscale progressive", {JpegColours::Grey, 90, 1, 1, true}},
        {"CMYK", {JpegColours::Cmyk, 90, 1, 1}},
        {"YCCK", {JpegColours::Ycck, 90, 2, 2}},
    };
    int n = 0;
    for (const QString& photo : photos) {
        // A part whose sides do not divide by 8 or by 16.
        const QImage full = referenceDecode(readFileBytes(photo));
        const QImage part = full.copy(full.width() / 3, full.height() / 4, 1001, 757);
        for (const Variant& v : variants) {
            const int orientation = n++ % 8 + 1;
            const QByteArray bytes = withOrientation(encodeJpeg(part, v.options), orientation);
            expectExact(bytes, uprightOf(referenceDecode(bytes), orientation),
                        QFileInfo(photo).fileName().toStdString() + " " + v.name + " orientation " +
                            std::to_string(orientation));
        }
    }
}

TEST_F(Loader, SmallAndOddPicturesAreSampledExactly) {
    // Smaller than the preview (enlarged), one pixel high, and sides of 1.
    const QSize sizes[] = {{200, 150}, {1, 1}, {333, 1}, {1, 500}, {41, 31}, {7, 3000}};
    for (const QSize size : sizes) {
        const QImage picture = coordinatePicture(size.width(), size.height());
        const QByteArray bytes = encodeJpeg(picture, {JpegColours::Colour, 90, 2, 2});
        expectExact(bytes, referenceDecode(bytes),
                    std::to_string(size.width()) + " x " + std::to_string(size.height()));
    }
}

TEST_F(Loader, KeepsOnlyTheAskedPixelsAndReportsTheRowsItReaches) {
    const QImage picture = coordinatePicture(1200, 900);
    const QByteArray bytes = encodeJpeg(picture, {JpegColours::Colour, 90, 2, 2});
    const QString path = put(bytes);
    const QImage full = referenceDecode(bytes);
    std::vector<int> reached;
    ReadWatch watch;
    watch.progress = [&reached](int row, int rows) {
        EXPECT_EQ(rows, 900);
        reached.push_back(row);
    };
    const PictureRead read = readPictureFile(path, thumbnailLayout(), watch);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.image.size(), QSize(40, 30));
    EXPECT_EQ(read.kept, thumbnailGrid(QSize(1200, 900)));
    // The rows at multiples of 30, each reported once, in order.
    ASSERT_EQ(reached.size(), 30u);
    for (std::size_t i = 0; i < reached.size(); ++i)
        EXPECT_EQ(reached[i], static_cast<int>(i) * 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(read.pixel(x * 30, y * 30), full.pixel(x * 30, y * 30));
    // Between kept pixels, the one above and to the left.
    EXPECT_EQ(read.pixel(59, 89), full.pixel(30, 60));

    // Without a layout the whole picture.
    const PictureRead whole = readPictureFile(path);
    ASSERT_TRUE(whole.ok());
    EXPECT_TRUE(whole.kept.empty());
    EXPECT_EQ(differing(whole.image, full), 0);

    // A read told to stop stops.
    std::atomic<bool> stop{true};
    ReadWatch stopped;
    stopped.stop = &stop;
    EXPECT_EQ(readPictureFile(path, previewLayout(), stopped).error, "the reading was stopped");
}

// jpeg with bytes put in before the n-th (or, for n -1, the last) place
// where marker begins.
QByteArray insertedBefore(const QByteArray& jpeg, const char* marker, int n,
                          const QByteArray& bytes) {
    qsizetype at = n < 0 ? jpeg.lastIndexOf(QByteArray(marker, 2)) : -1;
    for (int i = 0; i <= n; ++i)
        at = jpeg.indexOf(QByteArray(marker, 2), at + 1);
    EXPECT_GT(at, 0) << marker;
    return jpeg.left(at) + bytes + jpeg.mid(at);
}

// A real photo's bytes with the frame marker or its precision changed.
QByteArray withFrame(const QByteArray& jpeg, char marker, char precision) {
    QByteArray out = jpeg;
    const qsizetype at = out.indexOf(QByteArray("\xFF\xC0", 2));
    out[at + 1] = marker;
    out[at + 4] = precision;
    return out;
}

TEST_F(Loader, KindsTheLibraryCannotDecodeAndDamagedFilesAreRefusedSayingWhy) {
    const QByteArray good =
        encodeJpeg(coordinatePicture(640, 480), {JpegColours::Colour, 90, 2, 2});
    QByteArray cut = good.left(good.size() - 40); // only past the last sampled row
    QByteArray noEnd = good.left(good.size() - 2);
    QByteArray hugeProgressive =
        encodeJpeg(coordinatePicture(64, 48), {JpegColours::Colour, 90, 2, 2, true});
    const qsizetype frame = hugeProgressive.indexOf(QByteArray("\xFF\xC2", 2));
    hugeProgressive.replace(frame + 5, 4, QByteArray("\xEA\x60\xEA\x60", 4)); // 60000 x 60000
    // The largest a JPEG can be, 4:4:4: little memory, but every block decoded.
    QByteArray largest = encodeJpeg(coordinatePicture(64, 48), {JpegColours::Colour, 90, 1, 1});
    largest.replace(largest.indexOf("\xFF\xC0") + 5, 4, QByteArray("\xFF\xDC\xFF\xDC", 4));
    struct Case {
        const char* name;
        QByteArray bytes;
        QString error;
    };
    const Case cases[] = {
        {"12-bit", withFrame(good, '\xC1', 12),
         "it is a 12-bit JPEG picture, which cannot be shown (only 8-bit JPEG pictures can)"},
        {"lossless", withFrame(good, '\xC3', 8),
         "it is a lossless JPEG picture, which cannot be shown"},
        {"cut short after the last sampled row", cut,
         "the picture is damaged or incomplete (Premature end of JPEG file)"},
        {"without its end marker", noEnd,
         "the picture is damaged or incomplete (Premature end of JPEG file)"},
        {"progressive, too large for the decoder's memory", hugeProgressive,
         "the picture is too large to load (60000 x 60000): decoding it would need 10299 MB of "
         "memory"},
        // The library counts only the bytes its reading ahead did not take.
        {"many stray bytes after the scan",
         insertedBefore(good, "\xFF\xD9", -1, QByteArray(100, '\x55')),
         "the picture is damaged or incomplete (Corrupt JPEG data: 94 extraneous bytes before "
         "marker 0xd9)"},
        {"128 scans",
         encodeJpeg(coordinatePicture(64, 64), {JpegColours::Grey, 90, 1, 1, true, false, 0, 2}),
         "it is made of more scans than a photo of 64 x 64 has: decoding them would take too "
         "long (refused at scan 101)"},
        {"65500 x 65500", largest,
         "the picture is too large to load (65500 x 65500): decoding it would take too long"},
        {"no picture data", good.left(2),
         "it is not a readable JPEG picture (Premature end of "
         "JPEG file)"},
    };
    for (const Case& c : cases) {
        const PictureRead read = readPictureFile(put(c.bytes), previewLayout());
        EXPECT_FALSE(read.ok()) << c.name;
        EXPECT_TRUE(read.image.isNull()) << c.name;
        EXPECT_EQ(read.error, c.error) << c.name;
    }
}

// jpeg with the byte at offset past the first place marker begins set.
QByteArray withByte(const QByteArray& jpeg, const char* marker, int offset, char value) {
    QByteArray out = jpeg;
    out[jpeg.indexOf(QByteArray(marker, 2)) + offset] = value;
    return out;
}

TEST_F(Loader, StrayBytesAndFieldsNoDecoderUsesAreShownAsTheLibraryDecodesThem) {
    if (realPhotos().isEmpty())
        GTEST_SKIP() << "lomiri-wallpapers-16.04 is not installed";
    const auto real = [](const char* name) {
        return readFileBytes(QFileInfo(realPhotos().constFirst()).dir().filePath(name));
    };
    const QByteArray baseline = real("free_by_Peter_Nerlich.jpg");
    const QByteArray progressive = real("Picture_1A_by_freespace.jpg");
    const QByteArray four("4Vx", 4);
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"4 bytes before the second quantisation table",
         insertedBefore(baseline, "\xFF\xDB", 1, four)},
        {"12 bytes before the end marker",
         insertedBefore(baseline, "\xFF\xD9", -1, four.repeated(3))},
        {"4 bytes between two scans", insertedBefore(progressive, "\xFF\xDA", 4, four)},
        {"JFIF version 2.1", withByte(baseline, "\xFF\xE0", 9, 2)},
        {"a sequential scan that names the DC coefficient only",
         withByte(baseline, "\xFF\xDA", 2 + 2 + 1 + 2 * 3 + 1, 0)},
    };
    for (const Case& c : cases) {
        // The library itself warns about each, and decodes it all the same.
        EXPECT_TRUE(referenceDecode(c.bytes).isNull()) << c.name;
        expectExact(c.bytes, referenceDecode(c.bytes, true), c.name);
    }
}

TEST_F(Loader, OnlyOrdinaryFilesAreReadAndNeverOneWithoutEnd) {
    const QString huge = dir.filePath(QStringLiteral("huge.jpg"));
    const QString hugeJpeg = dir.filePath(QStringLiteral("huge-jpeg.jpg"));
    const QString endless = dir.filePath(QStringLiteral("endless.jpg"));
    const QByteArray small = encodeJpeg(coordinatePicture(64, 48), {JpegColours::Colour, 90, 2, 2});
    const qint64 gigabytes100 = qint64(100) << 30;
    // Sparse: a hundred gigabytes that take no room.
    ASSERT_TRUE(QFile(huge).open(QIODevice::WriteOnly) && QFile::resize(huge, gigabytes100));
    ASSERT_TRUE(writeFileBytes(hugeJpeg, small) && QFile::resize(hugeJpeg, gigabytes100));
    const QByteArray larger =
        encodeJpeg(coordinatePicture(640, 480), {JpegColours::Colour, 90, 2, 2});
    ASSERT_TRUE(writeFileBytes(endless, larger.left(larger.size() * 3 / 4)) &&
                QFile::resize(endless, gigabytes100));
    struct Case {
        QString path;
        QString error;
    };
    const Case cases[] = {
        {dir.path(), "it is not a photo file (it is a folder)"},
        {huge, "it is not a JPEG picture, and too large (102400 MB) to be a picture of another "
               "kind"},
        {endless, "the picture is damaged: its data goes on far past what a picture of 640 x 480 "
                  "holds"},
        {hugeJpeg, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readPictureFile(c.path, previewLayout()).error.toStdString(),
                  c.error.toStdString())
            << c.path.toStdString();
    // A whole picture at the start of a huge file is read up to its end.
    EXPECT_EQ(readPictureFile(hugeJpeg, previewLayout()).image,
              readPictureFile(put(small), previewLayout()).image);
}

TEST(MemoryBudget, ADecoderWaitsForWhatOthersHoldAndStopsWhenTold) {
    MemoryBudget budget(100);
    std::atomic<bool> stop{false};
    std::atomic<int> took{-1};
    EXPECT_FALSE(budget.take(101));
    ASSERT_TRUE(budget.take(60));
    std::thread waiting([&] { took = budget.take(50, &stop); });
    QThread::msleep(100);
    EXPECT_EQ(took, -1) << "took more than was free";
    budget.give(60);
    waiting.join();
    EXPECT_EQ(took, 1);
    std::thread stopped([&] { took = budget.take(60, &stop); });
    stop = true;
    stopped.join();
    EXPECT_EQ(took, 0);
    EXPECT_EQ(budget.free(), 50);
}

TEST(Orientation, TheTagIsReadAndAnythingDamagedCountsAsOne) {
    const QByteArray body = encodeJpeg(coordinatePicture(16, 8), {});
    // The APP1 segment's content, as the decoder hands it over.
    const auto app1 = [](const QByteArray& jpeg) {
        return jpeg.mid(6, jpeg.indexOf("\xFF\xDB") - 6);
    };
    for (int o = 1; o <= 8; ++o) {
        EXPECT_EQ(exifOrientation(app1(withOrientation(body, o, false))), o);
        EXPECT_EQ(exifOrientation(app1(withOrientation(body, o, true))), o);
    }
    const QByteArray six = app1(withOrientation(body, 6, false));
    QByteArray wrongType = six;
    wrongType[6 + 8 + 2 + 12 + 2] = 4; // LONG, not SHORT
    QByteArray badOffset = six;
    badOffset[6 + 4] = '\x7F';
    struct Case {
        const char* name;
        QByteArray app1;
    };
    const Case cases[] = {
        {"zero", app1(withOrientation(body, 0, false))},
        {"nine", app1(withOrientation(body, 9, true))},
        {"wrong type", wrongType},
        {"offset past the end", badOffset},
        {"cut short in the entry", six.left(6 + 8 + 2 + 12 + 6)},
        {"no TIFF header", QByteArray("Exif\0\0XX*\0", 10)},
        {"not EXIF", QByteArray("http://ns.adobe.com/xap/1.0/")},
        {"empty", QByteArray()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(exifOrientation(c.app1), 1) << c.name;
}

TEST(Orientation, UprightPixelsComeFromTheStoredOnesAsTheTagSays) {
    // A 3 x 2 stored picture; each upright pixel found through storedPoint
    // must be the one Qt's own turning and mirroring puts there.
    const QImage stored = coordinatePicture(3, 2);
    for (int o = 1; o <= 8; ++o) {
        const QImage upright = uprightOf(stored, o);
        ASSERT_EQ(upright.size(), uprightSize(stored.size(), o)) << o;
        EXPECT_EQ(swapsSides(o), o >= 5) << o;
        for (int y = 0; y < upright.height(); ++y)
            for (int x = 0; x < upright.width(); ++x)
                EXPECT_EQ(stored.pixel(storedPoint(o, stored.size(), {x, y})), upright.pixel(x, y))
                    << "orientation " << o << " at " << x << ", " << y;
    }
}

} // namespace

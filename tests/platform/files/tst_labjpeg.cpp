#include "platform/files/exiftags.h"
#include "platform/files/labjpeg.h"
#include "tests/support/filebytes.h"
#include "tests/support/formats/formatmaker.h"
#include "tests/support/jpegmaker.h"
#include "tests/support/qtprinters.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

enum class Kind { Heif, Png, Webp, Tiff };

struct Variant {
    const char* name;
    Kind kind;
    int orientation;
    bool p3;
    QByteArray date;
    int most;    // largest difference of a channel allowed, as measured
    double mean; // and of their mean
};

// Largest and mean difference of any channel between two pictures of one size.
std::pair<int, double> difference(const QImage& got, const QImage& want) {
    int most = 0;
    double sum = 0;
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x) {
            const QRgb a = got.pixel(x, y), b = want.pixel(x, y);
            for (const int d : {std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                std::abs(qBlue(a) - qBlue(b))}) {
                most = std::max(most, d);
                sum += d;
            }
        }
    return {most, sum / (3.0 * want.width() * want.height())};
}

QByteArray app1Of(const QByteArray& jpeg) {
    const qsizetype at = jpeg.indexOf(QByteArray("\xFF\xE1", 2));
    if (at < 0)
        return {};
    const int length = quint8(jpeg[at + 2]) << 8 | quint8(jpeg[at + 3]);
    return jpeg.mid(at + 4, length - 2);
}

} // namespace

// The lab's JPEG of every kind of photo is the picture shown, upright in
// sRGB, within what quality 95 loses; orientation 1 and the photo's date.
TEST(LabJpeg, IsTheUprightSrgbPictureWithItsDate) {
    const QStringList photos = realPhotos();
    ASSERT_FALSE(photos.isEmpty());
    const QImage full = referenceDecode(readFileBytes(photos.constFirst()));
    const QImage picture = full.copy(full.width() / 3, full.height() / 4, 301, 201);
    // Measured: 6/0.76, 35/1.72, 4/0.40, 5/0.51, 22/0.79. The PNGs' bands of
    // transparency laid on white have sharp coloured edges, where 4:2:0 loses most.
    const Variant variants[] = {{"a.heic", Kind::Heif, 6, true, "2024:05:06 07:08:09", 8, 1.0},
                                {"b.png", Kind::Png, 3, true, "2023:01:02 03:04:05", 40, 2.0},
                                {"c.webp", Kind::Webp, 8, false, "2022:11:12 13:14:15", 8, 1.0},
                                {"d.tif", Kind::Tiff, 5, false, "2021:07:08 09:10:11", 8, 1.0},
                                {"e.png", Kind::Png, 1, false, "", 24, 1.0}};
    QTemporaryDir dir;
    for (const Variant& v : variants) {
        SCOPED_TRACE(v.name);
        const FileExtras extras{v.orientation, v.p3 ? displayP3Profile() : QByteArray(), v.date};
        const QString path = dir.filePath(v.name);
        LibraryPixels pixels;
        if (v.kind == Kind::Heif) {
            ASSERT_TRUE(writeHeif(path, picture, {}, extras));
            pixels = decodeHeif(path);
        } else if (v.kind == Kind::Png) {
            ASSERT_TRUE(writeFileBytes(path, encodePng(picture, {PngKind::RgbAlpha, 16}, extras)));
            pixels = decodePng(readFileBytes(path));
        } else if (v.kind == Kind::Webp) {
            ASSERT_TRUE(writeFileBytes(path, encodeWebp(picture, {}, extras)));
            pixels = decodeWebp(readFileBytes(path));
        } else {
            ASSERT_TRUE(writeTiff(path, picture, {16, false}, extras));
            pixels = decodeTiff(path);
        }
        // libheif turns the picture itself; the others leave it to the reader.
        const QImage upright = v.kind == Kind::Heif
                                   ? onWhiteInSrgb(pixels)
                                   : uprightOf(onWhiteInSrgb(pixels), v.orientation);

        EXPECT_TRUE(takesLabJpeg(path));
        const MadeFile made = labJpeg(path);
        ASSERT_TRUE(made.ok()) << made.error.toStdString();
        const QImage lab = referenceDecode(made.bytes);
        ASSERT_EQ(lab.size(), upright.size());
        const auto [most, mean] = difference(lab, upright);
        EXPECT_LE(most, v.most);
        EXPECT_LE(mean, v.mean);

        const QByteArray exif = app1Of(made.bytes);
        ASSERT_TRUE(exif.startsWith(QByteArray("Exif\0\0II*\0", 10)));
        EXPECT_TRUE(exif.contains(QByteArray("\x12\x01\x03\0\x01\0\0\0\x01\0", 10)))
            << "orientation 1";
        EXPECT_EQ(exif.contains(QByteArray("\x32\x01\x02\0\x14\0\0\0", 8)), !v.date.isEmpty());
        if (!v.date.isEmpty()) {
            EXPECT_TRUE(exif.contains(v.date + '\0'));
        }
    }
}

TEST(LabJpeg, TagsGoIntoTheBlockAndComeBack) {
    // Orientation 1 alone: the smallest block.
    EXPECT_EQ(exifBlock({}), QByteArray("Exif\0\0II*\0\x08\0\0\0"
                                        "\x01\0\x12\x01\x03\0\x01\0\0\0\x01\0\0\0\0\0\0\0",
                                        32));
    const PhotoTags tags[] = {{"2024:05:06 07:08:09", "2024:06:01 10:00:00", "Canon", "EOS R6"},
                              {"2024:05:06 07:08:09", "", "", "Pix"},
                              {"", "2020:01:01 00:00:00", "A", ""}};
    for (const PhotoTags& t : tags)
        EXPECT_EQ(exifTags(exifBlock(t)), t) << t.make.constData() << t.model.constData();
}

// A print's file is the cut of the upright photo laid on white as placed, at
// the photo's own pixels, within what quality 95 loses; white well away from
// the photo is exact. JPEGs and other kinds alike, their date kept.
TEST(LabJpeg, PrintsAreTheCutOnWhitePaper) {
    const QStringList photos = realPhotos();
    const QString bridge = photos.filter("Bridge").value(0), wine = photos.filter("Wine").value(0);
    const QByteArray exif = exifBlock({"2019:02:03 04:05:06", "", "Maker", ""});
    const QByteArray bridgeBytes = readFileBytes(bridge);
    QTemporaryDir dir;
    const QString dated = dir.filePath("dated.jpg"), turned = dir.filePath("turned.jpg");
    ASSERT_TRUE(writeFileBytes(dated, bridgeBytes.left(2) + "\xFF\xE1" + char(0) +
                                          char(exif.size() + 2) + exif + bridgeBytes.mid(2)));
    ASSERT_TRUE(writeFileBytes(turned, withOrientation(readFileBytes(wine), 6)));
    const QImage small = referenceDecode(bridgeBytes).copy(2000, 1000, 300, 200);
    const QString heic = dir.filePath("a.heic");
    ASSERT_TRUE(writeHeif(heic, small, {}, {6, {}, "2024:05:06 07:08:09"}));

    // Measured: 13/0.30, 28/0.46, 24/0.67, 18/0.49: one more generation of
    // JPEG, off most at sharp coloured edges and where white meets the photo.
    const struct {
        QString path;
        PrintPlacement placed;
        QByteArray date;
        int most;
        double mean;
    } cases[] = {
        {dated, {QRect(0, 0, 3672, 2448), QSize(3672, 2448), {}}, "2019:02:03 04:05:06", 14, 0.35},
        {dated,
         {QRect(0, 0, 4352, 2448), QSize(4352, 2902), {0, 227}},
         "2019:02:03 04:05:06",
         30,
         0.5},
        {turned, {QRect(2000, 500, 1200, 800), QSize(1200, 800), {}}, "Exif", 26, 0.7},
        {heic, {QRect(0, 0, 200, 300), QSize(240, 300), {20, 0}}, "2024:05:06 07:08:09", 20, 0.55}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString() + " " + std::to_string(c.placed.paper.width()));
        const QImage upright = c.path == heic ? onWhiteInSrgb(decodeHeif(heic))
                               : c.path == dated
                                   ? referenceDecode(bridgeBytes)
                                   : uprightOf(referenceDecode(readFileBytes(wine)), 6);
        const MadeFile made = labPrint(c.path, [&](QSize size) {
            EXPECT_EQ(size, upright.size());
            return c.placed;
        });
        ASSERT_TRUE(made.ok()) << made.error.toStdString();
        const QImage print = referenceDecode(made.bytes);
        ASSERT_EQ(print.size(), c.placed.paper);
        const QRect photo(c.placed.at, c.placed.cut.size());
        const auto [most, mean] = difference(print.copy(photo), upright.copy(c.placed.cut));
        EXPECT_LE(most, c.most);
        EXPECT_LE(mean, c.mean);
        // Beyond the 16 x 16 blocks that touch the photo and their neighbours.
        const QRect ringing = photo.adjusted(-32, -32, 32, 32);
        for (int y = 0; y < print.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(print.constScanLine(y));
            for (int x = 0; x < print.width(); ++x)
                if (line[x] != 0xFFFFFFFF && !ringing.contains(x, y))
                    FAIL() << x << "," << y << " " << std::hex << line[x];
        }
        const QByteArray tags = app1Of(made.bytes);
        EXPECT_TRUE(tags.contains(c.date + '\0')) << "the date, where the photo has one";
        EXPECT_TRUE(tags.contains(QByteArray("\x12\x01\x03\0\x01\0\0\0\x01\0", 10)));
    }
}

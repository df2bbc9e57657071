#include "app/core/boxfit.h"
#include "app/core/previewgeometry.h"
#include "app/core/samplelayout.h"
#include "app/core/sampling.h"
#include "platform/files/picturefile.h"
#include "tests/support/filebytes.h"
#include "tests/support/formats/formatmaker.h"
#include "tests/support/jpegmaker.h"
#include "tests/support/qtprinters.h"
#include "tests/support/testpictures.h"

#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

enum class Kind { Png, Webp, Tiff, Heif, HeifTool };

struct Variant {
    const char* name;
    Kind kind;
    int orientation;
    bool p3;
    PngOptions png;
    WebpOptions webp;
    TiffOptions tiff;
    HeifOptions heif;
};

Variant png(const char* name, PngOptions o, int orientation, bool p3 = false) {
    return {name, Kind::Png, orientation, p3, o, {}, {}, {}};
}
Variant webp(const char* name, WebpOptions o, int orientation, bool p3 = false) {
    return {name, Kind::Webp, orientation, p3, {}, o, {}, {}};
}
Variant tiff(const char* name, TiffOptions o, int orientation, bool p3 = false) {
    return {name, Kind::Tiff, orientation, p3, {}, {}, o, {}};
}
Variant heif(const char* name, HeifOptions o, int orientation, bool p3 = false) {
    return {name, Kind::Heif, orientation, p3, {}, {}, {}, o};
}

struct Formats : ::testing::Test {
    QTemporaryDir dir;

    // Writes the variant of picture and gives its path and what the
    // program must show of it, from the format's library and Little CMS.
    std::pair<QString, QImage> make(const QImage& picture, Variant v, const QString& name) {
        const FileExtras extras{v.orientation, v.p3 ? displayP3Profile() : QByteArray(), {}};
        const QString path = dir.filePath(name);
        LibraryPixels pixels;
        switch (v.kind) {
        case Kind::Png: {
            const QByteArray bytes = encodePng(picture, v.png, extras);
            EXPECT_TRUE(writeFileBytes(path, bytes));
            pixels = decodePng(bytes);
            break;
        }
        case Kind::Webp: {
            const QByteArray bytes = encodeWebp(picture, v.webp, extras);
            EXPECT_TRUE(writeFileBytes(path, bytes));
            pixels = decodeWebp(bytes);
            break;
        }
        case Kind::Tiff:
            EXPECT_TRUE(writeTiff(path, picture, v.tiff, extras));
            pixels = decodeTiff(path);
            break;
        case Kind::Heif:
            EXPECT_TRUE(writeHeif(path, picture, v.heif, extras));
            pixels = decodeHeif(path);
            break;
        case Kind::HeifTool: {
            const QString png = path + QStringLiteral(".png");
            EXPECT_TRUE(writeFileBytes(png, encodePng(picture, {}, {1, extras.icc, {}})));
            EXPECT_TRUE(runHeifEnc(png, path)) << "heif-enc failed";
            pixels = decodeHeif(path);
            break;
        }
        }
        EXPECT_EQ(pixels.icc.isEmpty(), !v.p3) << "the profile went into the file";
        const QImage stored = onWhiteInSrgb(pixels);
        // libheif turns the picture itself; the others leave it to the reader.
        const bool heif = v.kind == Kind::Heif || v.kind == Kind::HeifTool;
        return {path, heif ? stored : uprightOf(stored, v.orientation)};
    }

    // The whole picture read equals what the library shows, and the preview
    // and thumbnail are the designed sampling of it.
    void expectShown(const QString& path, const QImage& upright, const std::string& what) {
        SCOPED_TRACE(what);
        ASSERT_FALSE(upright.isNull());
        const PictureRead whole = readPictureFile(path);
        ASSERT_TRUE(whole.ok()) << whole.error.toStdString();
        EXPECT_EQ(whole.fullSize, upright.size());
        EXPECT_EQ(differing(whole.image, upright), 0);
        const PictureRead read = readPictureFile(path, previewLayout());
        ASSERT_TRUE(read.ok()) << read.error.toStdString();
        const PreviewSize size = previewSize(upright.width(), upright.height());
        EXPECT_EQ(
            differing(
                samplePicture(read.image, read.fullSize, read.kept, size.width, size.height).block,
                designedSamples(upright, size.width, size.height)),
            0);
        // The thumbnail keeps the photo's shape in its 40 x 30 box.
        const QSize fit = fittedSize(upright.size(), QSize(40, 30));
        const auto w = static_cast<std::int16_t>(fit.width());
        const auto h = static_cast<std::int16_t>(fit.height());
        EXPECT_EQ(differing(samplePicture(read.image, read.fullSize, read.kept, w, h).block,
                            designedSamples(upright, w, h)),
                  0);
        EXPECT_LE(read.image.width(), 328 + 40) << "only the kept pixels are held";
    }
};

// A part of a real photo whose sides are odd.
QImage realPart(int width, int height) {
    const QStringList photos = realPhotos();
    if (photos.isEmpty())
        return {};
    const QImage full = referenceDecode(readFileBytes(photos.constFirst()));
    return full.copy(full.width() / 3, full.height() / 4, width, height);
}

TEST_F(Formats, RealPhotosInEveryKindAreShownAsTheirLibrariesDecodeThem) {
    const QImage part = realPart(601, 451);
    if (part.isNull())
        GTEST_SKIP() << "lomiri-wallpapers-16.04 is not installed";
    // HEIF and AVIF encode slowly: smaller, and even (x265 refuses odd sides).
    const QImage small = part.copy(0, 0, 322, 240);
    const Variant variants[] = {
        png("PNG RGB 8 bits", {PngKind::Rgb, 8}, 1),
        png("PNG RGB 16 bits", {PngKind::Rgb, 16}, 6),
        png("PNG RGBA 8 bits", {PngKind::RgbAlpha, 8}, 3),
        png("PNG RGBA 16 bits in Display P3", {PngKind::RgbAlpha, 16}, 1, true),
        png("PNG grey 16 bits", {PngKind::Grey, 16}, 8),
        png("PNG grey with alpha", {PngKind::GreyAlpha, 8}, 5),
        png("PNG palette", {PngKind::Palette, 8}, 2),
        png("PNG palette with transparency", {PngKind::PaletteAlpha, 8}, 7),
        png("PNG RGB 8 bits interlaced", {PngKind::Rgb, 8, true}, 6),
        png("PNG grey with alpha 16 bits interlaced", {PngKind::GreyAlpha, 16, true}, 3),
        webp("WebP lossy", {false, false}, 1),
        webp("WebP lossless with alpha", {true, true}, 6),
        webp("WebP lossy with alpha in Display P3", {false, true}, 4, true),
        tiff("TIFF RGB 8 bits", {8, false}, 7),
        tiff("TIFF RGB 16 bits in Display P3", {16, false}, 1, true),
        tiff("TIFF grey 16 bits", {16, true}, 2),
        heif("HEIC 8 bits", {false, 8, false}, 1),
        heif("HEIC 10 bits", {false, 10, false}, 6),
        heif("HEIC with alpha", {false, 8, true}, 5),
        {"HEIC by heif-enc in Display P3", Kind::HeifTool, 1, true, {}, {}, {}, {}},
        heif("AVIF", {true, 8, false}, 8),
        heif("AVIF with alpha", {true, 8, true}, 3),
    };
    int n = 0;
    for (const Variant& v : variants) {
        const bool heif = v.kind == Kind::Heif || v.kind == Kind::HeifTool;
        SCOPED_TRACE(v.name);
        const auto [path, upright] =
            make(heif ? small : part, v, QStringLiteral("photo%1.x").arg(++n));
        expectShown(path, upright,
                    std::string(v.name) + " orientation " + std::to_string(v.orientation));
    }
}

// Phones may state their colour space as primaries instead of a profile:
// turned into sRGB as the same primaries in a profile would be.
TEST_F(Formats, AHeifThatStatesDisplayP3PrimariesIsShownInSrgb) {
    const QImage part = realPart(322, 240);
    if (part.isNull())
        GTEST_SKIP() << "lomiri-wallpapers-16.04 is not installed";
    const QString path = dir.filePath(QStringLiteral("p3.heic"));
    ASSERT_TRUE(writeHeifStatingP3(path, part));
    LibraryPixels pixels = decodeHeif(path);
    ASSERT_TRUE(pixels.icc.isEmpty());
    const QImage unconverted = onWhiteInSrgb(pixels);
    pixels.icc = displayP3Profile();
    const QImage shown = onWhiteInSrgb(pixels);
    const PictureRead read = readPictureFile(path);
    ASSERT_TRUE(read.ok()) << read.error.toStdString();
    ASSERT_EQ(read.image.size(), shown.size());
    // The file states its primaries in single precision: a value here and
    // there lands on the next step.
    int most = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb a = read.image.pixel(x, y);
            const QRgb b = shown.pixel(x, y);
            most = std::max({most, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                             std::abs(qBlue(a) - qBlue(b))});
        }
    EXPECT_LE(most, 1);
    EXPECT_GT(differing(read.image, unconverted), 50000) << "converted at all";
}

// The name does not decide: a PNG named .jpg, a HEIC named .png and a JPEG
// named .heic are read as what they are.
TEST_F(Formats, AFileIsReadByItsContentWhateverItsName) {
    const QImage picture = coordinatePicture(97, 61);
    struct Case {
        const char* name;
        Variant variant;
    };
    const Case cases[] = {
        {"png.jpg", png("PNG", {PngKind::Rgb, 8}, 6)},
        {"heic.png", heif("HEIC", {false, 8, false}, 3)},
        {"webp.tiff", webp("WebP", {true, true}, 1)},
        {"tiff.HEIC", tiff("TIFF", {8, false}, 8)},
    };
    for (const Case& c : cases) {
        const auto [path, upright] = make(picture, c.variant, QString::fromLatin1(c.name));
        expectShown(path, upright, c.name);
    }
    const QByteArray jpeg = encodeJpeg(picture, {JpegColours::Colour, 90, 1, 1});
    const QString jpegPath = dir.filePath(QStringLiteral("jpeg.heic"));
    ASSERT_TRUE(writeFileBytes(jpegPath, jpeg));
    expectShown(jpegPath, referenceDecode(jpeg), "jpeg.heic");
}

TEST_F(Formats, APictureNoLibraryCanReadIsRefusedSayingWhy) {
    const QImage picture = coordinatePicture(64, 48);
    const QString heic = dir.filePath(QStringLiteral("whole.heic"));
    ASSERT_TRUE(writeHeif(heic, picture, {false, 8, false}));
    const QByteArray heicBytes = readFileBytes(heic);
    const QByteArray pngBytes = encodePng(picture, {PngKind::Rgb, 8});
    struct Case {
        const char* name;
        QByteArray bytes;
        QString error;
    };
    const Case cases[] = {
        {"text.heic", "not a photo at all, only words",
         "it is not a picture that can be loaded (Unsupported image format)"},
        {"cut.heic", heicBytes.left(heicBytes.size() / 2),
         "it is not a readable HEIF picture (Invalid input: Unexpected end of file: Extent in "
         "iloc box references data outside of file bounds (points to file position 465))"},
        {"header.heic", heicBytes.left(40),
         "it is not a readable HEIF picture (Invalid input: No 'meta' box)"},
        {"cut.png", pngBytes.left(pngBytes.size() / 2),
         "it is not a picture that can be loaded (Unable to read image data)"},
        {"empty.png", QByteArray(),
         "it is not a picture that can be loaded (Unsupported image format)"},
    };
    for (const Case& c : cases) {
        const QString path = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(writeFileBytes(path, c.bytes));
        const PictureRead read = readPictureFile(path, previewLayout());
        EXPECT_TRUE(read.image.isNull()) << c.name;
        EXPECT_EQ(read.error, c.error) << c.name;
    }
}

TEST_F(Formats, AReadToldToStopStopsAndOneThatRunsTellsItsRows) {
    const QImage picture = coordinatePicture(120, 90);
    const QString heic = dir.filePath(QStringLiteral("a.heic"));
    const QString png = dir.filePath(QStringLiteral("a.png"));
    ASSERT_TRUE(writeHeif(heic, picture, {false, 8, false}));
    ASSERT_TRUE(writeFileBytes(png, encodePng(picture, {PngKind::Rgb, 8})));
    for (const QString& path : {heic, png}) {
        std::atomic<bool> stop{true};
        ReadWatch stopped;
        stopped.stop = &stop;
        EXPECT_EQ(readPictureFile(path, previewLayout(), stopped).error, "the reading was stopped");
        std::vector<std::pair<int, int>> told;
        ReadWatch watch;
        watch.progress = [&told](int row, int rows) { told.emplace_back(row, rows); };
        ASSERT_TRUE(readPictureFile(path, previewLayout(), watch).ok());
        ASSERT_FALSE(told.empty()) << path.toStdString();
        EXPECT_EQ(told.back(), std::make_pair(89, 90)) << path.toStdString();
    }
}

// A PNG is inflated row by row for the few rows it keeps: what comes after
// them is still read, and a read stops between rows as between passes.
TEST_F(Formats, APngIsReadToItsEndAndStopsOnTheWay) {
    const QImage picture = coordinatePicture(120, 90);
    for (const bool interlaced : {false, true}) {
        SCOPED_TRACE(interlaced ? "interlaced" : "plain");
        const QByteArray bytes = encodePng(picture, {PngKind::Rgb, 8, interlaced});
        QByteArray crc = bytes;
        crc[crc.size() - 14] = char(crc[crc.size() - 14] ^ 1); // the last IDAT's check sum
        const QByteArray damaged[] = {bytes.left(bytes.size() - 13), bytes.left(bytes.size() - 30),
                                      crc};
        for (const QByteArray& file : damaged) {
            const QString path = dir.filePath(QStringLiteral("damaged.png"));
            ASSERT_TRUE(writeFileBytes(path, file));
            EXPECT_EQ(readPictureFile(path, previewLayout()).error,
                      "it is not a picture that can be loaded (Unable to read image data)");
        }
        const QString path = dir.filePath(QStringLiteral("whole.png"));
        ASSERT_TRUE(writeFileBytes(path, bytes));
        std::atomic<bool> stop{false};
        ReadWatch watch;
        watch.stop = &stop;
        int calls = 0;
        watch.progress = [&](int, int) { stop = ++calls == 2; };
        EXPECT_EQ(readPictureFile(path, previewLayout(), watch).error, "the reading was stopped");
        EXPECT_EQ(calls, 2);
    }
}

// Qt's reader makes a colour space of its own of a PNG's gamma chunk: a file
// whose colours only that chunk states keeps the colours it had.
TEST_F(Formats, APngWhoseGammaChunkAloneStatesItsColoursKeepsThem) {
    QByteArray bytes = encodePng(coordinatePicture(97, 61), {PngKind::Rgb, 8, false, 45455});
    const QString path = dir.filePath(QStringLiteral("gamma.png"));
    ASSERT_TRUE(writeFileBytes(path, bytes));
    LibraryPixels pixels = decodePng(bytes);
    const QImage unconverted = onWhiteInSrgb(pixels);
    QBuffer buffer(&bytes);
    pixels.icc = QImageReader(&buffer, "png").read().colorSpace().iccProfile();
    ASSERT_FALSE(pixels.icc.isEmpty());
    expectShown(path, onWhiteInSrgb(pixels), "gamma 2.2");
    EXPECT_GT(differing(onWhiteInSrgb(pixels), unconverted), 100) << "converted at all";
}

// A device that fails part way, as a disk that goes away.
class FailingDevice : public QBuffer {
public:
    qint64 failAt = 0;

protected:
    qint64 readData(char* data, qint64 size) override {
        if (pos() >= failAt) {
            setErrorString(QStringLiteral("the disk went away"));
            return -1;
        }
        return QBuffer::readData(data, std::min(size, failAt - pos()));
    }
};

TEST_F(Formats, APngWhoseDeviceFailsOnTheWaySaysSo) {
    const QByteArray bytes = encodePng(coordinatePicture(120, 90), {PngKind::Rgb, 8});
    FailingDevice device;
    device.setData(bytes);
    device.failAt = bytes.size() / 2;
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    EXPECT_EQ(readPicture(device, previewLayout(), {}).error,
              "it cannot be read (the disk went away)");
}

} // namespace

#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <vector>

// Photos of other kinds than JPEG, made at test time with each format's own
// library, and each library's own full decode of them to compare the
// program's pictures with.

// What a library decoded, as the file stores it: red, green, blue, alpha for
// every pixel, each up to maxValue (255 for 8-bit files), alpha maxValue
// where the file has none; and the file's ICC profile.
struct LibraryPixels {
    QSize size;
    int maxValue = 255;
    std::vector<quint16> rgba;
    QByteArray icc;
};

// What a print shows of them: each sample v * 255 / maxValue rounded to
// 8 bits, alpha laid on white ((c * a + 255 * (255 - a)) / 255 rounded), then
// the profile's colours turned into sRGB by Little CMS (perceptual).
QImage onWhiteInSrgb(const LibraryPixels& pixels);

// A Display P3 profile, as phones embed it, made with Little CMS.
QByteArray displayP3Profile();

// The samples a picture's pixel gets in a file of more than 8 bits: its
// 8-bit value in the top bits, a pattern of (x, y) below, so that a reader
// that drops the low bits is told.
quint16 deepSample(int value8, int x, int y, int channel, int bits);
// The alpha the made files with transparency carry at (x, y): from fully
// clear to opaque in bands.
int alphaAt(int x, int y);

// What every kind of file may carry beside its pixels: the EXIF orientation
// and date (unless 1 and none, an EXIF block in PNG, WebP and HEIF; in HEIF also the file's
// rotation and mirroring, as phones write both) and an ICC profile.
struct FileExtras {
    int orientation = 1;
    QByteArray icc;
    QByteArray date; // "2024:05:06 07:08:09": EXIF DateTime (TIFF: its own tag)
};

enum class PngKind { Rgb, RgbAlpha, Grey, GreyAlpha, Palette, PaletteAlpha };
struct PngOptions {
    PngKind kind = PngKind::Rgb;
    int bits = 8; // 8 or 16 (palettes: 8)
    bool interlaced = false;
    int gamma = 0; // a gAMA chunk of this value (100000 / gamma) when set
};
QByteArray encodePng(const QImage& picture, const PngOptions& options,
                     const FileExtras& extras = {});
LibraryPixels decodePng(const QByteArray& png);

struct WebpOptions {
    bool lossless = false;
    bool alpha = false;
};
QByteArray encodeWebp(const QImage& picture, const WebpOptions& options,
                      const FileExtras& extras = {});
LibraryPixels decodeWebp(const QByteArray& webp);

struct TiffOptions {
    int bits = 8; // 8 or 16
    bool grey = false;
};
bool writeTiff(const QString& path, const QImage& picture, const TiffOptions& options,
               const FileExtras& extras = {});
LibraryPixels decodeTiff(const QString& path);

struct HeifOptions {
    bool avif = false;
    int bits = 8; // 8 or 10
    bool alpha = false;
};
// Encoded with libheif's own encoders (x265, aom).
bool writeHeif(const QString& path, const QImage& picture, const HeifOptions& options,
               const FileExtras& extras = {});
// A HEIC that states Display P3's primaries and sRGB's tone curve in its
// colour box (nclx), as some phones write it, without an ICC profile.
bool writeHeifStatingP3(const QString& path, const QImage& picture);
// heif-enc, Debian's tool, turning a PNG file into a HEIC one.
bool runHeifEnc(const QString& png, const QString& heic);
// libheif's decode, with the file's rotation and mirroring applied.
LibraryPixels decodeHeif(const QString& path);

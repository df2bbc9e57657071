#include "platform/files/exiftags.h"

#include "platform/files/exifblock.h"
#include "platform/files/heifdecoder.h"
#include "platform/files/picturefile.h"
#include "platform/files/tiffreader.h"

#include <QFile>
#include <QtEndian>

#include <tiffio.h>

#include <array>
#include <cstdint>
#include <memory>

namespace {

constexpr std::uint32_t kMake = 0x010F;
constexpr std::uint32_t kModel = 0x0110;
constexpr std::uint32_t kOrientation = 0x0112;
constexpr std::uint32_t kDateTime = 0x0132;
constexpr std::uint32_t kExifIfd = 0x8769;
constexpr std::uint32_t kDateTimeOriginal = 0x9003;
constexpr std::uint32_t kAscii = 2;
constexpr std::uint32_t kShort = 3;
constexpr std::uint32_t kLong = 4;
// A tag longer than this is no make, model or date.
constexpr std::uint32_t kLongestText = 256;

// Every text tag of one IFD that is wanted; the Exif IFD's place.
void readIfd(TiffReader& r, qsizetype ifd, PhotoTags& tags, qsizetype* exifIfd) {
    const std::uint32_t entries = r.u16(ifd);
    for (std::uint32_t i = 0; i < entries && !r.failed(); ++i) {
        const qsizetype entry = ifd + 2 + 12 * qsizetype(i);
        const std::uint32_t tag = r.u16(entry);
        const std::uint32_t type = r.u16(entry + 2);
        const std::uint32_t count = r.u32(entry + 4);
        if (tag == kExifIfd && exifIfd && type == kLong && count == 1)
            *exifIfd = r.u32(entry + 8);
        QByteArray* text = tag == kMake               ? &tags.make
                           : tag == kModel            ? &tags.model
                           : tag == kDateTime         ? &tags.dateTime
                           : tag == kDateTimeOriginal ? &tags.dateTimeOriginal
                                                      : nullptr;
        if (!text || type != kAscii || count == 0 || count > kLongestText)
            continue;
        const qsizetype at = count <= 4 ? entry + 8 : qsizetype(r.u32(entry + 8));
        const QByteArrayView value = r.bytes(at, count);
        *text = value.first(value.indexOf('\0') < 0 ? value.size() : value.indexOf('\0'))
                    .toByteArray()
                    .trimmed();
    }
}

QString tiffText(TIFF* tiff, ttag_t tag) {
    const char* text = nullptr;
    return TIFFGetField(tiff, tag, &text) == 1 && text ? QString::fromLatin1(text) : QString();
}

void quietTiff(const char*, const char*, va_list) {}

// libtiff reads the tags wherever in the file they lie.
PhotoTags tiffTags(const QString& path) {
    PhotoTags tags;
    TIFFSetWarningHandler(quietTiff);
    TIFFSetErrorHandler(quietTiff);
    const std::unique_ptr<TIFF, decltype(&TIFFClose)> tiff(
        TIFFOpen(QFile::encodeName(path).constData(), "rm"), TIFFClose);
    if (!tiff)
        return tags;
    tags.make = tiffText(tiff.get(), TIFFTAG_MAKE).toLatin1().trimmed();
    tags.model = tiffText(tiff.get(), TIFFTAG_MODEL).toLatin1().trimmed();
    tags.dateTime = tiffText(tiff.get(), TIFFTAG_DATETIME).toLatin1().trimmed();
    toff_t exif = 0;
    if (TIFFGetField(tiff.get(), TIFFTAG_EXIFIFD, &exif) == 1 &&
        TIFFReadEXIFDirectory(tiff.get(), exif))
        tags.dateTimeOriginal = tiffText(tiff.get(), EXIFTAG_DATETIMEORIGINAL).toLatin1().trimmed();
    return tags;
}

void put16(QByteArray& out, std::uint16_t v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray& out, std::uint32_t v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

struct Entry {
    std::uint16_t tag;
    std::uint16_t type;
    QByteArray text;          // ascii: the text, its NUL added
    std::uint32_t number = 0; // short and long: the value
};

// One IFD at offset at of the TIFF block, its texts after it; next IFD none.
QByteArray ifdBytes(const std::vector<Entry>& entries, std::uint32_t at) {
    QByteArray ifd;
    QByteArray data;
    std::uint32_t dataAt = at + 2 + 12 * std::uint32_t(entries.size()) + 4;
    put16(ifd, std::uint16_t(entries.size()));
    for (const Entry& e : entries) {
        put16(ifd, e.tag);
        put16(ifd, e.type);
        if (e.type != kAscii) {
            put32(ifd, 1);
            e.type == kShort ? (put16(ifd, std::uint16_t(e.number)), put16(ifd, 0))
                             : put32(ifd, e.number);
            continue;
        }
        const QByteArray text = e.text + '\0';
        put32(ifd, std::uint32_t(text.size()));
        if (text.size() <= 4) {
            ifd.append(text.leftJustified(4, '\0'));
            continue;
        }
        put32(ifd, dataAt + std::uint32_t(data.size()));
        data.append(text);
        if (data.size() % 2)
            data.append('\0'); // offsets stay even
    }
    put32(ifd, 0);
    return ifd + data;
}

} // namespace

PhotoTags exifTags(QByteArrayView app1) {
    PhotoTags tags;
    static constexpr char kSignature[] = {'E', 'x', 'i', 'f', 0, 0};
    if (app1.size() < 14 || app1.first(6) != QByteArrayView(kSignature, 6))
        return tags;
    const QByteArrayView tiff = app1.sliced(6);
    const bool big = tiff.startsWith("MM");
    if (!big && !tiff.startsWith("II"))
        return tags;
    TiffReader r(tiff, big);
    if (r.u16(2) != 42)
        return tags;
    qsizetype exifIfd = 0;
    readIfd(r, r.u32(4), tags, &exifIfd);
    if (exifIfd > 0) {
        TiffReader exif(tiff, big);
        readIfd(exif, exifIfd, tags, nullptr);
    }
    return tags;
}

PhotoTags photoTags(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    switch (photoKind(file.peek(16))) {
    case PhotoKind::Heif:
        return exifTags(heifExif(file));
    case PhotoKind::Png:
        return exifTags(pngExif(file));
    case PhotoKind::Webp:
        return exifTags(webpExif(file));
    case PhotoKind::Tiff:
        return tiffTags(path);
    case PhotoKind::Jpeg:
        return exifTags(jpegExif(file));
    case PhotoKind::Other:
        break;
    }
    return {};
}

QByteArray exifBlock(const PhotoTags& tags) {
    std::vector<Entry> exif;
    if (!tags.dateTimeOriginal.isEmpty())
        exif.push_back(
            {std::uint16_t(kDateTimeOriginal), std::uint16_t(kAscii), tags.dateTimeOriginal});
    std::vector<Entry> ifd0;
    const std::array<std::pair<std::uint32_t, const QByteArray*>, 2> camera = {
        {{kMake, &tags.make}, {kModel, &tags.model}}};
    for (const auto& [tag, text] : camera)
        if (!text->isEmpty())
            ifd0.push_back({std::uint16_t(tag), std::uint16_t(kAscii), *text});
    ifd0.push_back({std::uint16_t(kOrientation), std::uint16_t(kShort), {}, 1});
    if (!tags.dateTime.isEmpty())
        ifd0.push_back({std::uint16_t(kDateTime), std::uint16_t(kAscii), tags.dateTime});
    if (!exif.empty())
        ifd0.push_back({std::uint16_t(kExifIfd), std::uint16_t(kLong), {}, 0});
    // The Exif IFD follows IFD0 and its texts: IFD0's size is known first.
    const QByteArray first = ifdBytes(ifd0, 8);
    if (!exif.empty()) {
        ifd0.back().number = 8 + std::uint32_t(first.size());
        return QByteArray("Exif\0\0II*\0\x08\0\0\0", 14) + ifdBytes(ifd0, 8) +
               ifdBytes(exif, ifd0.back().number);
    }
    return QByteArray("Exif\0\0II*\0\x08\0\0\0", 14) + first;
}

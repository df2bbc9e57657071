#include "platform/files/exifblock.h"

#include "platform/files/decoderlimits.h"

#include <QIODevice>

#include <csetjmp>

#include <png.h>
#include <webp/demux.h>

namespace {

void readFromDevice(png_structp png, png_bytep data, png_size_t size) {
    auto* device = static_cast<QIODevice*>(png_get_io_ptr(png));
    if (device->read(reinterpret_cast<char*>(data), qint64(size)) != qint64(size))
        png_error(png, "cut short");
}

void quiet(png_structp, png_const_charp) {}

[[noreturn]] void leave(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

// libpng reads the chunks before the picture data, where eXIf belongs.
QByteArray readPngExif(QIODevice& device) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, leave, quiet);
    if (!png)
        return {};
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return {};
    }
    png_set_read_fn(png, &device, readFromDevice);
    png_set_chunk_malloc_max(png, png_alloc_size_t(kMaxHeaderBytes));
    png_read_info(png, info);
    // No call below jumps.
    png_bytep exif = nullptr;
    png_uint_32 length = 0;
    QByteArray out;
    if (png_get_eXIf_1(png, info, &length, &exif) && exif)
        out = asApp1(reinterpret_cast<const char*>(exif), qsizetype(length));
    png_destroy_read_struct(&png, &info, nullptr);
    return out;
}

} // namespace

QByteArray asApp1(const char* tiff, qsizetype size) {
    if (size <= 0)
        return {};
    // Some writers keep the JPEG's signature in the chunk.
    const QByteArray block(tiff, size);
    return block.startsWith(QByteArrayView("Exif\0\0", 6)) ? block
                                                           : QByteArray("Exif\0\0", 6) + block;
}

QByteArray pngExif(QIODevice& device) {
    const qint64 at = device.pos();
    const QByteArray out = device.seek(0) ? readPngExif(device) : QByteArray();
    device.seek(at);
    return out;
}

QByteArray webpExif(QIODevice& device) {
    // The chunk follows the picture data: the whole file is looked at. Qt's
    // reader takes it whole too.
    const qint64 at = device.pos();
    const QByteArray file = device.seek(0) ? device.read(kMaxHeaderBytes) : QByteArray();
    device.seek(at);
    const WebPData data{reinterpret_cast<const uint8_t*>(file.constData()),
                        std::size_t(file.size())};
    WebPDemuxer* demux = WebPDemux(&data);
    if (!demux)
        return {};
    QByteArray out;
    WebPChunkIterator chunk;
    if (WebPDemuxGetChunk(demux, "EXIF", 1, &chunk)) {
        out = asApp1(reinterpret_cast<const char*>(chunk.chunk.bytes), qsizetype(chunk.chunk.size));
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    WebPDemuxDelete(demux);
    return out;
}

QByteArray jpegExif(QIODevice& device) {
    const qint64 at = device.pos();
    const QByteArray file = device.seek(0) ? device.read(kMaxHeaderBytes) : QByteArray();
    device.seek(at);
    const auto byte = [&](qsizetype i) { return i < file.size() ? quint8(file[i]) : 0; };
    // Segments after the start of image, each FF, its kind and its length;
    // the scan's start ends the header, and so does anything out of form.
    for (qsizetype i = 2; byte(i) == 0xFF && i + 4 <= file.size();) {
        const int kind = byte(i + 1);
        if (kind == 0xFF) { // fill bytes before a marker
            ++i;
            continue;
        }
        const int length = byte(i + 2) << 8 | byte(i + 3);
        if (kind == 0xDA || kind == 0xD9 || length < 2)
            break;
        const QByteArray content = file.mid(i + 4, length - 2);
        if (kind == 0xE1 && content.startsWith(QByteArrayView("Exif\0\0", 6)))
            return content;
        i += 2 + length;
    }
    return {};
}

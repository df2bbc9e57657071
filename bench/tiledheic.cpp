#include "tiledheic.h"

#include "camerajpeg.h"

#include <QImage>
#include <QList>
#include <QtEndian>

#include <libheif/heif.h>

namespace {

constexpr int kTile = 512;
constexpr int kDistinctTiles = 6;

QByteArray be16(int v) {
    QByteArray out(2, '\0');
    qToBigEndian<quint16>(quint16(v), out.data());
    return out;
}

QByteArray be32(qint64 v) {
    QByteArray out(4, '\0');
    qToBigEndian<quint32>(quint32(v), out.data());
    return out;
}

QByteArray box(const char* type, const QByteArray& payload) {
    return be32(8 + payload.size()) + QByteArray(type, 4) + payload;
}

QByteArray fullBox(const char* type, int version, int flags, const QByteArray& payload) {
    return box(type, QByteArray(1, char(version)) + be32(flags).mid(1) + payload);
}

// The payload of the first box of type in bytes written by libheif.
QByteArray payloadOf(const QByteArray& file, const char* type) {
    const qsizetype at = file.indexOf(QByteArray(type, 4));
    if (at < 4)
        return {};
    const quint32 size = qFromBigEndian<quint32>(file.constData() + at - 4);
    return file.mid(at + 4, qsizetype(size) - 8);
}

heif_error appendTo(heif_context*, const void* data, size_t size, void* userdata) {
    static_cast<QByteArray*>(userdata)->append(static_cast<const char*>(data), qsizetype(size));
    return {heif_error_Ok, heif_suberror_Unspecified, ""};
}

// One tile coded alone: its decoder configuration and its coded data.
struct CodedTile {
    QByteArray config;
    QByteArray data;
};

CodedTile codeTile(const QImage& picture, int left, int top) {
    heif_image* image = nullptr;
    heif_image_create(kTile, kTile, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, kTile, kTile, 8);
    int stride = 0;
    uint8_t* rgb = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const QRgb c = picture.pixel(left + x, top + y);
            uint8_t* p = rgb + y * stride + 3 * x;
            p[0] = uint8_t(qRed(c));
            p[1] = uint8_t(qGreen(c));
            p[2] = uint8_t(qBlue(c));
        }
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    QByteArray file;
    heif_writer writer{1, appendTo};
    if (!heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code) {
        heif_encoder_set_lossy_quality(encoder, 90);
        heif_encoder_set_parameter(encoder, "preset", "ultrafast");
        if (!heif_context_encode_image(context, image, encoder, nullptr, nullptr).code)
            heif_context_write(context, &writer, &file);
        heif_encoder_release(encoder);
    }
    heif_context_free(context);
    heif_image_release(image);
    return {payloadOf(file, "hvcC"), payloadOf(file, "mdat")};
}

// The file's boxes before its data, with the data starting at dataAt.
QByteArray header(const QList<CodedTile>& coded, int columns, int rows, int width, int height,
                  qint64 dataAt) {
    const int tiles = columns * rows;
    const int grid = tiles + 1;
    QByteArray infe;
    QByteArray references = be16(grid) + be16(tiles);
    QByteArray locations;
    QByteArray associations;
    QList<qint64> offsets;
    qint64 at = dataAt + 8; // after the item data box's header
    for (const CodedTile& tile : coded) {
        offsets << at;
        at += tile.data.size();
    }
    for (int id = 1; id <= tiles; ++id) {
        const int k = (id - 1) % int(coded.size());
        infe += fullBox("infe", 2, 1, be16(id) + be16(0) + QByteArray("hvc1") + '\0');
        references += be16(id);
        locations += be16(id) + be16(0) + be16(1) + be32(offsets[k]) + be32(coded[k].data.size());
        // Its configuration (essential), then the tile's size.
        associations += be16(id) + char(2) + char(0x80 | (k + 1)) + char(coded.size() + 1);
    }
    infe += fullBox("infe", 2, 0, be16(grid) + be16(0) + QByteArray("grid") + '\0');
    locations += be16(grid) + be16(0) + be16(1) + be32(at) + be32(8);
    associations += be16(grid) + char(1) + char(coded.size() + 2);
    QByteArray properties;
    for (const CodedTile& tile : coded)
        properties += box("hvcC", tile.config);
    properties += fullBox("ispe", 0, 0, be32(kTile) + be32(kTile));
    properties += fullBox("ispe", 0, 0, be32(width) + be32(height));
    const QByteArray meta =
        fullBox("meta", 0, 0,
                fullBox("hdlr", 0, 0, be32(0) + QByteArray("pict") + QByteArray(13, '\0')) +
                    fullBox("pitm", 0, 0, be16(grid)) +
                    fullBox("iloc", 0, 0, QByteArray("\x44\x00", 2) + be16(grid) + locations) +
                    fullBox("iinf", 0, 0, be16(grid) + infe) +
                    fullBox("iref", 0, 0, box("dimg", references)) +
                    box("iprp", box("ipco", properties) +
                                    fullBox("ipma", 0, 0, be32(grid) + associations)));
    return box("ftyp", QByteArray("heic") + be32(0) + QByteArray("mif1heic")) + meta;
}

} // namespace

QByteArray tiledHeic(int width, int height, unsigned seed) {
    // The tiles' camera-like content, in two rows.
    const QImage picture = QImage::fromData(
        cameraJpeg(kTile * kDistinctTiles, 2 * kTile, Content::Noisy, Coding::Baseline, seed));
    if (picture.isNull())
        return {};
    QList<CodedTile> coded;
    for (int k = 0; k < kDistinctTiles; ++k) {
        coded << codeTile(picture, k * kTile, (k % 2) * kTile);
        if (coded.last().config.isEmpty() || coded.last().data.isEmpty())
            return {};
    }
    const int columns = (width + kTile - 1) / kTile;
    const int rows = (height + kTile - 1) / kTile;
    QByteArray data;
    for (const CodedTile& tile : coded)
        data += tile.data;
    // The grid: version 0, 16-bit sizes, rows - 1, columns - 1, width, height.
    data += QByteArray(2, '\0') + char(rows - 1) + char(columns - 1) + be16(width) + be16(height);
    // The header's size does not depend on where the data lies.
    const qint64 size = header(coded, columns, rows, width, height, 0).size();
    return header(coded, columns, rows, width, height, size) + box("mdat", data);
}

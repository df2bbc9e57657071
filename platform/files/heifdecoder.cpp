#include "platform/files/heifdecoder.h"

#include "platform/files/srgbconversion.h"
#include "platform/files/storedpixels.h"

#include <QIODevice>
#include <QtEndian>

#include <libheif/heif.h>

#include <memory>

namespace {

// libheif reads the file where it wants it, never all of it at once.
struct DeviceReader {
    QIODevice* device = nullptr;
    qint64 size = 0;
    QString readError;
};

DeviceReader& readerOf(void* data) {
    return *static_cast<DeviceReader*>(data);
}

const heif_reader kReader = {
    1,
    [](void* data) -> int64_t { return readerOf(data).device->pos(); },
    [](void* buffer, size_t size, void* data) -> int {
        DeviceReader& r = readerOf(data);
        const qint64 got = r.device->read(static_cast<char*>(buffer), qint64(size));
        if (got < 0)
            r.readError = r.device->errorString();
        return got == qint64(size) ? 0 : 1;
    },
    [](int64_t position, void* data) -> int {
        return readerOf(data).device->seek(position) ? 0 : 1;
    },
    [](int64_t target, void* data) {
        return target <= readerOf(data).size ? heif_reader_grow_status_size_reached
                                             : heif_reader_grow_status_size_beyond_eof;
    },
};

// Grid pictures are decoded a tile at a time: that is the progress told.
struct TileProgress {
    const ReadWatch* watch = nullptr;
    int rows = 0;
    int tiles = 0;
};

void startTiles(heif_progress_step step, int tiles, void* data) {
    if (step == heif_progress_step_load_tile)
        static_cast<TileProgress*>(data)->tiles = tiles;
}

void tileDone(heif_progress_step step, int tile, void* data) {
    const auto* p = static_cast<TileProgress*>(data);
    if (step == heif_progress_step_load_tile && p->tiles > 0 && p->watch->progress)
        p->watch->progress(int(qint64(tile) * (p->rows - 1) / p->tiles), p->rows);
}

SrgbConversion conversionOf(const heif_image_handle* handle) {
    const heif_color_profile_type type = heif_image_handle_get_color_profile_type(handle);
    if (type == heif_color_profile_type_prof || type == heif_color_profile_type_rICC) {
        QByteArray icc(qsizetype(heif_image_handle_get_raw_color_profile_size(handle)), '\0');
        if (icc.isEmpty() || heif_image_handle_get_raw_color_profile(handle, icc.data()).code)
            return {};
        return SrgbConversion::fromIcc(icc);
    }
    heif_color_profile_nclx* nclx = nullptr;
    if (type != heif_color_profile_type_nclx ||
        heif_image_handle_get_nclx_color_profile(handle, &nclx).code || !nclx)
        return {};
    const std::unique_ptr<heif_color_profile_nclx, decltype(&heif_nclx_color_profile_free)> held(
        nclx, heif_nclx_color_profile_free);
    // 1 is sRGB's own primaries, 2 says nothing: both are shown as they are.
    if (nclx->color_primaries == heif_color_primaries_ITU_R_BT_709_5 ||
        nclx->color_primaries == heif_color_primaries_unspecified)
        return {};
    const float xy[8] = {nclx->color_primary_red_x,   nclx->color_primary_red_y,
                         nclx->color_primary_green_x, nclx->color_primary_green_y,
                         nclx->color_primary_blue_x,  nclx->color_primary_blue_y,
                         nclx->color_primary_white_x, nclx->color_primary_white_y};
    return SrgbConversion::fromPrimaries(xy, nclx->transfer_characteristics ==
                                                 heif_transfer_characteristic_linear);
}

using Context = std::unique_ptr<heif_context, decltype(&heif_context_free)>;
using Handle = std::unique_ptr<heif_image_handle, decltype(&heif_image_handle_release)>;
using Image = std::unique_ptr<heif_image, decltype(&heif_image_release)>;
using Options = std::unique_ptr<heif_decoding_options, decltype(&heif_decoding_options_free)>;

QString libraryText(const heif_error& error) {
    return QString::fromUtf8(error.message ? error.message : "").trimmed();
}

} // namespace

bool isHeifStart(QByteArrayView start) {
    return start.size() >= 12 && heif_check_filetype(reinterpret_cast<const uint8_t*>(start.data()),
                                                     int(start.size())) != heif_filetype_no;
}

PictureRead decodeHeif(QIODevice& device, const SampleLayout& layout, const ReadWatch& watch) {
    PictureRead out;
    const QByteArray start = device.peek(64);
    const QString kind =
        QString::fromLatin1(
            heif_get_file_mime_type(reinterpret_cast<const uint8_t*>(start.constData()),
                                    int(start.size())))
                .endsWith(QLatin1String("avif"))
            ? QStringLiteral("AVIF")
            : QStringLiteral("HEIF");
    const auto notReadable = [&](const QString& why) {
        out.error = QStringLiteral("it is not a readable %1 picture (%2)").arg(kind, why);
        return out;
    };
    DeviceReader reader{&device, device.size(), {}};
    Context context(heif_context_alloc(), heif_context_free);
    heif_error error = heif_context_read_from_reader(context.get(), &kReader, &reader, nullptr);
    if (!reader.readError.isEmpty()) {
        out.error = QStringLiteral("it cannot be read (%1)").arg(reader.readError);
        return out;
    }
    if (error.code)
        return notReadable(libraryText(error));
    heif_image_handle* primary = nullptr;
    error = heif_context_get_primary_image_handle(context.get(), &primary);
    if (error.code || !primary)
        return notReadable(libraryText(error));
    const Handle handle(primary, heif_image_handle_release);

    const QSize size(heif_image_handle_get_width(primary), heif_image_handle_get_height(primary));
    const bool alpha = heif_image_handle_has_alpha_channel(primary);
    const bool deep = heif_image_handle_get_luma_bits_per_pixel(primary) > 8;
    // The library's planes and the interleaved picture made of them.
    const qint64 bytes = qint64(size.width()) * size.height() * (alpha ? 8 : 6) * (deep ? 2 : 1);
    if (size.isEmpty())
        return notReadable(QStringLiteral("it declares no pixels"));
    BudgetShare memory;
    out.error = reserveDecoding(memory, size, bytes, watch);
    if (!out.error.isEmpty())
        return out;

    TileProgress progress{&watch, size.height(), 0};
    const Options options(heif_decoding_options_alloc(), heif_decoding_options_free);
    options->start_progress = startTiles;
    options->on_progress = tileDone;
    options->progress_user_data = &progress;
    const heif_chroma chroma =
        deep ? (alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
             : (alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
    heif_image* decoded = nullptr;
    error = heif_decode_image(primary, &decoded, heif_colorspace_RGB, chroma, options.get());
    const Image image(decoded, heif_image_release);
    if (!reader.readError.isEmpty()) {
        out.error = QStringLiteral("it cannot be read (%1)").arg(reader.readError);
        return out;
    }
    if (error.code || !decoded) {
        out.error = QStringLiteral("the picture is damaged or cannot be decoded (%1)")
                        .arg(libraryText(error));
        return out;
    }
    if (watch.stop && watch.stop->load()) {
        out.error = QStringLiteral("the reading was stopped");
        return out;
    }
    int stride = 0;
    StoredPixels pixels;
    pixels.data = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    pixels.stride = stride;
    pixels.size = QSize(heif_image_get_width(decoded, heif_channel_interleaved),
                        heif_image_get_height(decoded, heif_channel_interleaved));
    pixels.channels = alpha ? 4 : 3;
    pixels.samples = deep ? StoredSamples::Words : StoredSamples::Bytes;
    pixels.littleEndian = true;
    const int bits = heif_image_get_bits_per_pixel_range(decoded, heif_channel_interleaved);
    pixels.maxValue = deep ? (1 << bits) - 1 : 255;
    if (!pixels.data || pixels.size.isEmpty())
        return notReadable(QStringLiteral("it holds no pixels"));
    if (watch.progress)
        watch.progress(pixels.size.height() - 1, pixels.size.height());
    // Upright already: the file's rotation and mirroring are the library's.
    out = keptPixels(pixels, 1, layout, watch);
    if (out.ok())
        conversionOf(primary).apply(out.image);
    return out;
}

QByteArray heifExif(QIODevice& device) {
    const qint64 at = device.pos();
    DeviceReader reader{&device, device.size(), {}};
    Context context(heif_context_alloc(), heif_context_free);
    heif_image_handle* primary = nullptr;
    QByteArray out;
    if (device.seek(0) &&
        !heif_context_read_from_reader(context.get(), &kReader, &reader, nullptr).code &&
        !heif_context_get_primary_image_handle(context.get(), &primary).code && primary) {
        const Handle handle(primary, heif_image_handle_release);
        heif_item_id id = 0;
        QByteArray block;
        if (heif_image_handle_get_list_of_metadata_block_IDs(primary, "Exif", &id, 1) == 1) {
            block.resize(qsizetype(heif_image_handle_get_metadata_size(primary, id)));
            if (heif_image_handle_get_metadata(primary, id, block.data()).code)
                block.clear();
        }
        // The block starts with where its TIFF header lies after those four bytes.
        const qsizetype skip = block.size() >= 4 ? 4 + qFromBigEndian<quint32>(block.data()) : 0;
        if (skip > 0 && skip < block.size())
            out = QByteArray("Exif\0\0", 6) + block.sliced(skip);
    }
    device.seek(at);
    return out;
}

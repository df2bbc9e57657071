#include "tests/support/formats/formatmaker.h"

#include <QFile>
#include <QProcess>

#include <csetjmp>
#include <cstring>
#include <memory>

#include <lcms2.h>
#include <libheif/heif.h>
#include <png.h>
#include <tiffio.h>
#include <webp/decode.h>
#include <webp/demux.h>
#include <webp/encode.h>
#include <webp/mux.h>

namespace {

// An EXIF block (TIFF, little endian) holding the orientation tag and, when
// given, the date the file was made (DateTime, 20 bytes after the IFD).
QByteArray exifWith(const FileExtras& e) {
    const bool dated = !e.date.isEmpty();
    const char tiff[] = {'I',  'I',  42, 0, 8, 0, 0, 0, char(dated ? 2 : 1), 0,
                         0x12, 0x01, 3,  0, 1, 0, 0, 0, char(e.orientation), 0,
                         0,    0};
    const char date[] = {0x32, 0x01, 2, 0, 20, 0, 0, 0, 38, 0, 0, 0}; // at 8 + 2 + 24 + 4
    QByteArray out(tiff, sizeof tiff);
    if (dated)
        out.append(date, sizeof date);
    out.append(4, '\0'); // no next IFD
    if (dated)
        out.append(e.date.leftJustified(19, ' ', true) + '\0');
    return out;
}

// Whether a file carries an EXIF block.
bool hasExif(const FileExtras& e) {
    return e.orientation != 1 || !e.date.isEmpty();
}

int grey(QRgb c) {
    return qGray(c);
}

// The palette's entry for a colour: 3 bits of red and green, 2 of blue.
int paletteIndex(QRgb c) {
    return (qRed(c) >> 5) << 5 | (qGreen(c) >> 5) << 2 | qBlue(c) >> 6;
}

} // namespace

quint16 deepSample(int value8, int x, int y, int channel, int bits) {
    const int low = bits - 8;
    return quint16(value8 << low | ((x * 37 + y * 11 + channel * 5) & ((1 << low) - 1)));
}

int alphaAt(int x, int y) {
    return ((x / 16 + y / 16) * 37) % 256 / 51 * 51; // 0, 51, ... 255
}

QImage onWhiteInSrgb(const LibraryPixels& pixels) {
    if (pixels.size.isEmpty())
        return {};
    QImage out(pixels.size, QImage::Format_RGB32);
    const auto to8 = [&](int v) { return (v * 255 + pixels.maxValue / 2) / pixels.maxValue; };
    std::vector<uchar> rgb(std::size_t(pixels.size.width()) * 3);
    cmsHPROFILE from =
        pixels.icc.isEmpty()
            ? nullptr
            : cmsOpenProfileFromMem(pixels.icc.constData(), cmsUInt32Number(pixels.icc.size()));
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHTRANSFORM transform =
        from ? cmsCreateTransform(from, TYPE_RGB_8, srgb, TYPE_RGB_8, INTENT_PERCEPTUAL, 0)
             : nullptr;
    for (int y = 0; y < pixels.size.height(); ++y) {
        for (int x = 0; x < pixels.size.width(); ++x) {
            const quint16* p = &pixels.rgba[(std::size_t(y) * pixels.size.width() + x) * 4];
            const int a = to8(p[3]);
            for (int c = 0; c < 3; ++c)
                rgb[std::size_t(x) * 3 + c] = uchar((to8(p[c]) * a + 255 * (255 - a) + 127) / 255);
        }
        if (transform)
            cmsDoTransform(transform, rgb.data(), rgb.data(), cmsUInt32Number(pixels.size.width()));
        for (int x = 0; x < pixels.size.width(); ++x)
            out.setPixel(x, y, qRgb(rgb[x * 3], rgb[x * 3 + 1], rgb[x * 3 + 2]));
    }
    if (transform)
        cmsDeleteTransform(transform);
    if (from)
        cmsCloseProfile(from);
    cmsCloseProfile(srgb);
    return out;
}

QByteArray displayP3Profile() {
    const cmsCIExyY white{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries{{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}};
    const double srgbCurve[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
    cmsToneCurve* curve = cmsBuildParametricToneCurve(nullptr, 4, srgbCurve);
    cmsToneCurve* curves[3] = {curve, curve, curve};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsMLU* text = cmsMLUalloc(nullptr, 1);
    cmsMLUsetASCII(text, "en", "US", "Display P3");
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, text);
    cmsMLUfree(text);
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    QByteArray bytes(qsizetype(size), '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsCloseProfile(profile);
    cmsFreeToneCurve(curve);
    return bytes;
}

// --- PNG, with libpng's own interface

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t size) {
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), qsizetype(size));
}

struct MemoryRead {
    const QByteArray* bytes;
    qsizetype at = 0;
};

void readBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* m = static_cast<MemoryRead*>(png_get_io_ptr(png));
    if (m->at + qsizetype(size) > m->bytes->size())
        png_error(png, "cut short");
    std::memcpy(data, m->bytes->constData() + m->at, size);
    m->at += qsizetype(size);
}

// The file's rows, made before libpng's error jumps may happen.
std::vector<png_byte> pngRows(const QImage& picture, const PngOptions& o, int channels) {
    const int bytes = o.bits / 8;
    const int w = picture.width();
    std::vector<png_byte> data(std::size_t(w) * picture.height() * channels * bytes);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = picture.pixel(x, y);
            int values[4] = {qRed(c), qGreen(c), qBlue(c), alphaAt(x, y)};
            if (o.kind == PngKind::Grey || o.kind == PngKind::GreyAlpha) {
                values[0] = grey(c);
                values[1] = values[3];
            }
            if (o.kind == PngKind::Palette || o.kind == PngKind::PaletteAlpha)
                values[0] = paletteIndex(c);
            png_byte* p = &data[(std::size_t(y) * w + x) * channels * bytes];
            for (int k = 0; k < channels; ++k) {
                if (bytes == 1) {
                    p[k] = png_byte(values[k]);
                } else {
                    const quint16 v = deepSample(values[k], x, y, k, 16);
                    p[2 * k] = png_byte(v >> 8);
                    p[2 * k + 1] = png_byte(v & 255);
                }
            }
        }
    return data;
}

// The colour type and samples per pixel of each kind.
std::pair<int, int> pngLayout(PngKind kind) {
    switch (kind) {
    case PngKind::RgbAlpha:
        return {PNG_COLOR_TYPE_RGB_ALPHA, 4};
    case PngKind::Grey:
        return {PNG_COLOR_TYPE_GRAY, 1};
    case PngKind::GreyAlpha:
        return {PNG_COLOR_TYPE_GRAY_ALPHA, 2};
    case PngKind::Palette:
    case PngKind::PaletteAlpha:
        return {PNG_COLOR_TYPE_PALETTE, 1};
    default:
        return {PNG_COLOR_TYPE_RGB, 3};
    }
}

} // namespace

QByteArray encodePng(const QImage& picture, const PngOptions& o, const FileExtras& e) {
    const auto [type, channels] = pngLayout(o.kind);
    const std::vector<png_byte> data = pngRows(picture, o, channels);
    std::vector<png_color> palette(256);
    std::vector<png_byte> clear(256);
    for (int i = 0; i < 256; ++i) {
        palette[std::size_t(i)] = {png_byte((i >> 5) * 255 / 7), png_byte(((i >> 2) & 7) * 255 / 7),
                                   png_byte((i & 3) * 85)};
        clear[std::size_t(i)] = png_byte(i * 7 % 256);
    }
    const QByteArray exif = exifWith(e);
    QByteArray out;
    // The files made here are all sound: a failure is the test's own fault.
    png_structp png = png_create_write_struct(
        PNG_LIBPNG_VER_STRING, nullptr,
        [](png_structp, png_const_charp message) { qFatal("libpng: %s", message); }, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, appendBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(picture.width()), png_uint_32(picture.height()), o.bits,
                 type, o.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (type == PNG_COLOR_TYPE_PALETTE)
        png_set_PLTE(png, info, palette.data(), 256);
    if (o.kind == PngKind::PaletteAlpha)
        png_set_tRNS(png, info, clear.data(), 256, nullptr);
    if (o.gamma)
        png_set_gAMA_fixed(png, info, o.gamma);
    if (!e.icc.isEmpty())
        png_set_iCCP(png, info, "Display P3", 0,
                     reinterpret_cast<png_const_bytep>(e.icc.constData()),
                     png_uint_32(e.icc.size()));
    if (hasExif(e))
        png_set_eXIf_1(png, info, png_uint_32(exif.size()),
                       reinterpret_cast<png_bytep>(const_cast<char*>(exif.constData())));
    png_write_info(png, info);
    const int passes = png_set_interlace_handling(png);
    const std::size_t rowBytes = data.size() / std::size_t(picture.height());
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 0; y < picture.height(); ++y)
            png_write_row(png, &data[std::size_t(y) * rowBytes]);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

LibraryPixels decodePng(const QByteArray& bytes) {
    LibraryPixels out;
    MemoryRead source{&bytes};
    std::vector<png_byte> data;
    std::vector<png_bytep> rows;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return {};
    }
    png_set_read_fn(png, &source, readBytes);
    png_read_info(png, info);
    // Palettes and their transparency, and grey, as RGBA: values unchanged.
    png_set_expand(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFFFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const int w = int(png_get_image_width(png, info));
    const int h = int(png_get_image_height(png, info));
    const int depth = png_get_bit_depth(png, info);
    const std::size_t rowBytes = png_get_rowbytes(png, info);
    data.resize(rowBytes * std::size_t(h));
    for (int y = 0; y < h; ++y)
        rows.push_back(&data[std::size_t(y) * rowBytes]);
    png_read_image(png, rows.data());
    png_charp name = nullptr;
    int compression = 0;
    png_bytep profile = nullptr;
    png_uint_32 profileSize = 0;
    if (png_get_iCCP(png, info, &name, &compression, &profile, &profileSize))
        out.icc = QByteArray(reinterpret_cast<const char*>(profile), qsizetype(profileSize));
    png_destroy_read_struct(&png, &info, nullptr);
    out.size = QSize(w, h);
    out.maxValue = depth == 16 ? 65535 : 255;
    out.rgba.resize(std::size_t(w) * h * 4);
    for (std::size_t i = 0; i < out.rgba.size(); ++i)
        out.rgba[i] = depth == 16 ? quint16(data[2 * i] << 8 | data[2 * i + 1]) : data[i];
    return out;
}

// --- WebP, with libwebp and its container library

QByteArray encodeWebp(const QImage& picture, const WebpOptions& o, const FileExtras& e) {
    const int w = picture.width();
    const int h = picture.height();
    std::vector<uint8_t> rgba(std::size_t(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = picture.pixel(x, y);
            uint8_t* p = &rgba[(std::size_t(y) * w + x) * 4];
            p[0] = uint8_t(qRed(c));
            p[1] = uint8_t(qGreen(c));
            p[2] = uint8_t(qBlue(c));
            p[3] = uint8_t(o.alpha ? alphaAt(x, y) : 255);
        }
    uint8_t* encoded = nullptr;
    const std::size_t size = o.lossless ? WebPEncodeLosslessRGBA(rgba.data(), w, h, w * 4, &encoded)
                                        : WebPEncodeRGBA(rgba.data(), w, h, w * 4, 90, &encoded);
    WebPMux* mux = WebPMuxNew();
    const WebPData image{encoded, size};
    WebPMuxSetImage(mux, &image, 1);
    const QByteArray exif = exifWith(e);
    const WebPData exifData{reinterpret_cast<const uint8_t*>(exif.constData()),
                            std::size_t(exif.size())};
    const WebPData iccData{reinterpret_cast<const uint8_t*>(e.icc.constData()),
                           std::size_t(e.icc.size())};
    if (hasExif(e))
        WebPMuxSetChunk(mux, "EXIF", &exifData, 1);
    if (!e.icc.isEmpty())
        WebPMuxSetChunk(mux, "ICCP", &iccData, 1);
    WebPData assembled{};
    const bool ok = WebPMuxAssemble(mux, &assembled) == WEBP_MUX_OK;
    const QByteArray out =
        ok ? QByteArray(reinterpret_cast<const char*>(assembled.bytes), qsizetype(assembled.size))
           : QByteArray();
    WebPDataClear(&assembled);
    WebPMuxDelete(mux);
    WebPFree(encoded);
    return out;
}

LibraryPixels decodeWebp(const QByteArray& bytes) {
    LibraryPixels out;
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    int w = 0, h = 0;
    uint8_t* rgba = WebPDecodeRGBA(data, std::size_t(bytes.size()), &w, &h);
    if (!rgba)
        return out;
    out.size = QSize(w, h);
    out.rgba.assign(rgba, rgba + std::size_t(w) * h * 4);
    WebPFree(rgba);
    const WebPData whole{data, std::size_t(bytes.size())};
    WebPDemuxer* demux = WebPDemux(&whole);
    WebPChunkIterator chunk;
    if (demux && WebPDemuxGetChunk(demux, "ICCP", 1, &chunk)) {
        out.icc = QByteArray(reinterpret_cast<const char*>(chunk.chunk.bytes),
                             qsizetype(chunk.chunk.size));
        WebPDemuxReleaseChunkIterator(&chunk);
    }
    WebPDemuxDelete(demux);
    return out;
}

// --- TIFF, with libtiff

bool writeTiff(const QString& path, const QImage& picture, const TiffOptions& o,
               const FileExtras& e) {
    TIFF* tiff = TIFFOpen(QFile::encodeName(path).constData(), "w");
    if (!tiff)
        return false;
    const int w = picture.width();
    const int spp = o.grey ? 1 : 3;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, w);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, picture.height());
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, o.bits);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, spp);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, o.grey ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, e.orientation);
    if (!e.date.isEmpty())
        TIFFSetField(tiff, TIFFTAG_DATETIME, e.date.constData());
    if (!e.icc.isEmpty())
        TIFFSetField(tiff, TIFFTAG_ICCPROFILE, uint32_t(e.icc.size()), e.icc.constData());
    std::vector<uint8_t> line8(std::size_t(w) * spp);
    std::vector<uint16_t> line16(std::size_t(w) * spp);
    bool ok = true;
    for (int y = 0; y < picture.height() && ok; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb c = picture.pixel(x, y);
            const int values[3] = {o.grey ? grey(c) : qRed(c), qGreen(c), qBlue(c)};
            for (int k = 0; k < spp; ++k) {
                line8[std::size_t(x) * spp + k] = uint8_t(values[k]);
                line16[std::size_t(x) * spp + k] = deepSample(values[k], x, y, k, 16);
            }
        }
        void* line = o.bits == 16 ? static_cast<void*>(line16.data()) : line8.data();
        ok = TIFFWriteScanline(tiff, line, uint32_t(y), 0) == 1;
    }
    TIFFClose(tiff);
    return ok;
}

LibraryPixels decodeTiff(const QString& path) {
    LibraryPixels out;
    TIFF* tiff = TIFFOpen(QFile::encodeName(path).constData(), "r");
    if (!tiff)
        return out;
    uint32_t w = 0, h = 0, iccSize = 0;
    uint16_t bits = 8, spp = 1, orientation = 1;
    void* icc = nullptr;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &w);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &h);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &spp);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
    if (TIFFGetField(tiff, TIFFTAG_ICCPROFILE, &iccSize, &icc))
        out.icc = QByteArray(static_cast<const char*>(icc), qsizetype(iccSize));
    out.size = QSize(int(w), int(h));
    out.maxValue = bits == 16 ? 65535 : 255;
    out.rgba.resize(std::size_t(w) * h * 4);
    std::vector<uint8_t> line(std::size_t(TIFFScanlineSize(tiff)));
    for (uint32_t y = 0; y < h; ++y) {
        if (TIFFReadScanline(tiff, line.data(), y, 0) != 1)
            return {};
        for (uint32_t x = 0; x < w; ++x) {
            quint16* p = &out.rgba[(std::size_t(y) * w + x) * 4];
            for (int k = 0; k < 3; ++k) {
                const std::size_t at = std::size_t(x) * spp + (spp == 1 ? 0 : k);
                p[k] = bits == 16 ? reinterpret_cast<const uint16_t*>(line.data())[at] : line[at];
            }
            p[3] = quint16(out.maxValue);
        }
    }
    TIFFClose(tiff);
    return out;
}

// --- HEIF and AVIF, with libheif

namespace {

bool encodeHeif(const QString& path, const QImage& picture, const HeifOptions& o,
                const FileExtras& e, heif_color_profile_nclx* stated) {
    const int w = picture.width();
    const int h = picture.height();
    const bool deep = o.bits > 8;
    const heif_chroma chroma =
        deep ? (o.alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
             : (o.alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
    heif_image* image = nullptr;
    heif_image_create(w, h, heif_colorspace_RGB, chroma, &image);
    heif_image_add_plane(image, heif_channel_interleaved, w, h, o.bits);
    int stride = 0;
    uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    const int channels = o.alpha ? 4 : 3;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QRgb c = picture.pixel(x, y);
            const int values[4] = {qRed(c), qGreen(c), qBlue(c), alphaAt(x, y)};
            for (int k = 0; k < channels; ++k) {
                if (deep) {
                    const quint16 v = deepSample(values[k], x, y, k, o.bits);
                    uint8_t* p = plane + y * stride + (x * channels + k) * 2;
                    p[0] = uint8_t(v & 255);
                    p[1] = uint8_t(v >> 8);
                } else {
                    plane[y * stride + x * channels + k] = uint8_t(values[k]);
                }
            }
        }
    if (!e.icc.isEmpty())
        heif_image_set_raw_color_profile(image, "prof", e.icc.constData(),
                                         std::size_t(e.icc.size()));
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_context_get_encoder_for_format(
        context, o.avif ? heif_compression_AV1 : heif_compression_HEVC, &encoder);
    heif_encoder_set_lossy_quality(encoder, 90);
    if (o.avif)
        heif_encoder_set_parameter_integer(encoder, "speed", 8);
    heif_encoding_options* options = heif_encoding_options_alloc();
    options->image_orientation = heif_orientation(e.orientation);
    if (stated) {
        heif_image_set_nclx_color_profile(image, stated);
        options->output_nclx_profile = stated;
        // Left out by default, for an old viewer's sake.
        options->macOS_compatibility_workaround_no_nclx_profile = 0;
    }
    heif_image_handle* handle = nullptr;
    heif_error error = heif_context_encode_image(context, image, encoder, options, &handle);
    // Phones keep the EXIF tag beside the file's own turn; it is not applied.
    const QByteArray exif = exifWith(e);
    if (!error.code && hasExif(e))
        error = heif_context_add_exif_metadata(context, handle, exif.constData(), int(exif.size()));
    if (handle)
        heif_image_handle_release(handle);
    if (!error.code)
        error = heif_context_write_to_file(context, QFile::encodeName(path).constData());
    if (error.code)
        qWarning("libheif: %s", error.message);
    heif_encoding_options_free(options);
    heif_encoder_release(encoder);
    heif_image_release(image);
    heif_context_free(context);
    return !error.code;
}

} // namespace

bool writeHeifStatingP3(const QString& path, const QImage& picture) {
    heif_color_profile_nclx* nclx = heif_nclx_color_profile_alloc();
    heif_nclx_color_profile_set_color_primaries(nclx, heif_color_primaries_SMPTE_EG_432_1);
    heif_nclx_color_profile_set_transfer_characteristics(
        nclx, heif_transfer_characteristic_IEC_61966_2_1);
    heif_nclx_color_profile_set_matrix_coefficients(nclx, heif_matrix_coefficients_ITU_R_BT_601_6);
    nclx->full_range_flag = 1;
    const bool ok = encodeHeif(path, picture, {false, 8, false}, {}, nclx);
    heif_nclx_color_profile_free(nclx);
    return ok;
}

bool writeHeif(const QString& path, const QImage& picture, const HeifOptions& o,
               const FileExtras& e) {
    return encodeHeif(path, picture, o, e, nullptr);
}

bool runHeifEnc(const QString& png, const QString& heic) {
    QProcess tool;
    tool.start(QStringLiteral("heif-enc"),
               {QStringLiteral("-q"), QStringLiteral("90"), QStringLiteral("-o"), heic, png});
    return tool.waitForFinished(120000) && tool.exitStatus() == QProcess::NormalExit &&
           tool.exitCode() == 0;
}

LibraryPixels decodeHeif(const QString& path) {
    LibraryPixels out;
    heif_context* context = heif_context_alloc();
    heif_image_handle* handle = nullptr;
    heif_image* image = nullptr;
    if (!heif_context_read_from_file(context, QFile::encodeName(path).constData(), nullptr).code &&
        !heif_context_get_primary_image_handle(context, &handle).code) {
        const bool alpha = heif_image_handle_has_alpha_channel(handle);
        const int bits = heif_image_handle_get_luma_bits_per_pixel(handle);
        const heif_chroma chroma =
            bits > 8
                ? (alpha ? heif_chroma_interleaved_RRGGBBAA_LE : heif_chroma_interleaved_RRGGBB_LE)
                : (alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB);
        if (!heif_decode_image(handle, &image, heif_colorspace_RGB, chroma, nullptr).code) {
            int stride = 0;
            const uint8_t* plane =
                heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
            const int w = heif_image_get_width(image, heif_channel_interleaved);
            const int h = heif_image_get_height(image, heif_channel_interleaved);
            const int channels = alpha ? 4 : 3;
            out.size = QSize(w, h);
            out.maxValue = bits > 8 ? (1 << bits) - 1 : 255;
            out.rgba.resize(std::size_t(w) * h * 4);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    for (int k = 0; k < 4; ++k) {
                        quint16& v = out.rgba[(std::size_t(y) * w + x) * 4 + k];
                        const uint8_t* p =
                            plane + y * stride + (x * channels + k) * (bits > 8 ? 2 : 1);
                        v = k >= channels ? quint16(out.maxValue)
                            : bits > 8    ? quint16(p[0] | p[1] << 8)
                                          : p[0];
                    }
            const std::size_t iccSize = heif_image_handle_get_raw_color_profile_size(handle);
            if (iccSize > 0) {
                out.icc.resize(qsizetype(iccSize));
                heif_image_handle_get_raw_color_profile(handle, out.icc.data());
            }
        }
    }
    if (image)
        heif_image_release(image);
    if (handle)
        heif_image_handle_release(handle);
    heif_context_free(context);
    return out;
}

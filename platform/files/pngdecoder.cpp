#include "platform/files/pngdecoder.h"

#include "platform/files/exifblock.h"
#include "platform/files/imagereaderdecoder.h"
#include "platform/files/orientation.h"
#include "platform/files/srgbconversion.h"
#include "platform/files/storedpixels.h"

#include <QIODevice>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

#include <png.h>

namespace {

// The file is read in pieces of this size: libpng asks for a few bytes at a
// time, and the device is unbuffered.
constexpr qint64 kReadAhead = 64 * 1024;

[[noreturn]] void onError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

class Decoder {
public:
    Decoder(QIODevice& device, const SampleLayout& layout, const ReadWatch& watch)
        : m_device(device), m_layout(layout), m_watch(watch) {}
    ~Decoder() { png_destroy_read_struct(&m_png, &m_info, nullptr); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    PictureRead run();
    // Whether Qt's reader should read the file instead.
    bool leftToQt() const { return m_leftToQt; }

private:
    static void read(png_structp png, png_bytep data, png_size_t size);
    static void rowDone(png_structp png, png_uint_32 row, int pass);
    bool readHeader();
    void readRows();
    void readWhole();
    void keep(int k);
    QString failure() const;

    QIODevice& m_device;
    const SampleLayout& m_layout;
    const ReadWatch& m_watch;
    png_structp m_png = nullptr;
    png_infop m_info = nullptr;
    // Held here, not in the frames libpng's errors jump out of.
    std::vector<char> m_ahead;
    qsizetype m_at = 0;
    qsizetype m_end = 0;
    QString m_readError;
    bool m_stopped = false;
    int m_pass = 0;
    bool m_leftToQt = false;
    int m_orientation = 1;
    QByteArray m_icc;
    BudgetShare m_memory;
    StoredPixels m_stored;
    std::vector<png_byte> m_pixels;
    std::vector<png_bytep> m_rows;
    SampleGrid m_grid;
    StoredAxes m_axes;
    QImage m_image;
    PictureRead m_out;
};

void Decoder::read(png_structp png, png_bytep data, png_size_t size) {
    auto& d = *static_cast<Decoder*>(png_get_io_ptr(png));
    while (size > 0) {
        if (d.m_at == d.m_end) {
            const qint64 got = d.m_device.read(d.m_ahead.data(), kReadAhead);
            if (got < 0)
                d.m_readError = d.m_device.errorString();
            if (got <= 0)
                png_error(png, "cut short");
            d.m_at = 0;
            d.m_end = got;
        }
        const auto n = std::min(size, png_size_t(d.m_end - d.m_at));
        std::memcpy(data, d.m_ahead.data() + d.m_at, n);
        data += n;
        size -= n;
        d.m_at += qsizetype(n);
    }
}

// Lets a read of an interlaced file, decoded whole by libpng, stop too, and
// tells its progress as each of its seven passes ends.
void Decoder::rowDone(png_structp png, png_uint_32, int pass) {
    auto& d = *static_cast<Decoder*>(png_get_io_ptr(png));
    if (d.m_watch.stop && d.m_watch.stop->load()) {
        d.m_stopped = true;
        png_error(png, "stopped");
    }
    const int height = d.m_stored.size.height();
    if (pass != d.m_pass && d.m_watch.progress)
        d.m_watch.progress(std::min(pass, 7) * (height - 1) / 7, height);
    d.m_pass = pass;
}

PictureRead Decoder::run() {
    m_png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    m_info = m_png ? png_create_info_struct(m_png) : nullptr;
    if (!m_info) {
        m_out.error = QStringLiteral("there is not enough memory to load the picture");
        return m_out;
    }
    m_ahead.resize(std::size_t(kReadAhead));
    // Everything the jump may land on lives in members, none in this frame.
    if (setjmp(png_jmpbuf(m_png))) {
        m_out.image = QImage();
        m_out.error = failure();
        m_leftToQt = m_out.error.isEmpty();
        return m_out;
    }
    png_set_read_fn(m_png, this, read);
    png_read_info(m_png, m_info);
    if (!readHeader())
        return m_out;
    if (png_get_interlace_type(m_png, m_info) == PNG_INTERLACE_NONE)
        readRows();
    else
        readWhole();
    if (!m_out.error.isEmpty())
        return m_out;
    // A file cut short or damaged after the last kept row is told all the same.
    png_read_end(m_png, nullptr);
    if (m_watch.progress)
        m_watch.progress(m_stored.size.height() - 1, m_stored.size.height());
    SrgbConversion::fromIcc(m_icc).apply(m_out.image);
    return m_out;
}

bool Decoder::readHeader() {
    // Qt's reader makes a colour space of its own of a gamma chunk: such a
    // file keeps the colours it had there.
    if (png_get_valid(m_png, m_info, PNG_INFO_gAMA) &&
        !png_get_valid(m_png, m_info, PNG_INFO_sRGB | PNG_INFO_iCCP)) {
        m_leftToQt = true;
        return false;
    }
    png_bytep exif = nullptr;
    png_uint_32 exifSize = 0;
    if (png_get_eXIf_1(m_png, m_info, &exifSize, &exif) && exif)
        m_orientation = exifOrientation(asApp1(reinterpret_cast<const char*>(exif), exifSize));
    png_charp name = nullptr;
    int compression = 0;
    png_bytep icc = nullptr;
    png_uint_32 iccSize = 0;
    if (png_get_iCCP(m_png, m_info, &name, &compression, &icc, &iccSize) && icc)
        m_icc = QByteArray(reinterpret_cast<const char*>(icc), qsizetype(iccSize));

    // Palettes, grey of fewer bits and single transparent colours become
    // RGB or RGBA of 8 or 16 bits; the samples keep their values.
    png_set_expand(m_png);
    png_set_gray_to_rgb(m_png);
    const bool interlaced = png_get_interlace_type(m_png, m_info) != PNG_INTERLACE_NONE;
    if (interlaced) {
        png_set_interlace_handling(m_png);
        png_set_read_status_fn(m_png, rowDone);
    }
    png_read_update_info(m_png, m_info);
    const bool deep = png_get_bit_depth(m_png, m_info) == 16;
    m_stored.size =
        QSize(int(png_get_image_width(m_png, m_info)), int(png_get_image_height(m_png, m_info)));
    m_stored.stride = qsizetype(png_get_rowbytes(m_png, m_info));
    m_stored.samples = deep ? StoredSamples::Words : StoredSamples::Bytes;
    m_stored.channels = png_get_channels(m_png, m_info);
    m_stored.littleEndian = false;
    m_stored.maxValue = deep ? 65535 : 255;
    m_out.fullSize = uprightSize(m_stored.size, m_orientation);
    // One row at a time, or the whole picture when it is interlaced.
    const qint64 bytes = m_stored.stride * (interlaced ? m_stored.size.height() : 1);
    m_out.error = reserveDecoding(m_memory, m_stored.size, bytes, m_watch);
    return m_out.error.isEmpty();
}

void Decoder::readRows() {
    m_grid = keptGrid(m_layout, m_out.fullSize);
    m_axes = storedAxes(m_grid, m_orientation, m_stored.size);
    m_image = QImage(static_cast<int>(m_grid.columns.size()), static_cast<int>(m_grid.rows.size()),
                     QImage::Format_RGB32);
    if (m_image.isNull()) {
        m_out.error = QStringLiteral("there is not enough memory to load the picture");
        return;
    }
    m_pixels.resize(std::size_t(m_stored.stride));
    m_stored.data = m_pixels.data();
    const int height = m_stored.size.height();
    std::size_t next = 0;
    for (int y = 0; y < height; ++y) {
        if (m_watch.stop && m_watch.stop->load()) {
            m_out.error = QStringLiteral("the reading was stopped");
            return;
        }
        // Every row is inflated: each is stored as its difference from the last.
        png_read_row(m_png, m_pixels.data(), nullptr);
        if (next < m_axes.reads.size() && m_axes.reads[next].first == y) {
            keep(m_axes.reads[next].second);
            ++next;
            if (m_watch.progress)
                m_watch.progress(y, height);
        }
    }
    m_out.image = m_image;
    if (m_layout)
        m_out.kept = m_grid;
}

// Takes the kept pixels of the stored row just read, upright index k.
void Decoder::keep(int k) {
    const bool swap = swapsSides(m_orientation);
    for (std::size_t m = 0; m < m_axes.columnOf.size(); ++m) {
        const int x = swap ? k : static_cast<int>(m);
        const int y = swap ? static_cast<int>(m) : k;
        reinterpret_cast<QRgb*>(m_image.scanLine(y))[x] =
            storedOnWhite(m_stored, m_axes.columnOf[m], 0);
    }
}

void Decoder::readWhole() {
    const auto height = std::size_t(m_stored.size.height());
    m_pixels.resize(std::size_t(m_stored.stride) * height);
    for (std::size_t y = 0; y < height; ++y)
        m_rows.push_back(m_pixels.data() + y * std::size_t(m_stored.stride));
    png_read_image(m_png, m_rows.data());
    m_stored.data = m_pixels.data();
    m_out = keptPixels(m_stored, m_orientation, m_layout, m_watch);
}

// Empty when Qt's reader is to have its say.
QString Decoder::failure() const {
    if (m_stopped)
        return QStringLiteral("the reading was stopped");
    if (!m_readError.isEmpty())
        return QStringLiteral("it cannot be read (%1)").arg(m_readError);
    return {};
}

} // namespace

PictureRead decodePng(QIODevice& device, const SampleLayout& layout, const ReadWatch& watch) {
    {
        Decoder decoder(device, layout, watch);
        PictureRead out = decoder.run();
        if (!decoder.leftToQt())
            return out;
    }
    if (!device.seek(0)) {
        PictureRead out;
        out.error = QStringLiteral("it cannot be read (%1)").arg(device.errorString());
        return out;
    }
    return decodeWithImageReader(device, layout, watch);
}

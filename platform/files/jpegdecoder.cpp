#include "platform/files/jpegdecoder.h"

#include "platform/files/jpegsource.h"
#include "platform/files/memorybudget.h"
#include "platform/files/orientation.h"
#include "platform/files/storedpixels.h"

#include <QIODevice>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>
#include <sys/mman.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    bool warning = false;
    int code = 0;
    int parameter = 0;
    char text[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void leave(j_common_ptr cinfo, bool warning) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    err->warning = warning;
    err->code = cinfo->err->msg_code;
    err->parameter = cinfo->err->msg_parm.i[0];
    (*cinfo->err->format_message)(cinfo, err->text);
    std::longjmp(err->jump, 1);
}

void onError(j_common_ptr cinfo) {
    leave(cinfo, false);
}

// Warnings after which every pixel is still the file's own: a few bytes
// between two parts that belong to neither (writers pad, or leave a line
// end), a field the decoder does not use, or metadata it does not read.
// Every viewer shows such a file. Many stray bytes after a scan are another
// matter: the scan's data went astray and the decoder stopped short of it.
constexpr int kMaxStrayBytes = 16;

bool harmless(const jpeg_error_mgr& err) {
    switch (err.msg_code) {
    case JWRN_EXTRANEOUS_DATA:
        return err.msg_parm.i[0] <= kMaxStrayBytes;
    case JWRN_JFIF_MAJOR:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
        return true;
    default:
        return false;
    }
}

// Any other warning is data the decoder had to patch up: cut short, damaged,
// or scans that do not fit together. Showing it would pass a broken photo off
// as whole, and stopping at once spares decoding the made-up rest of a huge
// declared picture.
void onMessage(j_common_ptr cinfo, int level) {
    if (level < 0 && !harmless(*cinfo->err))
        leave(cinfo, true);
}

// Lets a read that is no longer wanted stop inside the library too, and
// tells how far a file of several scans is: it is decoded whole before its
// first row comes out.
struct LibraryProgress {
    jpeg_progress_mgr pub;
    const ReadWatch* watch = nullptr;
    ErrorManager* err = nullptr;
    int rows = 0;
    bool scanning = false; // reading all the scans of a file before its rows
    bool stopped = false;
    int scans = 0;         // the scans met so far
    qint64 scanBlocks = 0; // their work
    bool tooMuchWork = false;
};

// Counts each scan's work as the library meets it, before decoding it.
void countScan(j_decompress_ptr cinfo, LibraryProgress& progress) {
    if (cinfo->input_scan_number <= progress.scans)
        return;
    progress.scans = cinfo->input_scan_number;
    qint64 blocks = 0;
    for (int i = 0; i < cinfo->comps_in_scan; ++i) {
        const jpeg_component_info* c = cinfo->cur_comp_info[i];
        blocks += qint64(c->width_in_blocks) * c->height_in_blocks;
    }
    progress.scanBlocks += blocks;
    if (progress.scans > kMaxScans || progress.scanBlocks > kMaxScanBlocks) {
        progress.tooMuchWork = true;
        std::longjmp(progress.err->jump, 1);
    }
}

void onProgress(j_common_ptr cinfo) {
    auto* progress = reinterpret_cast<LibraryProgress*>(cinfo->progress);
    const ReadWatch& watch = *progress->watch;
    if (watch.stop && watch.stop->load()) {
        progress->stopped = true;
        std::longjmp(progress->err->jump, 1);
    }
    countScan(reinterpret_cast<j_decompress_ptr>(cinfo), *progress);
    const jpeg_progress_mgr& p = progress->pub;
    if (!progress->scanning || !watch.progress || p.total_passes <= 0 || p.pass_limit <= 0)
        return;
    const double done =
        (p.completed_passes + double(p.pass_counter) / double(p.pass_limit)) / p.total_passes;
    watch.progress(static_cast<int>(std::min(1.0, done) * (progress->rows - 1)), progress->rows);
}

// A large picture is touched once, row by row, as it is decoded: huge pages
// spare the kernel a fault for every 4 KB of fresh memory.
void preferHugePages(uchar* data, qsizetype bytes) {
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t from = (start + kHuge - 1) & ~(kHuge - 1);
    const std::uintptr_t to = (start + std::uintptr_t(bytes)) & ~(kHuge - 1);
    if (to > from)
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
}

// Adobe's CMYK and YCCK files store the inks inverted, as most do; a file
// without Adobe's marker is taken as plain. Converted as common viewers do:
// red = (1 - cyan) x (1 - black), and so on.
QRgb fromCmyk(const JSAMPLE* p, bool inverted) {
    int c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) {
        c = 255 - c;
        m = 255 - m;
        y = 255 - y;
        k = 255 - k;
    }
    return qRgb(c * k / 255, m * k / 255, y * k / 255);
}

QString libraryText(const ErrorManager& err) {
    return QString::fromLocal8Bit(err.text);
}

QString kindRefused(const ErrorManager& err) {
    if (err.code == JERR_BAD_PRECISION)
        return QStringLiteral("it is a %1-bit JPEG picture, which cannot be shown (only 8-bit "
                              "JPEG pictures can)")
            .arg(err.parameter);
    if (err.code == JERR_SOF_UNSUPPORTED) {
        const int sof = err.parameter;
        if (sof == 0xC3 || sof == 0xC7 || sof == 0xCB || sof == 0xCF)
            return QStringLiteral("it is a lossless JPEG picture, which cannot be shown");
        return QStringLiteral("it is a JPEG picture of a kind that cannot be shown (%1)")
            .arg(libraryText(err));
    }
    return {};
}

class Decoder {
public:
    Decoder(QIODevice& device, const SampleLayout& layout, const ReadWatch& watch, int longSide = 0)
        : m_device(device), m_layout(layout), m_watch(watch), m_longSide(longSide) {}
    ~Decoder() { jpeg_destroy_decompress(&m_cinfo); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    PictureRead run();

private:
    bool readHeader();
    bool checkCost();
    QSize chooseScale();
    void decode();
    QString failure() const;
    QString tooLarge(const QString& why) const;

    QIODevice& m_device;
    const SampleLayout& m_layout;
    const ReadWatch& m_watch;
    const int m_longSide;
    jpeg_decompress_struct m_cinfo{};
    ErrorManager m_err;
    LibraryProgress m_progress;
    JpegSource m_source;
    BudgetShare m_memory;
    bool m_started = false;
    int m_orientation = 1;
    QSize m_stored;
    PictureRead m_out;
    // Held here, not in the frames the library may jump out of.
    SampleGrid m_grid;
    StoredAxes m_axes;
    QImage m_image;
    std::vector<JSAMPLE> m_line;
};

PictureRead Decoder::run() {
    m_cinfo.err = jpeg_std_error(&m_err.pub);
    m_err.pub.error_exit = onError;
    m_err.pub.emit_message = onMessage;
    // Everything the jump may land on lives in members, none in this frame.
    if (setjmp(m_err.jump)) {
        m_out.image = QImage();
        m_out.error = failure();
        return m_out;
    }
    jpeg_create_decompress(&m_cinfo);
    m_progress.pub.progress_monitor = onProgress;
    m_progress.watch = &m_watch;
    m_progress.err = &m_err;
    m_cinfo.progress = &m_progress.pub;
    // The memory manager has no backing store: past this it fails cleanly.
    m_cinfo.mem->max_memory_to_use = kMaxDecoderBytes;
    useJpegSource(&m_cinfo, m_source, m_device, kMaxHeaderBytes);
    if (!readHeader() || !checkCost())
        return m_out;
    decode();
    return m_out;
}

bool Decoder::readHeader() {
    jpeg_save_markers(&m_cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&m_cinfo, TRUE);
    for (jpeg_saved_marker_ptr m = m_cinfo.marker_list; m; m = m->next) {
        const QByteArrayView app1(reinterpret_cast<const char*>(m->data),
                                  static_cast<qsizetype>(m->data_length));
        if (app1.startsWith(QByteArrayView("Exif\0", 5))) {
            m_orientation = exifOrientation(app1);
            break;
        }
    }
    m_stored = QSize(static_cast<int>(m_cinfo.image_width), static_cast<int>(m_cinfo.image_height));
    m_out.fullSize = uprightSize(m_stored, m_orientation);
    if (m_stored.isEmpty()) {
        m_out.error = QStringLiteral("it is not a readable JPEG picture (it declares no pixels)");
        return false;
    }
    qint64 blocks = 0;
    for (int i = 0; i < m_cinfo.num_components; ++i)
        blocks +=
            qint64(m_cinfo.comp_info[i].width_in_blocks) * m_cinfo.comp_info[i].height_in_blocks;
    m_source.limit = m_source.used + kMaxHeaderBytes + kMaxBytesPerBlock * blocks;
    const bool cmyk = m_cinfo.jpeg_color_space == JCS_CMYK || m_cinfo.jpeg_color_space == JCS_YCCK;
    m_cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    m_cinfo.dct_method = JDCT_ISLOW;
    return true;
}

bool Decoder::checkCost() {
    // A file of several scans keeps every coefficient until its last scan.
    const bool scans = jpeg_has_multiple_scans(&m_cinfo);
    qint64 bytes = 0;
    for (int i = 0; scans && i < m_cinfo.num_components; ++i) {
        const jpeg_component_info& c = m_cinfo.comp_info[i];
        bytes += qint64(c.width_in_blocks) * c.height_in_blocks * DCTSIZE2 * qint64(sizeof(JCOEF));
    }
    if (bytes > kMaxDecoderBytes) {
        m_out.error =
            tooLarge(QStringLiteral("decoding it would need %1 MB of memory").arg(bytes >> 20));
        return false;
    }
    // The first scan's work, before any of it is done; the library meets
    // the others later.
    countScan(&m_cinfo, m_progress);
    // Shared with the other decoders: wait while they hold too much.
    if (bytes == 0 || m_memory.take(MemoryBudget::decoders(), bytes, m_watch.stop))
        return true;
    m_out.error = QStringLiteral("the reading was stopped");
    return false;
}

QString Decoder::tooLarge(const QString& why) const {
    return QStringLiteral("the picture is too large to load (%1 x %2): %3")
        .arg(m_stored.width())
        .arg(m_stored.height())
        .arg(why);
}

// The smallest of the library's scales from 1/8 to 8/8 whose long side
// reaches m_longSide; the stored picture's own size without one.
QSize Decoder::chooseScale() {
    for (unsigned eighths = 1; m_longSide > 0 && eighths <= 8; ++eighths) {
        m_cinfo.scale_num = eighths;
        m_cinfo.scale_denom = 8;
        jpeg_calc_output_dimensions(&m_cinfo);
        if (std::max(m_cinfo.output_width, m_cinfo.output_height) >= unsigned(m_longSide))
            break;
    }
    jpeg_calc_output_dimensions(&m_cinfo);
    return QSize(static_cast<int>(m_cinfo.output_width), static_cast<int>(m_cinfo.output_height));
}

void Decoder::decode() {
    // A scaled decode keeps every pixel of its smaller picture.
    const QSize output = chooseScale();
    m_grid = m_longSide > 0 ? keptGrid({}, uprightSize(output, m_orientation))
                            : keptGrid(m_layout, m_out.fullSize);
    const bool whole = !m_layout || m_longSide > 0;

    // A progressive file is read whole here: running out of data now is a
    // picture cut short, not a broken header.
    m_started = true;
    const bool scans = jpeg_has_multiple_scans(&m_cinfo);
    m_progress.rows = m_stored.height();
    m_progress.scanning = scans;
    jpeg_start_decompress(&m_cinfo);
    m_progress.scanning = false;
    const bool cmyk = m_cinfo.out_color_space == JCS_CMYK;
    const bool inverted = m_cinfo.saw_Adobe_marker;
    const bool swap = swapsSides(m_orientation);
    m_axes = storedAxes(m_grid, m_orientation, output);

    m_image = QImage(static_cast<int>(m_grid.columns.size()), static_cast<int>(m_grid.rows.size()),
                     QImage::Format_RGB32);
    if (m_image.isNull()) {
        m_out.error = QStringLiteral("there is not enough memory to load the picture");
        jpeg_abort_decompress(&m_cinfo);
        return;
    }
    preferHugePages(m_image.bits(), m_image.sizeInBytes());
    m_line.resize(std::size_t(m_cinfo.output_width) * std::size_t(m_cinfo.output_components));
    JSAMPROW row = m_line.data();
    const int total = static_cast<int>(m_axes.reads.size());
    uchar* bits = m_image.bits();
    const qsizetype bytesPerLine = m_image.bytesPerLine();
    // A run of whole columns, not turned: each row is copied in one go.
    const std::vector<int>& columnOf = m_axes.columnOf;
    const bool copiesRows = !cmyk && !swap && !columnOf.empty() &&
                            columnOf.back() - columnOf.front() + 1 == int(columnOf.size()) &&
                            std::is_sorted(columnOf.begin(), columnOf.end());
    for (int n = 0; n < total; ++n) {
        if (m_watch.stop && m_watch.stop->load()) {
            m_out.error = QStringLiteral("the reading was stopped");
            jpeg_abort_decompress(&m_cinfo);
            return;
        }
        const int stored = m_axes.reads[static_cast<std::size_t>(n)].first;
        const int k = m_axes.reads[static_cast<std::size_t>(n)].second;
        const auto at = static_cast<JDIMENSION>(stored);
        if (at > m_cinfo.output_scanline)
            jpeg_skip_scanlines(&m_cinfo, at - m_cinfo.output_scanline);
        jpeg_read_scanlines(&m_cinfo, &row, 1);
        const std::size_t columns = m_axes.columnOf.size();
        if (copiesRows) {
            // B, G, R and 0xFF in memory: RGB32 as it is.
            std::memcpy(bits + bytesPerLine * k, row + std::size_t(m_axes.columnOf[0]) * 4,
                        columns * 4);
        } else {
            for (std::size_t m = 0; m < columns; ++m) {
                const JSAMPLE* p = row + std::size_t(m_axes.columnOf[m]) * 4;
                // B, G, R, X in memory.
                const QRgb colour = cmyk ? fromCmyk(p, inverted) : qRgb(p[2], p[1], p[0]);
                const qsizetype x = swap ? k : static_cast<qsizetype>(m);
                const qsizetype y = swap ? static_cast<qsizetype>(m) : k;
                reinterpret_cast<QRgb*>(bits + bytesPerLine * y)[x] = colour;
            }
        }
        // The rows of a file of several scans come quickly once all are read.
        if (m_watch.progress && !scans)
            m_watch.progress(stored, static_cast<int>(m_cinfo.output_height));
    }
    // Skipping to the end would not read what is left; the last row does, so
    // a file cut short after the last kept row is still told.
    const JDIMENSION last = m_cinfo.output_height - 1;
    if (m_cinfo.output_scanline <= last) {
        if (last > m_cinfo.output_scanline)
            jpeg_skip_scanlines(&m_cinfo, last - m_cinfo.output_scanline);
        jpeg_read_scanlines(&m_cinfo, &row, 1);
    }
    jpeg_finish_decompress(&m_cinfo);
    m_out.image = m_image;
    if (!whole)
        m_out.kept = m_grid;
}

QString Decoder::failure() const {
    if (m_progress.stopped)
        return QStringLiteral("the reading was stopped");
    if (!m_source.readError.isEmpty())
        return QStringLiteral("it cannot be read (%1)").arg(m_source.readError);
    if (m_source.overLimit)
        return QStringLiteral("the picture is damaged: its data goes on far past what a picture "
                              "of %1 x %2 holds")
            .arg(m_stored.width())
            .arg(m_stored.height());
    if (m_progress.tooMuchWork && m_progress.scans > 1)
        return QStringLiteral("it is made of more scans than a photo of %1 x %2 has: decoding "
                              "them would take too long (refused at scan %3)")
            .arg(m_stored.width())
            .arg(m_stored.height())
            .arg(m_progress.scans);
    if (m_progress.tooMuchWork)
        return tooLarge(QStringLiteral("decoding it would take too long"));
    if (m_err.code == JERR_OUT_OF_MEMORY || m_err.code == JERR_NO_BACKING_STORE ||
        m_err.code == JERR_TFILE_CREATE)
        return tooLarge(QStringLiteral("decoding it would need more memory than it may take"));
    if (const QString kind = kindRefused(m_err); !kind.isEmpty())
        return kind;
    if (m_err.warning && m_started)
        return QStringLiteral("the picture is damaged or incomplete (%1)").arg(libraryText(m_err));
    return QStringLiteral("it is not a readable JPEG picture (%1)").arg(libraryText(m_err));
}

} // namespace

PictureRead decodeJpeg(QIODevice& device, const SampleLayout& layout, const ReadWatch& watch) {
    Decoder decoder(device, layout, watch);
    return decoder.run();
}

PictureRead decodeJpegScaled(QIODevice& device, int longSide, const ReadWatch& watch) {
    // The decoder keeps a reference: the empty layout must outlive it.
    const SampleLayout whole;
    Decoder decoder(device, whole, watch, std::max(1, longSide));
    return decoder.run();
}

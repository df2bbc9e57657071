#include "platform/files/labjpeg.h"

#include "platform/files/exiftags.h"
#include "platform/files/picturefile.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

bool takesLabJpeg(const QString& path) {
    const PhotoKind kind = photoKindOf(path);
    return kind != PhotoKind::Jpeg && kind != PhotoKind::Other;
}

namespace {

struct EncoderError {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char text[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void encoderFailed(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<EncoderError*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->text);
    std::longjmp(err->jump, 1);
}

// The encoder writes straight into a byte array that grows as it fills.
struct ByteDestination {
    jpeg_destination_mgr pub;
    QByteArray* bytes;
    static ByteDestination& of(j_compress_ptr cinfo) {
        return *reinterpret_cast<ByteDestination*>(cinfo->dest);
    }
    void resume(qsizetype used) {
        pub.next_output_byte = reinterpret_cast<JOCTET*>(bytes->data()) + used;
        pub.free_in_buffer = std::size_t(bytes->size() - used);
    }
};

void startBytes(j_compress_ptr cinfo) {
    ByteDestination::of(cinfo).resume(0);
}

boolean moreBytes(j_compress_ptr cinfo) {
    ByteDestination& d = ByteDestination::of(cinfo);
    const qsizetype used = d.bytes->size();
    // No exception may pass through the library: it jumps instead.
    bool grown = true;
    try {
        d.bytes->resize(used * 2);
    } catch (const std::bad_alloc&) {
        grown = false;
    }
    if (!grown)
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    d.resume(used);
    return TRUE;
}

void endBytes(j_compress_ptr cinfo) {
    ByteDestination& d = ByteDestination::of(cinfo);
    d.bytes->resize(d.bytes->size() - qsizetype(d.pub.free_in_buffer));
}

} // namespace

MadeFile encodeOnPaper(const QImage& photo, QSize paper, QPoint at, const QByteArray& exif) {
    const QRect placed(at, photo.size());
    if (photo.format() != QImage::Format_RGB32 || exif.size() > 0xFFFF - 2 ||
        !QRect(QPoint(), paper).contains(placed) || placed.isEmpty())
        return {
            {},
            QStringLiteral("the JPEG for the lab could not be made (no picture to make it of)")};
    // Everything the error's jump may skip is made before it.
    QByteArray bytes;
    bytes.resize(std::max<qsizetype>(4096, qsizetype(paper.width()) * paper.height() / 2));
    std::vector<JSAMPLE> line(std::size_t(paper.width()) * 4, 0xFF); // white where no photo
    ByteDestination destination{{}, &bytes};
    destination.pub.init_destination = startBytes;
    destination.pub.empty_output_buffer = moreBytes;
    destination.pub.term_destination = endBytes;
    jpeg_compress_struct cinfo{};
    EncoderError err;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = encoderFailed;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return {{},
                QStringLiteral("the JPEG for the lab could not be made (%1)")
                    .arg(QString::fromLocal8Bit(err.text))};
    }
    jpeg_create_compress(&cinfo);
    cinfo.dest = &destination.pub;
    cinfo.image_width = JDIMENSION(paper.width());
    cinfo.image_height = JDIMENSION(paper.height());
    // RGB32 lies in memory as blue, green, red, unused.
    cinfo.input_components = 4;
    cinfo.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, kLabJpegQuality, TRUE);
    cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 2;
    cinfo.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&cinfo, TRUE);
    // After the JFIF segment the encoder starts with.
    jpeg_write_marker(&cinfo, JPEG_APP0 + 1, reinterpret_cast<const JOCTET*>(exif.constData()),
                      unsigned(exif.size()));
    // Row by row, the white ones too: no picture of the paper's size is made.
    JSAMPROW row = line.data();
    const std::size_t rowBytes = std::size_t(photo.width()) * 4;
    for (int y = 0; y < paper.height(); ++y) {
        if (y >= placed.top() && y <= placed.bottom())
            std::memcpy(row + std::size_t(at.x()) * 4, photo.constScanLine(y - at.y()), rowBytes);
        else if (y == placed.bottom() + 1)
            std::memset(row, 0xFF, line.size());
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return {bytes, {}};
}

namespace {

MadeFile encoded(const QImage& picture, QSize paper, QPoint at, const QString& path) {
    return encodeOnPaper(picture, paper, at, exifBlock(photoTags(path)));
}

MadeFile outOfMemory() {
    return {{}, QStringLiteral("there is not enough memory to make its JPEG for the lab")};
}

bool fits(const PrintPlacement& p, QSize upright) {
    return !p.cut.isEmpty() && QRect(QPoint(), upright).contains(p.cut) &&
           QRect(QPoint(), p.paper).contains(QRect(p.at, p.cut.size()));
}

} // namespace

MadeFile labJpeg(const QString& path) {
    try {
        const PictureRead read = readPictureFile(path);
        return read.ok() ? encoded(read.image, read.image.size(), {}, path)
                         : MadeFile{{}, read.error};
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
}

MadeFile labPrint(const QString& path, const PrintLayout& layout) {
    try {
        // Only the cut is kept of the photo: a JPEG's rows above and below
        // it are skipped.
        PrintPlacement placed;
        const PictureRead read = readPictureFile(path, [&](QSize upright) {
            placed = layout(upright);
            SampleGrid grid;
            if (!fits(placed, upright))
                return grid;
            for (int x = placed.cut.left(); x <= placed.cut.right(); ++x)
                grid.columns.push_back(x);
            for (int y = placed.cut.top(); y <= placed.cut.bottom(); ++y)
                grid.rows.push_back(y);
            return grid;
        });
        if (!read.ok())
            return {{}, read.error};
        if (!fits(placed, read.fullSize) || read.image.size() != placed.cut.size())
            return {{}, QStringLiteral("its framing does not fit the photo")};
        return encoded(read.image, placed.paper, placed.at, path);
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
}

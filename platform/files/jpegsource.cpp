#include "platform/files/jpegsource.h"

#include <QIODevice>

#include <algorithm>

#include <jerror.h>

namespace {

constexpr qint64 kChunkBytes = 64 * 1024;

JpegSource& sourceOf(j_decompress_ptr cinfo) {
    return *reinterpret_cast<JpegSource*>(cinfo->src);
}

void initSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr cinfo) {
    JpegSource& s = sourceOf(cinfo);
    if (s.used >= s.limit) {
        s.overLimit = true;
        ERREXIT(cinfo, JERR_INPUT_EOF);
    }
    const qint64 want = std::min<qint64>(qint64(s.buffer.size()), s.limit - s.used);
    qint64 got = s.device->read(reinterpret_cast<char*>(s.buffer.data()), want);
    if (got < 0) {
        s.readError = s.device->errorString();
        ERREXIT(cinfo, JERR_FILE_READ);
    }
    s.used += got;
    if (got == 0) {
        // As the library's own sources do: an end marker stands in for the
        // missing rest, and the warning tells the picture was cut short.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        s.buffer[0] = 0xFF;
        s.buffer[1] = JPEG_EOI;
        got = 2;
    }
    s.pub.next_input_byte = s.buffer.data();
    s.pub.bytes_in_buffer = static_cast<std::size_t>(got);
    return TRUE;
}

// Segments the library does not want are passed over on the device: a seek
// for a file, never a read.
void skipInputData(j_decompress_ptr cinfo, long count) {
    JpegSource& s = sourceOf(cinfo);
    if (count <= 0)
        return;
    if (static_cast<std::size_t>(count) <= s.pub.bytes_in_buffer) {
        s.pub.next_input_byte += count;
        s.pub.bytes_in_buffer -= static_cast<std::size_t>(count);
        return;
    }
    const qint64 beyond = count - qint64(s.pub.bytes_in_buffer);
    s.pub.bytes_in_buffer = 0;
    if (s.used + beyond > s.limit) {
        s.overLimit = true;
        ERREXIT(cinfo, JERR_INPUT_EOF);
    }
    s.used += beyond;
    // A skip past the end leaves nothing to read: the next fill tells.
    if (s.device->skip(beyond) < 0) {
        s.readError = s.device->errorString();
        ERREXIT(cinfo, JERR_FILE_READ);
    }
}

void termSource(j_decompress_ptr) {}

} // namespace

void useJpegSource(j_decompress_ptr cinfo, JpegSource& source, QIODevice& device, qint64 limit) {
    source.device = &device;
    // No larger than what there is to read: a small file comes in one piece.
    const qint64 left = device.isSequential() ? kChunkBytes : device.size() - device.pos();
    source.buffer.resize(static_cast<std::size_t>(std::clamp<qint64>(left, 4096, kChunkBytes)));
    source.limit = limit;
    source.pub.init_source = initSource;
    source.pub.fill_input_buffer = fillInputBuffer;
    source.pub.skip_input_data = skipInputData;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = termSource;
    cinfo->src = &source.pub;
}

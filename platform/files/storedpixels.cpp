#include "platform/files/storedpixels.h"

#include "platform/files/decoderlimits.h"
#include "platform/files/orientation.h"

#include <QtEndian>

#include <algorithm>

namespace {

int sample(const StoredPixels& pixels, const uchar* p, int channel) {
    if (pixels.samples == StoredSamples::Bytes)
        return p[channel];
    const uchar* at = p + 2 * channel;
    const int v =
        pixels.littleEndian ? qFromLittleEndian<quint16>(at) : qFromBigEndian<quint16>(at);
    const int top = std::min(v, pixels.maxValue);
    return (top * 255 + pixels.maxValue / 2) / pixels.maxValue;
}

int onWhite(int colour, int alpha) {
    return (colour * alpha + 255 * (255 - alpha) + 127) / 255;
}

} // namespace

QString reserveDecoding(BudgetShare& share, QSize size, qint64 bytes, const ReadWatch& watch) {
    if (bytes > kMaxDecoderBytes)
        return QStringLiteral("the picture is too large to load (%1 x %2): decoding it would need "
                              "%3 MB of memory")
            .arg(size.width())
            .arg(size.height())
            .arg(bytes >> 20);
    if (!share.take(MemoryBudget::decoders(), bytes, watch.stop))
        return QStringLiteral("the reading was stopped");
    return {};
}

QRgb storedOnWhite(const StoredPixels& pixels, int x, int y) {
    const uchar* line = pixels.data + y * pixels.stride;
    if (pixels.samples == StoredSamples::Argb) {
        const QRgb c = reinterpret_cast<const QRgb*>(line)[x];
        const int a = qAlpha(c);
        return a == 255 ? c | 0xFF000000u
                        : qRgb(onWhite(qRed(c), a), onWhite(qGreen(c), a), onWhite(qBlue(c), a));
    }
    const int bytes = pixels.samples == StoredSamples::Words ? 2 : 1;
    const uchar* p = line + qsizetype(x) * pixels.channels * bytes;
    const int r = sample(pixels, p, 0);
    const int g = sample(pixels, p, 1);
    const int b = sample(pixels, p, 2);
    if (pixels.channels < 4)
        return qRgb(r, g, b);
    const int a = sample(pixels, p, 3);
    return qRgb(onWhite(r, a), onWhite(g, a), onWhite(b, a));
}

PictureRead keptPixels(const StoredPixels& pixels, int orientation, const SampleLayout& layout,
                       const ReadWatch& watch) {
    PictureRead out;
    out.fullSize = uprightSize(pixels.size, orientation);
    const SampleGrid grid = keptGrid(layout, out.fullSize);
    QImage image(static_cast<int>(grid.columns.size()), static_cast<int>(grid.rows.size()),
                 QImage::Format_RGB32);
    if (image.isNull()) {
        out.error = QStringLiteral("there is not enough memory to load the picture");
        return out;
    }
    for (int j = 0; j < image.height(); ++j) {
        if (watch.stop && watch.stop->load()) {
            out.error = QStringLiteral("the reading was stopped");
            return out;
        }
        const int y = grid.rows[std::size_t(j)];
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(j));
        for (int i = 0; i < image.width(); ++i) {
            const QPoint at =
                storedPoint(orientation, pixels.size, {grid.columns[std::size_t(i)], y});
            line[i] = storedOnWhite(pixels, at.x(), at.y());
        }
    }
    out.image = image;
    if (layout)
        out.kept = grid;
    return out;
}

StoredAxes storedAxes(const SampleGrid& grid, int orientation, QSize stored) {
    StoredAxes out;
    const bool swap = swapsSides(orientation);
    for (int x : grid.columns) {
        const QPoint p = storedPoint(orientation, stored, {x, 0});
        (swap ? out.rowOf : out.columnOf).push_back(swap ? p.y() : p.x());
    }
    for (int y : grid.rows) {
        const QPoint p = storedPoint(orientation, stored, {0, y});
        (swap ? out.columnOf : out.rowOf).push_back(swap ? p.x() : p.y());
    }
    for (std::size_t k = 0; k < out.rowOf.size(); ++k)
        out.reads.emplace_back(out.rowOf[k], static_cast<int>(k));
    std::sort(out.reads.begin(), out.reads.end());
    return out;
}

#include "app/core/sampling.h"

namespace {

constexpr std::size_t kCounterRoom = 32768;

} // namespace

std::vector<float> samplePositions(int size, std::int16_t count) {
    std::vector<float> out;
    if (count < 1)
        return out;
    // Single precision on purpose: which positions come before the end
    // depends on how the steps add up.
    const float side = static_cast<float>(size);
    const float step = side / static_cast<float>(count);
    for (float s = 0; s <= side - 1 && out.size() < kCounterRoom; s += step)
        out.push_back(s);
    return out;
}

namespace {

// The whole pixel a position falls in: truncated, as picture boxes do.
std::vector<int> wholePixels(const std::vector<float>& positions) {
    std::vector<int> out;
    out.reserve(positions.size());
    for (float p : positions)
        if (out.empty() || static_cast<int>(p) != out.back())
            out.push_back(static_cast<int>(p));
    return out;
}

} // namespace

SampleGrid sampledGrid(QSize size, std::int16_t width, std::int16_t height) {
    return {wholePixels(samplePositions(size.width(), width)),
            wholePixels(samplePositions(size.height(), height))};
}

Samples samplePicture(const QImage& pixels, QSize trueSize, const SampleGrid& kept,
                      std::int16_t width, std::int16_t height) {
    Samples out;
    out.trueSize = trueSize;
    const std::vector<float> xs = samplePositions(trueSize.width(), width);
    const std::vector<float> ys = samplePositions(trueSize.height(), height);
    if (xs.empty() || ys.empty() || pixels.isNull())
        return out;
    const QImage source = pixels.convertToFormat(QImage::Format_RGB32);
    const bool sparse = !kept.empty();
    std::vector<int> columns(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i)
        columns[i] = sparse ? keptIndex(kept.columns, xs[i])
                            : scaledPixel(xs[i], source.width(), trueSize.width());
    out.block =
        QImage(static_cast<int>(xs.size()), static_cast<int>(ys.size()), QImage::Format_RGB32);
    for (std::size_t j = 0; j < ys.size(); ++j) {
        const int row = sparse ? keptIndex(kept.rows, ys[j])
                               : scaledPixel(ys[j], source.height(), trueSize.height());
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(row));
        auto* line = reinterpret_cast<QRgb*>(out.block.scanLine(static_cast<int>(j)));
        // As a colour value passes through Point and PSet: opaque RGB.
        for (std::size_t i = 0; i < columns.size(); ++i)
            line[i] = 0xFF000000u | (in[columns[i]] & 0x00FFFFFFu);
    }
    return out;
}

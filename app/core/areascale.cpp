#include "app/core/areascale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The source pixels one result pixel covers along one side, each with its
// share: out pixel o covers [o * n / m, (o + 1) * n / m).
struct Span {
    int first = 0;
    std::vector<float> shares;
};

std::vector<Span> spans(int from, int to) {
    std::vector<Span> out(static_cast<std::size_t>(to));
    const double step = double(from) / to;
    for (int o = 0; o < to; ++o) {
        const double begin = o * step;
        const double end = std::min(double(from), (o + 1) * step);
        Span& span = out[static_cast<std::size_t>(o)];
        span.first = static_cast<int>(begin);
        for (int i = span.first; i < end; ++i)
            span.shares.push_back(
                static_cast<float>((std::min(end, i + 1.0) - std::max(begin, double(i))) / step));
    }
    return out;
}

} // namespace

QSize fittedSize(QSize photo, int longSide) {
    if (photo.isEmpty())
        return {};
    const int side = std::min(longSide, std::max(photo.width(), photo.height()));
    const auto other = [&](int a, int b) {
        return std::max(1, static_cast<int>(std::lround(double(a) * side / b)));
    };
    return photo.width() >= photo.height() ? QSize(side, other(photo.height(), photo.width()))
                                           : QSize(other(photo.width(), photo.height()), side);
}

QImage areaAverage(const QImage& source, QSize to) {
    const QImage src = source.convertToFormat(QImage::Format_RGB32);
    if (src.isNull() || to.isEmpty())
        return {};
    to = to.boundedTo(src.size());
    if (to == src.size())
        return src;
    const std::vector<Span> across = spans(src.width(), to.width());
    const std::vector<Span> down = spans(src.height(), to.height());

    // Across first, into rows of three floats a pixel, then down.
    const auto w = static_cast<std::size_t>(to.width());
    std::vector<float> rows(std::size_t(src.height()) * w * 3);
    for (int y = 0; y < src.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        float* out = rows.data() + std::size_t(y) * w * 3;
        for (std::size_t o = 0; o < w; ++o, out += 3) {
            const Span& span = across[o];
            for (std::size_t k = 0; k < span.shares.size(); ++k) {
                const QRgb p = line[span.first + static_cast<int>(k)];
                out[0] += span.shares[k] * float(qRed(p));
                out[1] += span.shares[k] * float(qGreen(p));
                out[2] += span.shares[k] * float(qBlue(p));
            }
        }
    }
    QImage result(to, QImage::Format_RGB32);
    if (result.isNull())
        return {};
    std::vector<float> sum(w * 3);
    for (int y = 0; y < to.height(); ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        const Span& span = down[static_cast<std::size_t>(y)];
        for (std::size_t k = 0; k < span.shares.size(); ++k) {
            const float* in = rows.data() + std::size_t(span.first + int(k)) * w * 3;
            for (std::size_t i = 0; i < w * 3; ++i)
                sum[i] += span.shares[k] * in[i];
        }
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        const auto channel = [](float v) { return std::clamp(int(std::lround(v)), 0, 255); };
        for (std::size_t x = 0; x < w; ++x)
            line[x] = qRgb(channel(sum[3 * x]), channel(sum[3 * x + 1]), channel(sum[3 * x + 2]));
    }
    return result;
}

#include "xpbutton/gdi/blit.h"

#include "xpbutton/gdi/colorarithmetic.h"

#include <optional>
#include <vector>

namespace {
constexpr std::uint32_t kRgbBits = 0x00FFFFFFu;

// Pixels as the blit works on them: 24 RGB bits of a QRgb, or one bit.
class PixelAccess {
public:
    explicit PixelAccess(const DeviceContext& dc)
        : m_image(dc.target()), m_mono(dc.isMonochrome()), m_width(dc.width()),
          m_height(dc.height()) {}

    bool isMonochrome() const { return m_mono; }

    std::optional<std::uint32_t> read(std::int64_t x, std::int64_t y) const {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return std::nullopt;
        const int ix = static_cast<int>(x);
        const int iy = static_cast<int>(y);
        if (m_mono)
            return static_cast<std::uint32_t>(m_image->pixelIndex(ix, iy));
        return reinterpret_cast<const QRgb*>(m_image->constScanLine(iy))[ix] & kRgbBits;
    }

    // (x, y) must lie inside.
    void write(int x, int y, std::uint32_t value) {
        if (m_mono)
            m_image->setPixel(x, y, value);
        else
            reinterpret_cast<QRgb*>(m_image->scanLine(y))[x] = value | 0xFF000000u;
    }

private:
    QImage* m_image;
    bool m_mono;
    int m_width;
    int m_height;
};

// Source pixel values as the target takes them. The formats and colours
// involved are fixed for the length of a blit, so they are looked up once.
class Conversion {
public:
    Conversion(const DeviceContext& source, const DeviceContext& target)
        : m_fromMono(source.isMonochrome()), m_toMono(target.isMonochrome()),
          m_sourceBack(toQRgb(source.bkColor) & kRgbBits),
          m_targetBack(toQRgb(target.bkColor) & kRgbBits),
          m_targetText(toQRgb(target.textColor) & kRgbBits) {}

    std::uint32_t operator()(std::uint32_t value) const {
        if (m_fromMono == m_toMono)
            return value;
        if (m_toMono)
            return value == m_sourceBack ? 1u : 0u;
        return value ? m_targetBack : m_targetText;
    }

private:
    bool m_fromMono;
    bool m_toMono;
    std::uint32_t m_sourceBack;
    std::uint32_t m_targetBack;
    std::uint32_t m_targetText;
};

std::optional<std::uint32_t> combine(std::uint32_t rop, std::uint32_t s, std::uint32_t d,
                                     std::uint32_t bits) {
    switch (rop) {
    case SRCCOPY:
        return s;
    case NOTSRCCOPY:
        return ~s & bits;
    case SRCAND:
        return s & d;
    case SRCINVERT:
        return (s ^ d) & bits;
    default:
        return std::nullopt;
    }
}

bool knownRop(std::uint32_t rop) {
    return combine(rop, 0, 0, 1).has_value();
}

// The common part of both blits: sourceX(i) and sourceY(j) give the source
// pixel for target offset (i, j).
template <typename SourceX, typename SourceY>
bool blit(DeviceContext& target, int x, int y, int w, int h, const DeviceContext& source,
          SourceX sourceX, SourceY sourceY, std::uint32_t rop) {
    if (w <= 0 || h <= 0 || !knownRop(rop) || !target.target() || !source.target())
        return false;
    // Only the part that lands inside the target is worked on.
    const VisibleSpan across = visibleSpan(x, w, target.width());
    const VisibleSpan down = visibleSpan(y, h, target.height());
    if (across.first >= across.end || down.first >= down.end)
        return true;
    std::vector<std::int64_t> columns;
    for (int i = across.first; i < across.end; ++i)
        columns.push_back(sourceX(i));
    // Read the whole source block first: source and target may be one bitmap.
    const PixelAccess from(source);
    std::vector<std::optional<std::uint32_t>> block;
    block.reserve(columns.size() * static_cast<std::size_t>(down.end - down.first));
    for (int j = down.first; j < down.end; ++j) {
        const std::int64_t row = sourceY(j);
        for (const std::int64_t column : columns)
            block.push_back(from.read(column, row));
    }
    PixelAccess to(target);
    const Conversion convert(source, target);
    const std::uint32_t bits = to.isMonochrome() ? 1u : kRgbBits;
    auto next = block.cbegin();
    for (int j = down.first; j < down.end; ++j) {
        for (int i = across.first; i < across.end; ++i, ++next) {
            if (!*next)
                continue;
            // Inside the target by construction.
            const int tx = static_cast<int>(std::int64_t(x) + i);
            const int ty = static_cast<int>(std::int64_t(y) + j);
            const std::uint32_t s = convert(**next);
            to.write(tx, ty, *combine(rop, s, *to.read(tx, ty), bits));
        }
    }
    return true;
}
} // namespace

bool BitBlt(DeviceContext& target, int x, int y, int w, int h, const DeviceContext& source, int sx,
            int sy, std::uint32_t rop) {
    return blit(
        target, x, y, w, h, source, [sx](int i) { return std::int64_t(sx) + i; },
        [sy](int j) { return std::int64_t(sy) + j; }, rop);
}

VisibleSpan visibleSpan(int origin, int length, int limit) {
    const std::int64_t first = std::max<std::int64_t>(0, -std::int64_t(origin));
    const std::int64_t end = std::min<std::int64_t>(length, std::int64_t(limit) - origin);
    if (first >= end)
        return {0, 0};
    // Both lie within 0..length now.
    return {static_cast<int>(first), static_cast<int>(end)};
}

int nearestSourceIndex(int i, int targetLength, int sourceLength) {
    return static_cast<int>((2 * std::int64_t(i) + 1) * sourceLength /
                            (2 * std::int64_t(targetLength)));
}

bool StretchBlt(DeviceContext& target, int x, int y, int w, int h, const DeviceContext& source,
                int sx, int sy, int sw, int sh, std::uint32_t rop) {
    if (sw <= 0 || sh <= 0)
        return false;
    return blit(
        target, x, y, w, h, source,
        [=](int i) { return std::int64_t(sx) + nearestSourceIndex(i, w, sw); },
        [=](int j) { return std::int64_t(sy) + nearestSourceIndex(j, h, sh); }, rop);
}

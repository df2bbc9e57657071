#include "blit.h"

#include "colorarithmetic.h"

#include <functional>
#include <optional>
#include <vector>

namespace {
constexpr std::uint32_t kRgbBits = 0x00FFFFFFu;

// A pixel as the blit works on it: 24 RGB bits of a QRgb, or one bit.
std::optional<std::uint32_t> readPixel(const DeviceContext& dc, std::int64_t x, std::int64_t y) {
    if (x < 0 || y < 0 || x >= dc.width() || y >= dc.height())
        return std::nullopt;
    const QImage& image = *dc.target();
    const int ix = static_cast<int>(x);
    const int iy = static_cast<int>(y);
    if (dc.isMonochrome())
        return static_cast<std::uint32_t>(image.pixelIndex(ix, iy));
    return image.pixel(ix, iy) & kRgbBits;
}

std::uint32_t convert(std::uint32_t value, const DeviceContext& source,
                      const DeviceContext& target) {
    const bool fromMono = source.isMonochrome();
    const bool toMono = target.isMonochrome();
    if (fromMono == toMono)
        return value;
    if (toMono)
        return value == (toQRgb(source.bkColor) & kRgbBits) ? 1u : 0u;
    return (value ? toQRgb(target.bkColor) : toQRgb(target.textColor)) & kRgbBits;
}

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
bool blit(DeviceContext& target, int x, int y, int w, int h, const DeviceContext& source,
          const std::function<std::int64_t(int)>& sourceX,
          const std::function<std::int64_t(int)>& sourceY, std::uint32_t rop) {
    if (w <= 0 || h <= 0 || !knownRop(rop) || !target.target() || !source.target())
        return false;
    // Only the part that lands inside the target is worked on.
    const VisibleSpan across = visibleSpan(x, w, target.width());
    const VisibleSpan down = visibleSpan(y, h, target.height());
    if (across.first >= across.end || down.first >= down.end)
        return true;
    const int i0 = across.first;
    const int j0 = down.first;
    const int i1 = across.end;
    const int j1 = down.end;
    // Read the whole source block first: source and target may be one bitmap.
    std::vector<std::optional<std::uint32_t>> block;
    block.reserve(static_cast<std::size_t>(i1 - i0) * static_cast<std::size_t>(j1 - j0));
    for (int j = j0; j < j1; ++j)
        for (int i = i0; i < i1; ++i)
            block.push_back(readPixel(source, sourceX(i), sourceY(j)));
    const bool mono = target.isMonochrome();
    const std::uint32_t bits = mono ? 1u : kRgbBits;
    QImage& image = *target.target();
    auto next = block.cbegin();
    for (int j = j0; j < j1; ++j) {
        for (int i = i0; i < i1; ++i, ++next) {
            if (!*next)
                continue;
            const int tx = static_cast<int>(std::int64_t(x) + i);
            const int ty = static_cast<int>(std::int64_t(y) + j);
            const std::uint32_t s = convert(**next, source, target);
            const std::uint32_t d = *readPixel(target, tx, ty);
            const std::uint32_t result = *combine(rop, s, d, bits);
            if (mono)
                image.setPixel(tx, ty, result);
            else
                image.setPixel(tx, ty, result | 0xFF000000u);
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

#include "platform/files/orientation.h"

#include "platform/files/tiffreader.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kOrientationTag = 0x0112;
constexpr std::uint32_t kShortType = 3;

} // namespace

int exifOrientation(QByteArrayView app1) {
    static constexpr char kSignature[] = {'E', 'x', 'i', 'f', 0, 0};
    if (app1.size() < 14 || app1.first(6) != QByteArrayView(kSignature, 6))
        return 1;
    const QByteArrayView tiff = app1.sliced(6);
    const bool big = tiff.startsWith("MM");
    if (!big && !tiff.startsWith("II"))
        return 1;
    TiffReader r(tiff, big);
    if (r.u16(2) != 42)
        return 1;
    const qsizetype ifd = r.u32(4);
    const std::uint32_t entries = r.u16(ifd);
    for (std::uint32_t i = 0; i < entries && !r.failed(); ++i) {
        const qsizetype entry = ifd + 2 + 12 * static_cast<qsizetype>(i);
        if (r.u16(entry) != kOrientationTag)
            continue;
        if (r.u16(entry + 2) != kShortType || r.u32(entry + 4) != 1)
            return 1;
        const std::uint32_t value = r.u16(entry + 8);
        return !r.failed() && value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
    }
    return 1;
}

bool swapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

QSize uprightSize(QSize stored, int orientation) {
    return swapsSides(orientation) ? stored.transposed() : stored;
}

QPoint storedPoint(int orientation, QSize stored, QPoint upright) {
    const int x = upright.x();
    const int y = upright.y();
    const int right = stored.width() - 1;
    const int bottom = stored.height() - 1;
    switch (orientation) {
    case 2: // mirrored left to right
        return {right - x, y};
    case 3: // half a turn
        return {right - x, bottom - y};
    case 4: // mirrored top to bottom
        return {x, bottom - y};
    case 5: // mirrored along the main diagonal
        return {y, x};
    case 6: // stored a quarter turn anticlockwise: shown turned clockwise
        return {y, bottom - x};
    case 7: // mirrored along the other diagonal
        return {right - y, bottom - x};
    case 8: // stored a quarter turn clockwise: shown turned anticlockwise
        return {right - y, x};
    default:
        return {x, y};
    }
}

#include "referencedecoder.h"

#include <QElapsedTimer>

ReferenceDecoder::ReferenceDecoder() : m_tj(tjInitDecompress()) {}

ReferenceDecoder::~ReferenceDecoder() {
    if (m_tj)
        tjDestroy(m_tj);
}

double ReferenceDecoder::decodeMs(const QByteArray& jpeg, bool fullSize) {
    QElapsedTimer clock;
    clock.start();
    auto* data = reinterpret_cast<const unsigned char*>(jpeg.constData());
    const auto size = static_cast<unsigned long>(jpeg.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourspace = 0;
    if (!m_tj ||
        tjDecompressHeader3(m_tj, data, size, &width, &height, &subsampling, &colourspace) != 0)
        return -1;
    const tjscalingfactor scale{1, fullSize ? 1 : 8};
    const int w = TJSCALED(width, scale);
    const int h = TJSCALED(height, scale);
    const std::size_t bytes = static_cast<std::size_t>(w) * h * 4;
    if (m_pixels.size() < bytes)
        m_pixels.resize(bytes);
    if (tjDecompress2(m_tj, data, size, m_pixels.data(), w, w * 4, h, TJPF_BGRX,
                      fullSize ? TJFLAG_ACCURATEDCT : 0) != 0)
        return -1;
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

#pragma once

#include <QByteArrayView>

#include <cstdint>

// Reads from a TIFF block in its own byte order; out of range reads give 0
// and set failed, so a damaged block cannot read past its end.
class TiffReader {
public:
    TiffReader(QByteArrayView tiff, bool bigEndian) : m_tiff(tiff), m_big(bigEndian) {}
    std::uint32_t u16(qsizetype at) { return read(at, 2); }
    std::uint32_t u32(qsizetype at) { return read(at, 4); }
    // count bytes from at, or none (and failed) past the end.
    QByteArrayView bytes(qsizetype at, qsizetype count) {
        if (at < 0 || count < 0 || at > m_tiff.size() - count) {
            m_failed = true;
            return {};
        }
        return m_tiff.sliced(at, count);
    }
    bool failed() const { return m_failed; }

private:
    std::uint32_t read(qsizetype at, int bytes) {
        if (at < 0 || at > m_tiff.size() - bytes) {
            m_failed = true;
            return 0;
        }
        std::uint32_t v = 0;
        for (int i = 0; i < bytes; ++i) {
            const std::uint32_t b =
                static_cast<unsigned char>(m_tiff[at + (m_big ? i : bytes - 1 - i)]);
            v = (v << 8) | b;
        }
        return v;
    }
    QByteArrayView m_tiff;
    bool m_big;
    bool m_failed = false;
};

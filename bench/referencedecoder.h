#pragma once

#include <QByteArray>

#include <turbojpeg.h>

#include <vector>

// The yardsticks: the JPEG library's own decode at 1/8 scale, or at full size
// with its accurate DCT, from bytes already in memory into a buffer reused
// from call to call.
class ReferenceDecoder {
public:
    ReferenceDecoder();
    ~ReferenceDecoder();
    ReferenceDecoder(const ReferenceDecoder&) = delete;
    ReferenceDecoder& operator=(const ReferenceDecoder&) = delete;

    // Milliseconds one decode took; negative when it failed.
    double decodeMs(const QByteArray& jpeg, bool fullSize = false);

private:
    tjhandle m_tj;
    std::vector<unsigned char> m_pixels;
};

#include "fuzzcheck.h"
#include "keptpromises.h"

#include "app/core/samplelayout.h"
#include "platform/files/jpegdecoder.h"
#include "platform/files/orientation.h"

#include <QBuffer>
#include <QByteArray>

#include <cstddef>
#include <cstdint>

namespace {

void require(bool kept, const char* promise) {
    fuzzRequire(kept ? QString() : QString::fromLatin1(promise));
}

} // namespace

// The JPEG reader on any bytes: no crash, and every read keeps its promises.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const int orientation = exifOrientation(bytes);
    require(orientation >= 1 && orientation <= 8, "orientation >= 1 && orientation <= 8");
    // Through the same chunked source as a file.
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    requireKeptPromises(decodeJpeg(device, previewLayout(), {}));
    return 0;
}

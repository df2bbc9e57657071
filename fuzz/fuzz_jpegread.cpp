#include "fuzzcheck.h"

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

// The picture reader on any bytes: no crash, and a picture that reads holds
// exactly the pixels it says it kept, inside its upright size.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const int orientation = exifOrientation(bytes);
    require(orientation >= 1 && orientation <= 8, "orientation >= 1 && orientation <= 8");
    // Through the same chunked source as a file.
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    const PictureRead read = decodeJpeg(device, previewLayout(), {});
    if (read.ok()) {
        require(!read.fullSize.isEmpty(), "!read.fullSize.isEmpty()");
        require(read.image.width() == static_cast<int>(read.kept.columns.size()),
                "read.image.width() == static_cast<int>(read.kept.columns.size())");
        require(read.image.height() == static_cast<int>(read.kept.rows.size()),
                "read.image.height() == static_cast<int>(read.kept.rows.size())");
        require(read.kept.columns.back() < read.fullSize.width(),
                "read.kept.columns.back() < read.fullSize.width()");
        require(read.kept.rows.back() < read.fullSize.height(),
                "read.kept.rows.back() < read.fullSize.height()");
    } else {
        require(!read.error.isEmpty() && read.image.isNull(),
                "!read.error.isEmpty() && read.image.isNull()");
    }
    return 0;
}

#include "fuzzcheck.h"

#include "app/core/samplelayout.h"
#include "platform/files/picturefile.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

namespace {

void require(bool kept, const char* promise) {
    fuzzRequire(kept ? QString() : QString::fromLatin1(promise));
}

} // namespace

// Qt's WebP and TIFF readers are plugins, found through the application.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

// Any bytes as a photo file of any kind, told by its content: no crash, and
// a picture that reads holds exactly the pixels it says it kept, inside its
// upright size, opaque.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QBuffer device;
    device.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    device.open(QIODevice::ReadOnly);
    const PictureRead read = readPicture(device, previewLayout(), {});
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
        require(read.image.format() == QImage::Format_RGB32,
                "read.image.format() == QImage::Format_RGB32");
    } else {
        require(!read.error.isEmpty() && read.image.isNull(),
                "!read.error.isEmpty() && read.image.isNull()");
    }
    return 0;
}

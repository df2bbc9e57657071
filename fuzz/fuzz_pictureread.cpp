#include "keptpromises.h"

#include "app/core/samplelayout.h"
#include "platform/files/picturefile.h"

#include <QBuffer>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

// Qt's WebP and TIFF readers are plugins, found through the application.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

// Any bytes as a photo file of any kind, told by its content: no crash, and
// every read keeps its promises.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QBuffer device;
    device.setData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    device.open(QIODevice::ReadOnly);
    requireKeptPromises(readPicture(device, previewLayout(), {}));
    return 0;
}

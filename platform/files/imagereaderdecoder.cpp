#include "platform/files/imagereaderdecoder.h"

#include "platform/files/exifblock.h"
#include "platform/files/orientation.h"
#include "platform/files/srgbconversion.h"
#include "platform/files/storedpixels.h"

#include <QColorSpace>
#include <QIODevice>
#include <QImageReader>

namespace {

// The EXIF orientation the reader found, as Qt names its turns.
int exifFrom(QImageIOHandler::Transformations turn) {
    switch (int(turn)) {
    case QImageIOHandler::TransformationMirror:
        return 2;
    case QImageIOHandler::TransformationRotate180:
        return 3;
    case QImageIOHandler::TransformationFlip:
        return 4;
    case QImageIOHandler::TransformationFlipAndRotate90:
        return 5;
    case QImageIOHandler::TransformationRotate90:
        return 6;
    case QImageIOHandler::TransformationMirrorAndRotate90:
        return 7;
    case QImageIOHandler::TransformationRotate270:
        return 8;
    default:
        return 1;
    }
}

bool deepFormat(QImage::Format format) {
    switch (format) {
    case QImage::Format_RGBA64:
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64_Premultiplied:
    case QImage::Format_Grayscale16:
    case QImage::Format_RGBA16FPx4:
    case QImage::Format_RGBX16FPx4:
    case QImage::Format_RGBA16FPx4_Premultiplied:
    case QImage::Format_RGBA32FPx4:
    case QImage::Format_RGBX32FPx4:
    case QImage::Format_RGBA32FPx4_Premultiplied:
        return true;
    default:
        return false;
    }
}

// The kinds of photo phones, cameras and screenshots save besides JPEG and
// HEIF; other pictures Qt reads are shown as before.
bool isPhotoFormat(const QByteArray& format) {
    return format == "png" || format == "webp" || format == "tiff";
}

// Qt's TIFF reader tells the orientation; for PNG and WebP it is read from
// the file's EXIF block, which Qt's readers leave out.
int orientationOf(QImageReader& reader, const QByteArray& format, QIODevice& device) {
    if (format == "png")
        return exifOrientation(pngExif(device));
    if (format == "webp")
        return exifOrientation(webpExif(device));
    return exifFrom(reader.transformation());
}

SrgbConversion conversionOf(const QColorSpace& space) {
    if (!space.isValid() || space == QColorSpace(QColorSpace::SRgb))
        return {};
    return SrgbConversion::fromIcc(space.iccProfile());
}

} // namespace

PictureRead decodeWithImageReader(QIODevice& device, const SampleLayout& layout,
                                  const ReadWatch& watch) {
    PictureRead out;
    // Qt refuses a picture past its own allocation limit: a larger file is
    // no picture it could load.
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    if (limit > 0 && device.size() > limit) {
        out.error = QStringLiteral("it is not a JPEG picture, and too large (%1 MB) to be a "
                                   "picture of another kind")
                        .arg(device.size() >> 20);
        return out;
    }
    QImageReader reader(&device);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(false);
    // Told before decoding: the picture, and a copy of it in the working format.
    const QSize size = reader.size();
    const qint64 bytes = qint64(qMax(0, size.width())) * qMax(0, size.height()) *
                         (deepFormat(reader.imageFormat()) ? 16 : 8);
    BudgetShare memory;
    out.error = reserveDecoding(memory, size, bytes, watch);
    if (!out.error.isEmpty())
        return out;
    // Told before reading: afterwards the reader no longer says.
    const QByteArray kind = reader.format();
    const int orientation = orientationOf(reader, kind, device);
    QImage image = reader.read();
    if (image.isNull()) {
        out.error =
            QStringLiteral("it is not a picture that can be loaded (%1)").arg(reader.errorString());
        return out;
    }
    if (watch.stop && watch.stop->load()) {
        out.error = QStringLiteral("the reading was stopped");
        return out;
    }
    if (watch.progress)
        watch.progress(image.height() - 1, image.height());
    if (!isPhotoFormat(kind)) {
        // Bitmaps, icons and the like are shown whole, as they are.
        out.image = image.convertToFormat(QImage::Format_RGB32);
        out.fullSize = image.size();
        return out;
    }
    const bool deep = deepFormat(image.format());
    const SrgbConversion conversion = conversionOf(image.colorSpace());
    // Exact for every format of 8 bits a channel, palettes and grey too;
    // what PNG and WebP readers give most often is read as it is.
    const QImage::Format format = image.format();
    if (deep)
        image.convertTo(QImage::Format_RGBA64);
    else if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_ARGB32);
    if (image.isNull()) {
        out.error = QStringLiteral("there is not enough memory to load the picture");
        return out;
    }
    StoredPixels pixels;
    pixels.data = image.constBits();
    pixels.stride = image.bytesPerLine();
    pixels.size = image.size();
    pixels.samples = deep ? StoredSamples::Words : StoredSamples::Argb;
    pixels.channels = 4;
    pixels.maxValue = deep ? 65535 : 255;
    out = keptPixels(pixels, orientation, layout, watch);
    if (out.ok())
        conversion.apply(out.image);
    return out;
}

#include "picturefile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <turbojpeg.h>

#include <memory>

namespace {

// 16384 x 16384: far beyond any camera, and still only 1 GiB once decoded.
constexpr qint64 kMaxJpegPixels = qint64(1) << 28;

struct TjHandle {
    tjhandle handle = tjInitDecompress();
    ~TjHandle() {
        if (handle)
            tjDestroy(handle);
    }
};

// The smallest scale the library offers that keeps the picture at least
// atLeast in both directions.
tjscalingfactor pickScale(int width, int height, QSize atLeast) {
    tjscalingfactor best{1, 1};
    if (!atLeast.isValid() || atLeast.isEmpty())
        return best;
    int count = 0;
    const tjscalingfactor* factors = tjGetScalingFactors(&count);
    for (int i = 0; i < count; ++i) {
        const tjscalingfactor f = factors[i];
        if (f.num > f.denom)
            continue;
        const int w = TJSCALED(width, f);
        const int h = TJSCALED(height, f);
        if (w >= atLeast.width() && h >= atLeast.height() && w < TJSCALED(width, best))
            best = f;
    }
    return best;
}

PictureRead readJpeg(const QByteArray& bytes, QSize atLeast) {
    PictureRead result;
    TjHandle tj;
    if (!tj.handle) {
        result.error = QStringLiteral("the picture decoder could not start");
        return result;
    }
    auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const auto size = static_cast<unsigned long>(bytes.size());
    int width = 0;
    int height = 0;
    int subsampling = 0;
    int colourspace = 0;
    if (tjDecompressHeader3(tj.handle, data, size, &width, &height, &subsampling, &colourspace) !=
            0 ||
        width <= 0 || height <= 0) {
        result.error = QStringLiteral("it is not a readable JPEG picture (%1)")
                           .arg(QString::fromLocal8Bit(tjGetErrorStr2(tj.handle)));
        return result;
    }
    // The decoder claims memory for every pixel the header declares (a
    // progressive file as much again for its coefficients) before it reads a
    // byte of picture data: a damaged header must not claim gigabytes.
    const bool tooLarge = static_cast<qint64>(width) * height > kMaxJpegPixels;
    const tjscalingfactor scale = pickScale(width, height, atLeast);
    const int w = TJSCALED(width, scale);
    const int h = TJSCALED(height, scale);
    QImage image = tooLarge ? QImage() : QImage(w, h, QImage::Format_RGB32);
    if (image.isNull()) {
        result.error =
            QStringLiteral("the picture is too large to load (%1 x %2)").arg(width).arg(height);
        return result;
    }
    // Format_RGB32 is 0xffRRGGBB in memory order B, G, R, X on little endian.
    const int rc =
        tjDecompress2(tj.handle, data, size, image.bits(), w,
                      static_cast<int>(image.bytesPerLine()), h, TJPF_BGRX, TJFLAG_ACCURATEDCT);
    if (rc != 0) {
        // A warning is a picture the decoder had to patch up: cut short or
        // damaged. Showing it would pass a broken photo off as whole.
        const bool cut = tjGetErrorCode(tj.handle) == TJERR_WARNING;
        result.error = cut ? QStringLiteral("the picture is damaged or incomplete (%1)")
                                 .arg(QString::fromLocal8Bit(tjGetErrorStr2(tj.handle)))
                           : QStringLiteral("it is not a readable JPEG picture (%1)")
                                 .arg(QString::fromLocal8Bit(tjGetErrorStr2(tj.handle)));
        return result;
    }
    result.image = image;
    result.fullSize = QSize(width, height);
    result.scalable = true;
    return result;
}

} // namespace

QSize reducedDecodeSize(QSize fullSize, QSize atLeast) {
    const tjscalingfactor scale = pickScale(fullSize.width(), fullSize.height(), atLeast);
    return QSize(TJSCALED(fullSize.width(), scale), TJSCALED(fullSize.height(), scale));
}

PictureRead readPictureFile(const QString& path, QSize atLeast) {
    PictureRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.exists()
                           ? QStringLiteral("it cannot be read (%1)").arg(file.errorString())
                           : QStringLiteral("the file does not exist");
        return result;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("it cannot be read (%1)").arg(file.errorString());
        return result;
    }
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xD8)
        return readJpeg(bytes, atLeast);

    // From the bytes already in memory, not the file a second time.
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        result.error =
            QStringLiteral("it is not a picture that can be loaded (%1)").arg(reader.errorString());
        return result;
    }
    result.image = image.convertToFormat(QImage::Format_RGB32);
    result.fullSize = image.size();
    return result;
}

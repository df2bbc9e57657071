#include "picturefile.h"

#include "jpegdecoder.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

QRgb PictureRead::pixel(int x, int y) const {
    if (kept.empty())
        return image.pixel(x, y);
    return image.pixel(keptIndex(kept.columns, x), keptIndex(kept.rows, y));
}

PictureRead readPictureFile(const QString& path, const SampleLayout& layout,
                            const ReadWatch& watch) {
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
        return decodeJpeg(bytes, layout, watch);

    // From the bytes already in memory, not the file a second time. Bitmaps
    // are small beside photos: kept whole.
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

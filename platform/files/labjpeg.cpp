#include "platform/files/labjpeg.h"

#include "platform/files/exiftags.h"
#include "platform/files/picturefile.h"

#include <turbojpeg.h>

#include <cstring>
#include <memory>
#include <new>

bool takesLabJpeg(const QString& path) {
    const PhotoKind kind = photoKindOf(path);
    return kind != PhotoKind::Jpeg && kind != PhotoKind::Other;
}

QByteArray encodeJpeg(const QImage& rgb32, const QByteArray& exif) {
    const std::unique_ptr<void, decltype(&tjDestroy)> encoder(tjInitCompress(), tjDestroy);
    if (!encoder || rgb32.format() != QImage::Format_RGB32 || exif.size() > 0xFFFF - 2)
        return {};
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    // RGB32 lies in memory as blue, green, red, unused.
    const int failed =
        tjCompress2(encoder.get(), rgb32.constBits(), rgb32.width(), int(rgb32.bytesPerLine()),
                    rgb32.height(), TJPF_BGRX, &jpeg, &size, TJSAMP_420, kLabJpegQuality, 0);
    const std::unique_ptr<unsigned char, decltype(&tjFree)> held(jpeg, tjFree);
    if (failed || size < 4)
        return {};
    const QByteArray encoded(reinterpret_cast<const char*>(jpeg), qsizetype(size));
    // The EXIF segment goes after the JFIF one the encoder starts with.
    qsizetype at = 2;
    if (encoded.size() > 6 && quint8(encoded[2]) == 0xFF && quint8(encoded[3]) == 0xE0)
        at = 4 + (quint8(encoded[4]) << 8 | quint8(encoded[5]));
    const qsizetype length = exif.size() + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment.append(char(length >> 8)).append(char(length & 0xFF)).append(exif);
    return encoded.left(at) + segment + encoded.mid(at);
}

namespace {

MadeFile encoded(const QImage& picture, const QString& path) {
    MadeFile made;
    made.bytes = encodeJpeg(picture, exifBlock(photoTags(path)));
    if (made.bytes.isEmpty())
        made.error = QStringLiteral("the JPEG for the lab could not be made (%1)")
                         .arg(QString::fromUtf8(tjGetErrorStr2(nullptr)));
    return made;
}

MadeFile outOfMemory() {
    return {{}, QStringLiteral("there is not enough memory to make its JPEG for the lab")};
}

bool fits(const PrintPlacement& p, QSize upright) {
    return !p.cut.isEmpty() && QRect(QPoint(), upright).contains(p.cut) &&
           QRect(QPoint(), p.paper).contains(QRect(p.at, p.cut.size()));
}

} // namespace

MadeFile labJpeg(const QString& path) {
    try {
        const PictureRead read = readPictureFile(path);
        return read.ok() ? encoded(read.image, path) : MadeFile{{}, read.error};
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
}

MadeFile labPrint(const QString& path, const PrintLayout& layout) {
    try {
        // Only the cut is kept of the photo: a JPEG's rows above and below
        // it are skipped.
        PrintPlacement placed;
        const PictureRead read = readPictureFile(path, [&](QSize upright) {
            placed = layout(upright);
            SampleGrid grid;
            if (!fits(placed, upright))
                return grid;
            for (int x = placed.cut.left(); x <= placed.cut.right(); ++x)
                grid.columns.push_back(x);
            for (int y = placed.cut.top(); y <= placed.cut.bottom(); ++y)
                grid.rows.push_back(y);
            return grid;
        });
        if (!read.ok())
            return {{}, read.error};
        if (!fits(placed, read.fullSize) || read.image.size() != placed.cut.size())
            return {{}, QStringLiteral("its framing does not fit the photo")};
        if (placed.paper == placed.cut.size())
            return encoded(read.image, path);
        QImage paper(placed.paper, QImage::Format_RGB32);
        if (paper.isNull())
            return outOfMemory();
        paper.fill(Qt::white);
        const std::size_t rowBytes = std::size_t(placed.cut.width()) * sizeof(QRgb);
        for (int y = 0; y < read.image.height(); ++y)
            std::memcpy(paper.scanLine(placed.at.y() + y) + placed.at.x() * qsizetype(sizeof(QRgb)),
                        read.image.constScanLine(y), rowBytes);
        return encoded(paper, path);
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
}

#include "platform/files/labjpeg.h"

#include "platform/files/exiftags.h"
#include "platform/files/picturefile.h"

#include <turbojpeg.h>

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

MadeFile labJpeg(const QString& path) {
    MadeFile made;
    try {
        const PictureRead read = readPictureFile(path);
        if (!read.ok()) {
            made.error = read.error;
            return made;
        }
        made.bytes = encodeJpeg(read.image, exifBlock(photoTags(path)));
        if (made.bytes.isEmpty())
            made.error = QStringLiteral("the JPEG for the lab could not be made (%1)")
                             .arg(QString::fromUtf8(tjGetErrorStr2(nullptr)));
    } catch (const std::bad_alloc&) {
        made = {{}, QStringLiteral("there is not enough memory to make its JPEG for the lab")};
    }
    return made;
}

#include "platform/files/picturefile.h"

#include "platform/files/heifdecoder.h"
#include "platform/files/imagereaderdecoder.h"
#include "platform/files/jpegdecoder.h"
#include "platform/files/pngdecoder.h"

#include <QFile>

#include <cerrno>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString notAPhotoFile(mode_t mode) {
    const char* kind = S_ISDIR(mode)    ? "a folder"
                       : S_ISFIFO(mode) ? "a named pipe"
                       : S_ISCHR(mode)  ? "a device"
                       : S_ISBLK(mode)  ? "a disk device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "not an ordinary file";
    return QStringLiteral("it is not a photo file (it is %1)").arg(QLatin1String(kind));
}

QString cannotRead(int error) {
    return QStringLiteral("it cannot be read (%1)").arg(qt_error_string(error));
}

// Opens path for reading when it is an ordinary file, told without opening
// it: a named pipe would wait for a writer for ever and a device may never
// end. Opened without blocking all the same, in case a pipe took its place
// in between. Empty on success, else why not, in words for the user.
QString openPhotoFile(const QString& path, QFile& file) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR ? QStringLiteral("the file does not exist")
                                                   : cannotRead(errno);
    if (!S_ISREG(st.st_mode))
        return notAPhotoFile(st.st_mode);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return cannotRead(errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return notAPhotoFile(st.st_mode);
    }
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return QStringLiteral("it cannot be read (%1)").arg(file.errorString());
    }
    return {};
}

} // namespace

PhotoKind photoKind(QByteArrayView start) {
    if (start.startsWith("\xFF\xD8"))
        return PhotoKind::Jpeg;
    if (isHeifStart(start))
        return PhotoKind::Heif;
    if (start.startsWith("\x89PNG"))
        return PhotoKind::Png;
    if (start.startsWith("RIFF") && start.size() >= 12 && start.sliced(8, 4) == "WEBP")
        return PhotoKind::Webp;
    if (start.startsWith(QByteArrayView("II*\0", 4)) ||
        start.startsWith(QByteArrayView("MM\0*", 4)))
        return PhotoKind::Tiff;
    return PhotoKind::Other;
}

PhotoKind photoKindOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? photoKind(file.read(16)) : PhotoKind::Other;
}

PictureRead readPicture(QIODevice& device, const SampleLayout& layout, const ReadWatch& watch) {
    // Told by content, never by name: downloads often carry another kind's.
    char start[32] = {};
    const qint64 got = device.read(start, sizeof start);
    if (got < 0 || !device.seek(0)) {
        PictureRead result;
        result.error = QStringLiteral("it cannot be read (%1)").arg(device.errorString());
        return result;
    }
    const PhotoKind kind = photoKind(QByteArrayView(start, got));
    if (kind == PhotoKind::Jpeg)
        return decodeJpeg(device, layout, watch);
    if (kind == PhotoKind::Heif)
        return decodeHeif(device, layout, watch);
    if (kind == PhotoKind::Png)
        return decodePng(device, layout, watch);
    return decodeWithImageReader(device, layout, watch);
}

namespace {

// Opens the file and runs read on it; a failure to open, or to find memory,
// is an answer in words, never an exception.
template <typename Read> PictureRead readFile(const QString& path, Read read) {
    PictureRead result;
    try {
        QFile file;
        result.error = openPhotoFile(path, file);
        if (result.error.isEmpty())
            result = read(file);
    } catch (const std::bad_alloc&) {
        // Reads run on workers as well as on the window's thread.
        result = {};
        result.error = QStringLiteral("there is not enough memory to load it");
    }
    return result;
}

} // namespace

PictureRead readPictureFile(const QString& path, const SampleLayout& layout,
                            const ReadWatch& watch) {
    return readFile(path, [&](QFile& file) { return readPicture(file, layout, watch); });
}

PictureRead readPictureAtLeast(const QString& path, int longSide, const ReadWatch& watch) {
    return readFile(path, [&](QFile& file) {
        char start[32] = {};
        const qint64 got = file.read(start, sizeof start);
        if (got > 0 && file.seek(0) && photoKind(QByteArrayView(start, got)) == PhotoKind::Jpeg)
            return decodeJpegScaled(file, longSide, watch);
        file.seek(0);
        return readPicture(file, {}, watch);
    });
}

#include "platform/files/filecopy.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

bool sameFile(const QString& a, const QString& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

bool sameContent(const QString& a, const QString& b) {
    const QFileInfo ia(a);
    const QFileInfo ib(b);
    if (!ia.isFile() || !ib.isFile() || ia.size() != ib.size())
        return false;
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 kChunk = 1 << 20;
    while (!fa.atEnd()) {
        const QByteArray pa = fa.read(kChunk);
        if (pa.isEmpty() || pa != fb.read(pa.size()))
            return false;
    }
    return fb.atEnd();
}

bool diskFull(int error) {
    return error == ENOSPC || error == EFBIG || error == EDQUOT;
}

Pumped pumpAll(int in, int out) {
    constexpr std::size_t kChunk = 1 << 30;
    bool rangeWorks = true;
    bool sendfileWorks = true;
    for (;;) {
        ssize_t moved = -1;
        if (rangeWorks) {
            moved = ::copy_file_range(in, nullptr, out, nullptr, kChunk, 0);
            if (moved < 0 && (errno == ENOSYS || errno == EXDEV || errno == EINVAL ||
                              errno == EOPNOTSUPP || errno == EPERM)) {
                rangeWorks = false;
                continue;
            }
        } else if (sendfileWorks) {
            moved = ::sendfile(out, in, nullptr, kChunk);
            if (moved < 0 && (errno == ENOSYS || errno == EINVAL)) {
                sendfileWorks = false;
                continue;
            }
        } else {
            char buffer[1 << 16];
            const ssize_t got = ::read(in, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return {Pumped::Step::ReadFailed, errno};
            for (ssize_t done = 0; done < got;) {
                const ssize_t put = ::write(out, buffer + done, static_cast<size_t>(got - done));
                if (put < 0 && errno == EINTR)
                    continue;
                if (put <= 0)
                    return {Pumped::Step::WriteFailed, put < 0 ? errno : ENOSPC};
                done += put;
            }
            moved = got;
        }
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved < 0) {
            return {diskFull(errno) ? Pumped::Step::WriteFailed : Pumped::Step::ReadFailed, errno};
        }
        if (moved == 0)
            return {};
    }
}

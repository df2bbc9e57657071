#include "filecopy.h"

#include "hiddenname.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
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

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

bool diskFull(int error) {
    return error == ENOSPC || error == EFBIG || error == EDQUOT;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    // Closes now; false when closing reports a failed write.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

const QString kCopyMark = QStringLiteral(".marvolia-copy.");
constexpr int kCopyDigits = 8;

// A fresh file beside destination, with the permissions a replaced file had
// (or the usual ones for a new file); its name in `name`. -1 with errno set.
int createTemporary(const QString& destination, QString* name) {
    struct stat existing {};
    const bool replaces = ::stat(QFile::encodeName(destination).constData(), &existing) == 0;
    const QFileInfo info(destination);
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = info.absolutePath() + QLatin1Char('/') +
                hiddenSiblingName(
                    info.fileName(),
                    kCopyMark + QStringLiteral("%1").arg(QRandomGenerator::global()->generate(),
                                                         kCopyDigits, 16, QLatin1Char('0')));
        const int fd = ::open(QFile::encodeName(*name).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            if (replaces)
                ::fchmod(fd, existing.st_mode & 07777);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

enum class Pump { Done, ReadFailed, WriteFailed };

// Every byte from in to out, in the kernel where it can: copy_file_range
// (which may share blocks), else sendfile, else plain reads and writes.
Pump pumpAll(int in, int out, int* error) {
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
            if (got < 0) {
                *error = errno;
                return Pump::ReadFailed;
            }
            for (ssize_t done = 0; done < got;) {
                const ssize_t put = ::write(out, buffer + done, static_cast<size_t>(got - done));
                if (put < 0 && errno == EINTR)
                    continue;
                if (put <= 0) {
                    *error = put < 0 ? errno : ENOSPC;
                    return Pump::WriteFailed;
                }
                done += put;
            }
            moved = got;
        }
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved < 0) {
            *error = errno;
            return diskFull(errno) ? Pump::WriteFailed : Pump::ReadFailed;
        }
        if (moved == 0)
            return Pump::Done;
    }
}

CopyResult failed(const QString& why) {
    return {CopyOutcome::Failed, why};
}

const QString kDiskFull =
    QStringLiteral("not all of the copy could be written (the disk may be full)");

// What a copy to fileName's place is named, its 8 digits left out; a copy
// never finished has that name with the program's digits after it.
struct LeftoverShape {
    explicit LeftoverShape(const QString& fileName)
        // The digits never change where the name is cut, only what follows it.
        : name(hiddenSiblingName(fileName, kCopyMark + QString(kCopyDigits, QLatin1Char('0')))
                   .chopped(kCopyDigits)) {}

    bool matches(const QString& entry) const {
        if (entry.size() != name.size() + kCopyDigits || !entry.startsWith(name))
            return false;
        const QStringView digits = QStringView(entry).right(kCopyDigits);
        return std::all_of(digits.begin(), digits.end(), [](QChar c) {
            return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                   (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
        });
    }

    QString name;
};

} // namespace

void CopyBatch::removeLeftovers(const QString& destination) {
    const QFileInfo info(destination);
    const QString folder = info.absolutePath();
    auto hidden = m_hidden.find(folder);
    if (hidden == m_hidden.end()) {
        QStringList found = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        found.removeIf([](const QString& entry) {
            return !entry.startsWith(QLatin1Char('.')) || !entry.contains(kCopyMark);
        });
        hidden = m_hidden.insert(folder, found);
    }
    if (hidden->isEmpty())
        return;
    const LeftoverShape shape(info.fileName());
    hidden->removeIf([&](const QString& entry) {
        if (!shape.matches(entry))
            return false;
        QFile::remove(folder + QLatin1Char('/') + entry);
        return true;
    });
}

CopyBatch::~CopyBatch() {
    for (const Staged& s : m_staged)
        QFile::remove(s.temporary);
}

CopyResult CopyBatch::add(const QString& source, const QString& destination) {
    const CopyResult result = [&]() -> CopyResult {
        if (sameFile(source, destination))
            return {CopyOutcome::SameFile, {}};
        const QFileInfo info(source);
        if (!info.exists())
            return failed(QStringLiteral("the file does not exist"));
        if (!info.isFile())
            return failed(QStringLiteral("it is not an ordinary file"));
        QFile in(source);
        if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return failed(QStringLiteral("it could not be opened (%1)").arg(in.errorString()));

        removeLeftovers(destination);
        QString temporary;
        Descriptor out(createTemporary(destination, &temporary));
        if (out.get() < 0)
            return failed(
                QStringLiteral("the copy could not be created (%1)").arg(systemError(errno)));
        int error = 0;
        const Pump pumped = pumpAll(in.handle(), out.get(), &error);
        if (pumped != Pump::Done || !out.close()) {
            if (pumped == Pump::Done)
                error = errno;
            QFile::remove(temporary);
            if (pumped == Pump::ReadFailed)
                return failed(QStringLiteral("it could not be read (%1)").arg(systemError(error)));
            return failed(diskFull(error) || pumped == Pump::WriteFailed
                              ? kDiskFull
                              : QStringLiteral("the copy could not be completed (%1)")
                                    .arg(systemError(error)));
        }
        m_staged.push_back({temporary, destination, m_results.size()});
        return {CopyOutcome::Copied, {}};
    }();
    m_results.push_back(result);
    return result;
}

const std::vector<CopyResult>& CopyBatch::commit() {
    // One sync for each file system the copies went to, before any of them
    // takes its destination's place.
    QSet<dev_t> synced;
    QHash<dev_t, int> syncErrors;
    for (const Staged& s : m_staged) {
        const QByteArray folder = QFile::encodeName(QFileInfo(s.temporary).absolutePath());
        struct stat st {};
        if (::stat(folder.constData(), &st) != 0 || synced.contains(st.st_dev))
            continue;
        synced.insert(st.st_dev);
        const Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() < 0 || ::syncfs(dir.get()) != 0)
            syncErrors.insert(st.st_dev, errno);
    }
    for (const Staged& s : m_staged) {
        CopyResult& result = m_results[s.result];
        struct stat st {};
        const bool known = ::stat(QFile::encodeName(s.temporary).constData(), &st) == 0;
        const int syncError = known ? syncErrors.value(st.st_dev, 0) : ENOENT;
        if (syncError != 0) {
            QFile::remove(s.temporary);
            result =
                failed(diskFull(syncError) ? kDiskFull
                                           : QStringLiteral("the copy could not be completed (%1)")
                                                 .arg(systemError(syncError)));
            continue;
        }
        if (::rename(QFile::encodeName(s.temporary).constData(),
                     QFile::encodeName(s.destination).constData()) != 0) {
            const int error = errno;
            QFile::remove(s.temporary);
            result = failed(
                QStringLiteral("the copy could not be completed (%1)").arg(systemError(error)));
        }
    }
    m_staged.clear();
    return m_results;
}

CopyResult copyFileReplacing(const QString& source, const QString& destination) {
    CopyBatch batch;
    const CopyResult staged = batch.add(source, destination);
    if (staged.outcome != CopyOutcome::Copied)
        return staged;
    return batch.commit().front();
}

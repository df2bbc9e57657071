#include "platform/files/filecopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

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

const QString kCopyMark = QStringLiteral(".marvolia-copy");
// Copies held open, and locked, before the batch puts them in place: well
// below the number of files a process may have open.
constexpr std::size_t kMostHeld = 200;

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
    const QString prefix = HiddenTemporary::namePrefix(info.fileName(), kCopyMark);
    hidden->removeIf([&](const QString& entry) {
        if (!HiddenTemporary::isWriteOf(entry, prefix))
            return false;
        removeIfLeftover(folder + QLatin1Char('/') + entry);
        return true;
    });
}

bool copyUnderWay(const QString& folder, const QString& name, const QStringList& hidden) {
    const QString prefix = HiddenTemporary::namePrefix(name, kCopyMark);
    return std::any_of(hidden.begin(), hidden.end(), [&](const QString& entry) {
        return HiddenTemporary::isWriteOf(entry, prefix) &&
               writeUnderWay(folder + QLatin1Char('/') + entry);
    });
}

CopyBatch::~CopyBatch() = default;

CopyResult CopyBatch::add(const QString& source, const QString& destination, CopyOver over) {
    std::unique_ptr<HiddenTemporary> copy;
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
        copy = std::make_unique<HiddenTemporary>(destination, kCopyMark);
        if (!copy->create(false))
            return failed(QStringLiteral("the copy could not be created (%1)")
                              .arg(systemError(copy->error())));
        struct stat replaced {};
        if (over == CopyOver::Replace &&
            ::stat(QFile::encodeName(destination).constData(), &replaced) == 0)
            copy->keepOwnership(replaced);
        int error = 0;
        const Pump pumped = pumpAll(in.handle(), copy->handle(), &error);
        if (pumped == Pump::ReadFailed)
            return failed(QStringLiteral("it could not be read (%1)").arg(systemError(error)));
        if (pumped == Pump::WriteFailed)
            return failed(kDiskFull);
        return {CopyOutcome::Copied, {}};
    }();
    if (result.outcome == CopyOutcome::Copied)
        m_staged.push_back({std::move(copy), over == CopyOver::Replace, m_results.size()});
    m_results.push_back(result);
    if (m_staged.size() >= kMostHeld)
        putStagedInPlace();
    return result;
}

void CopyBatch::putStagedInPlace() {
    // One sync for each file system the copies went to, before any of them
    // takes its destination's place.
    QHash<dev_t, int> syncErrors;
    for (const Staged& s : m_staged) {
        struct stat st {};
        ::fstat(s.copy->handle(), &st);
        if (!syncErrors.contains(st.st_dev))
            syncErrors.insert(st.st_dev, ::syncfs(s.copy->handle()) == 0 ? 0 : errno);
    }
    for (Staged& s : m_staged) {
        CopyResult& result = m_results[s.result];
        struct stat st {};
        ::fstat(s.copy->handle(), &st);
        const int syncError = syncErrors.value(st.st_dev, 0);
        if (syncError != 0) {
            result =
                failed(diskFull(syncError) ? kDiskFull
                                           : QStringLiteral("the copy could not be completed (%1)")
                                                 .arg(systemError(syncError)));
        } else if (!s.copy->putInPlace(s.replace)) {
            const int error = s.copy->error();
            result = failed(error == EEXIST && !s.replace
                                ? QStringLiteral("another file took its place in the folder "
                                                 "meanwhile")
                                : QStringLiteral("the copy could not be completed (%1)")
                                      .arg(systemError(error)));
        }
    }
    m_staged.clear();
}

const std::vector<CopyResult>& CopyBatch::commit() {
    putStagedInPlace();
    return m_results;
}

CopyResult copyFileReplacing(const QString& source, const QString& destination) {
    CopyBatch batch;
    const CopyResult staged = batch.add(source, destination);
    if (staged.outcome != CopyOutcome::Copied)
        return staged;
    return batch.commit().front();
}

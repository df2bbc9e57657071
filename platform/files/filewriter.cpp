#include "platform/files/filewriter.h"

#include "platform/files/descriptor.h"
#include "platform/files/filecopy.h"
#include "platform/files/hiddentemporary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kNewMark = QStringLiteral(".marvolia-new");
const QString kCopyMark = QStringLiteral(".marvolia-copy");
// More links than this in a row is a circle (the system's own limit).
constexpr int kMostLinks = 40;
// Files held open, and locked, before they are put in place: well below the
// number of files a process may have open.
constexpr std::size_t kMostHeld = 200;

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// The steps a write can fail at after it began.
enum class Step { Create, Write, Sync, Place, Changed };

// Why a step failed, in the words of new bytes for a file or of a copy.
QString bytesWords(Step step, int error) {
    switch (step) {
    case Step::Create:
        return QStringLiteral("it could not be created (%1)").arg(systemError(error));
    case Step::Write:
        return QStringLiteral("not all of it could be written (the disk may be full)");
    case Step::Sync:
        return QStringLiteral("it could not be completed (%1)")
            .arg(diskFull(error) ? QStringLiteral("the disk may be full") : systemError(error));
    case Step::Place:
        return QStringLiteral("it could not be completed (%1)").arg(systemError(error));
    case Step::Changed:
        break;
    }
    return QStringLiteral("another program changed it meanwhile");
}

const QString kCopyShort =
    QStringLiteral("not all of the copy could be written (the disk may be full)");

QString copyWords(Step step, int error) {
    switch (step) {
    case Step::Create:
        return QStringLiteral("the copy could not be created (%1)").arg(systemError(error));
    case Step::Write:
        return kCopyShort;
    case Step::Sync:
        if (diskFull(error))
            return kCopyShort;
        [[fallthrough]];
    case Step::Place:
        return QStringLiteral("the copy could not be completed (%1)").arg(systemError(error));
    case Step::Changed:
        break;
    }
    return QStringLiteral("another file took its place in the folder meanwhile");
}

FileFailure refused(const QString& path, const QString& why) {
    return {path, why, FileFault::Other};
}

} // namespace

bool isWriteProtected(const QString& path) {
    const QByteArray name = encoded(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return false;
    if (::geteuid() == 0)
        return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    return ::access(name.constData(), W_OK) != 0 && errno == EACCES;
}

QString linkedFile(const QString& path) {
    QString at = QFileInfo(path).absoluteFilePath();
    for (int links = 0; links <= kMostLinks; ++links) {
        const QFileInfo info(at);
        if (!info.isSymLink())
            return at;
        // Relative to the link's own folder, as the system reads it.
        at = info.symLinkTarget();
    }
    return {};
}

struct FileWriter::Staged {
    Staged(const QString& given, const QString& target, Kind kind_)
        : path(given), temporary(target, kind_ == Kind::Bytes ? kNewMark : kCopyMark),
          destination(target), kind(kind_) {}

    QString path; // as the caller gave it
    HiddenTemporary temporary;
    QString destination;
    Kind kind;
    // Where a file lies in the destination's place: replace it, or fail.
    // Bytes replace whatever lies there when they are put in place.
    bool replace = true;
    // Bytes only: what must lie in the destination's place then.
    FileState expected;
    std::size_t result = 0; // index into m_results

    FileFailure failed(Step step, int error) const {
        return {path, kind == Kind::Bytes ? bytesWords(step, error) : copyWords(step, error),
                step == Step::Changed ? FileFault::ChangedMeanwhile : FileFault::Other};
    }
};

FileWriter::FileWriter() = default;
FileWriter::~FileWriter() = default;

QString FileWriter::stagingPath(const QString& target) {
    const QFileInfo info(target);
    return info.dir().filePath(HiddenTemporary::namePrefix(info.fileName(), kNewMark));
}

const FileResult<Written>& FileWriter::record(FileResult<Written> result) {
    m_results.push_back(std::move(result));
    return m_results.back();
}

void FileWriter::stage(std::unique_ptr<Staged> staged) {
    staged->result = m_results.size() - 1;
    m_staged.push_back(std::move(staged));
    if (m_staged.size() >= kMostHeld)
        putStagedInPlace();
}

void FileWriter::clearLeftovers(const QString& destination, Kind kind) {
    const QFileInfo info(destination);
    const QString folder = info.absolutePath();
    auto hidden = m_hidden.find(folder);
    if (hidden == m_hidden.end()) {
        QStringList found = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        found.removeIf([](const QString& entry) {
            return !entry.startsWith(QLatin1Char('.')) ||
                   (!entry.contains(kCopyMark) && !entry.contains(kNewMark));
        });
        hidden = m_hidden.insert(folder, found);
    }
    if (hidden->isEmpty())
        return;
    const QString prefix =
        HiddenTemporary::namePrefix(info.fileName(), kind == Kind::Bytes ? kNewMark : kCopyMark);
    hidden->removeIf([&](const QString& entry) {
        // New bytes also clear what earlier versions left: the bare hidden
        // name, and temporary names of it with other endings.
        const bool left = kind == Kind::Bytes
                              ? entry == prefix || entry.startsWith(prefix + QLatin1Char('.'))
                              : HiddenTemporary::isWriteOf(entry, prefix);
        if (left)
            removeIfLeftover(folder + QLatin1Char('/') + entry);
        return left;
    });
}

const FileResult<Written>& FileWriter::write(const QString& path, const QByteArray& bytes,
                                             const FileState* expected) {
    if (isWriteProtected(path))
        return record(refused(path, QStringLiteral("it is read-only")));
    const QString target = linkedFile(path);
    if (target.isEmpty())
        return record(refused(path, QStringLiteral("its links go round in a circle")));
    struct stat st {};
    const bool exists = ::lstat(encoded(target).constData(), &st) == 0;
    // A folder in the way fails when the new file is put in its place.
    if (exists && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return record(refused(path, QStringLiteral("it is not an ordinary file")));

    auto staged = std::make_unique<Staged>(path, target, Kind::Bytes);
    staged->expected = expected ? *expected : fileKey(target);
    clearLeftovers(target, Kind::Bytes);
    if (!staged->temporary.create(true))
        return record(staged->failed(Step::Create, staged->temporary.error()));
    Written written;
    if (exists && S_ISREG(st.st_mode))
        written.note = staged->temporary.keepOwnership(st);
    const int fd = staged->temporary.handle();
    for (const char *data = bytes.constData(), *end = data + bytes.size(); data < end;) {
        const ssize_t wrote = ::write(fd, data, static_cast<size_t>(end - data));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return record(staged->failed(Step::Write, wrote < 0 ? errno : ENOSPC));
        data += wrote;
    }
    record(std::move(written));
    stage(std::move(staged));
    return m_results.back();
}

const FileResult<Written>& FileWriter::copy(const QString& source, const QString& destination,
                                            CopyOver over) {
    if (sameFile(source, destination))
        return record(Written{{}, {}, true});
    const QFileInfo info(source);
    if (!info.exists())
        return record(refused(source, QStringLiteral("the file does not exist")));
    if (!info.isFile())
        return record(refused(source, QStringLiteral("it is not an ordinary file")));
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return record(
            refused(source, QStringLiteral("it could not be opened (%1)").arg(in.errorString())));

    clearLeftovers(destination, Kind::Copy);
    auto staged = std::make_unique<Staged>(destination, destination, Kind::Copy);
    staged->replace = over == CopyOver::Replace;
    if (!staged->temporary.create(false))
        return record(staged->failed(Step::Create, staged->temporary.error()));
    Written written;
    struct stat replaced {};
    if (staged->replace && ::stat(encoded(destination).constData(), &replaced) == 0)
        written.note = staged->temporary.keepOwnership(replaced);
    const Pumped pumped = pumpAll(in.handle(), staged->temporary.handle());
    if (pumped.step == Pumped::Step::ReadFailed)
        return record(refused(
            source, QStringLiteral("it could not be read (%1)").arg(systemError(pumped.error))));
    if (pumped.step == Pumped::Step::WriteFailed)
        return record(staged->failed(Step::Write, pumped.error));
    record(std::move(written));
    stage(std::move(staged));
    return m_results.back();
}

void FileWriter::putStagedInPlace() {
    // One sync for each file system the files went to, before any of them
    // takes its destination's place; a file alone on its file system syncs
    // only itself.
    QHash<dev_t, int> onDevice;
    for (const auto& s : m_staged) {
        struct stat st {};
        ::fstat(s->temporary.handle(), &st);
        onDevice[st.st_dev] += 1;
    }
    QHash<dev_t, int> syncErrors;
    for (const auto& s : m_staged) {
        struct stat st {};
        ::fstat(s->temporary.handle(), &st);
        if (syncErrors.contains(st.st_dev))
            continue;
        const int fd = s->temporary.handle();
        const bool synced = onDevice.value(st.st_dev) == 1 ? ::fsync(fd) == 0 : ::syncfs(fd) == 0;
        syncErrors.insert(st.st_dev, synced ? 0 : errno);
    }
    QSet<QString> folders;
    for (const auto& s : m_staged) {
        FileResult<Written>& result = m_results[s->result];
        Written written = result.value();
        struct stat st {};
        ::fstat(s->temporary.handle(), &st);
        if (const int error = syncErrors.value(st.st_dev, 0); error != 0) {
            result = s->failed(Step::Sync, error);
            s->temporary.discard();
            continue;
        }
        const QByteArray destination = encoded(s->destination);
        struct stat there {};
        const bool occupied = ::lstat(destination.constData(), &there) == 0;
        bool replace = s->replace;
        if (s->kind == Kind::Bytes) {
            // Another program saved here since: its file is not taken away
            // silently. One that vanished leaves nothing to lose.
            if (occupied && !sameState(fileKey(s->destination), s->expected)) {
                result = s->failed(Step::Changed, 0);
                s->temporary.discard();
                continue;
            }
            replace = occupied;
        }
        if (!s->temporary.putInPlace(replace)) {
            const int error = s->temporary.error();
            result = s->failed(error == EEXIST && !replace ? Step::Changed : Step::Place, error);
            continue;
        }
        folders.insert(QFileInfo(s->destination).absolutePath());
        if (::fstat(s->temporary.handle(), &st) == 0)
            written.file = fileKey(s->destination, st);
        result = std::move(written);
        s->temporary.discard();
    }
    // The new names on the disk too, not only the bytes.
    for (const QString& folder : folders) {
        const Descriptor fd(
            ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (fd.get() >= 0)
            ::fsync(fd.get());
    }
    m_staged.clear();
}

const std::vector<FileResult<Written>>& FileWriter::commit() {
    putStagedInPlace();
    return m_results;
}

bool copyUnderWay(const QString& folder, const QString& name, const QStringList& hidden) {
    const QString prefix = HiddenTemporary::namePrefix(name, kCopyMark);
    return std::any_of(hidden.begin(), hidden.end(), [&](const QString& entry) {
        return HiddenTemporary::isWriteOf(entry, prefix) &&
               writeUnderWay(folder + QLatin1Char('/') + entry);
    });
}

FileResult<Written> copyFileReplacing(const QString& source, const QString& destination) {
    FileWriter writer;
    if (const FileResult<Written>& staged = writer.copy(source, destination); !staged.ok())
        return staged;
    return writer.commit().front();
}

#include "platform/files/stagedfile.h"

#include "platform/files/descriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kMark = QStringLiteral(".marvolia-new");
// More links than this in a row is a circle (the system's own limit).
constexpr int kMostLinks = 40;

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// The system's words, or none where the disk filling up is the likely cause
// and the caller says so in its own.
QString writeError(int error) {
    return error == ENOSPC || error == EDQUOT || error == EFBIG ? QString() : systemError(error);
}

} // namespace

bool isWriteProtected(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
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

StagedFile::StagedFile(const QString& path)
    : m_target(linkedFile(path)), m_temporary(m_target.isEmpty() ? path : m_target, kMark) {}

StagedFile::~StagedFile() {
    cancel();
}

QString StagedFile::stagingPath(const QString& target) {
    const QFileInfo info(target);
    return info.dir().filePath(HiddenTemporary::namePrefix(info.fileName(), kMark));
}

void StagedFile::clearLeftovers() const {
    const QFileInfo target(m_target);
    const QString prefix = HiddenTemporary::namePrefix(target.fileName(), kMark);
    const QDir dir = target.dir();
    // Also what earlier versions left: the bare hidden name, and temporary
    // names of it with other endings.
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (entry == prefix || entry.startsWith(prefix + QLatin1Char('.')))
            removeIfLeftover(dir.filePath(entry));
}

void StagedFile::expect(const FileState& state) {
    m_expected = state;
}

bool StagedFile::refuse(const QString& why) {
    m_refused = true;
    m_error = why;
    return false;
}

bool StagedFile::open() {
    if (m_target.isEmpty())
        return refuse(QStringLiteral("its links go round in a circle"));
    struct stat st {};
    const bool exists = ::lstat(QFile::encodeName(m_target).constData(), &st) == 0;
    // A folder in the way fails when the new file is put in its place.
    if (exists && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
        return refuse(QStringLiteral("it is not an ordinary file"));
    if (isWriteProtected(m_target))
        return refuse(QStringLiteral("the file is read-only"));
    if (!m_expected)
        m_expected = fileKey(m_target);
    clearLeftovers();
    if (!m_temporary.create(true)) {
        m_error = systemError(m_temporary.error());
        return false;
    }
    if (exists && S_ISREG(st.st_mode))
        m_note = m_temporary.keepOwnership(st);
    m_open = true;
    return true;
}

bool StagedFile::write(const char* data, qint64 size) {
    while (m_open && size > 0) {
        const ssize_t wrote = ::write(m_temporary.handle(), data, static_cast<size_t>(size));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            m_error = wrote < 0 ? writeError(errno) : QString();
            cancel();
            return false;
        }
        data += wrote;
        size -= wrote;
    }
    return m_open;
}

bool StagedFile::commit() {
    if (!m_open)
        return false;
    m_open = false;
    const int fd = m_temporary.handle();
    if (::fsync(fd) != 0) {
        m_error = writeError(errno);
        m_temporary.discard();
        return false;
    }
    struct stat there {};
    const QByteArray target = QFile::encodeName(m_target);
    const bool occupied = ::lstat(target.constData(), &there) == 0;
    // Another program saved here since: its file is not taken away silently.
    // One that vanished leaves nothing to lose.
    if (occupied && !sameState(fileKey(m_target), *m_expected)) {
        m_changed = true;
        m_error = QStringLiteral("another program changed it meanwhile");
        m_temporary.discard();
        return false;
    }
    if (!m_temporary.putInPlace(occupied)) {
        m_changed = !occupied && m_temporary.error() == EEXIST;
        m_error = m_changed ? QStringLiteral("another program changed it meanwhile")
                            : systemError(m_temporary.error());
        return false;
    }
    // The new name on the disk too, not only the bytes.
    const Descriptor folder(
        ::open(QFile::encodeName(QFileInfo(m_target).absolutePath()).constData(),
               O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() >= 0)
        ::fsync(folder.get());
    struct stat written {};
    if (::fstat(fd, &written) == 0)
        m_written = fileKey(m_target, written);
    m_temporary.discard();
    return true;
}

void StagedFile::cancel() {
    m_open = false;
    m_temporary.discard();
}

QString StagedFile::errorString(const QString& fallback) const {
    return m_error.isEmpty() ? fallback : m_error;
}

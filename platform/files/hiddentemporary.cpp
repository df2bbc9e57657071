#include "platform/files/hiddentemporary.h"

#include "platform/files/descriptor.h"
#include "platform/files/hiddenname.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// When this program started. On a file system that keeps no locks, a hidden
// file that changed before then can belong to no write of this run, and a
// write of another run that was still going would have changed it since.
const timespec kStarted = [] {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}();

bool changedSinceStart(const struct stat& st) {
    return st.st_ctim.tv_sec > kStarted.tv_sec ||
           (st.st_ctim.tv_sec == kStarted.tv_sec && st.st_ctim.tv_nsec >= kStarted.tv_nsec);
}

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// Eight hex digits: the process's id (22 bits, the most the system gives
// out) and a count of its writes (10 bits). Two processes never make the
// same; one process only after 1024 writes, long after the earlier is gone,
// and creating exclusively passes over it all the same.
std::atomic<quint32> g_writes{0};
QString nextTag() {
    const quint32 process = static_cast<quint32>(::getpid()) & 0x3FFFFF;
    const quint32 count = g_writes.fetch_add(1) & 0x3FF;
    return QStringLiteral(".%1").arg(process << 10 | count, 8, 16, QLatin1Char('0'));
}
constexpr int kTagBytes = 9;
constexpr int kMostTries = 1024;

// Locks of the open file, not of the process: two writes of one process
// exclude each other as two processes do.
int setLock(int fd, short type, int command = F_OFD_SETLK) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    return ::fcntl(fd, command, &lock);
}

bool noLocksHere(int error) {
    return error == EINVAL || error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS;
}

QByteArray procPath(int fd) {
    return "/proc/self/fd/" + QByteArray::number(fd);
}

// A hidden file found beside a destination, opened without waiting (a FIFO
// would block) and without following a link; -1 when it is no ordinary file.
int openFound(const QString& path, struct stat* st) {
    const int fd =
        ::open(encoded(path).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::fstat(fd, st) != 0 || !S_ISREG(st->st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

HiddenTemporary::HiddenTemporary(const QString& destination, const QString& mark)
    : m_destination(destination) {
    const QFileInfo info(destination);
    m_folder = info.absolutePath();
    m_prefix = namePrefix(info.fileName(), mark);
}

HiddenTemporary::~HiddenTemporary() {
    discard();
}

QString HiddenTemporary::namePrefix(const QString& fileName, const QString& mark) {
    return hiddenSiblingName(fileName, mark, kTagBytes);
}

bool HiddenTemporary::isWriteOf(const QString& entry, const QString& prefix) {
    if (entry.size() != prefix.size() + kTagBytes || !entry.startsWith(prefix) ||
        entry.at(prefix.size()) != QLatin1Char('.'))
        return false;
    const QStringView digits = QStringView(entry).right(kTagBytes - 1);
    return std::all_of(digits.begin(), digits.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
               (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
    });
}

bool HiddenTemporary::create(bool unnamed) {
    if (unnamed) {
        m_fd = ::open(encoded(m_folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        // Nobody else can see it yet, so its lock cannot be taken.
        // Named at the end through /proc, which a process acting as another
        // user may not be let into.
        if (m_fd >= 0 && ::faccessat(AT_FDCWD, procPath(m_fd).constData(), F_OK, AT_EACCESS) == 0 &&
            lock())
            return true;
        discard();
    }
    return createNamed();
}

bool HiddenTemporary::lock() {
    return setLock(m_fd, F_WRLCK) == 0 || noLocksHere(errno);
}

bool HiddenTemporary::createNamed() {
    for (int attempt = 0; attempt < kMostTries; ++attempt) {
        const QString path = m_folder + QLatin1Char('/') + m_prefix + nextTag();
        m_fd = ::open(encoded(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0) {
            if (errno == EEXIST)
                continue;
            m_error = errno;
            return false;
        }
        // Locked at once. A clean-up that took it for a leftover in the
        // instant between holds it or has removed it: then try the next name
        // and let the clean-up finish.
        struct stat st {};
        if (lock() && ::fstat(m_fd, &st) == 0 && st.st_nlink > 0) {
            m_path = path;
            return true;
        }
        ::close(m_fd);
        m_fd = -1;
    }
    m_error = EEXIST;
    return false;
}

bool HiddenTemporary::giveName() {
    for (int attempt = 0; attempt < kMostTries; ++attempt) {
        const QString path = m_folder + QLatin1Char('/') + m_prefix + nextTag();
        if (::linkat(AT_FDCWD, procPath(m_fd).constData(), AT_FDCWD, encoded(path).constData(),
                     AT_SYMLINK_FOLLOW) == 0) {
            m_path = path;
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    m_error = errno;
    return false;
}

QString HiddenTemporary::keepOwnership(const struct stat& replaced) {
    struct stat own {};
    ::fstat(m_fd, &own);
    int why = 0;
    if ((own.st_uid != replaced.st_uid || own.st_gid != replaced.st_gid) &&
        ::fchown(m_fd, replaced.st_uid, replaced.st_gid) != 0) {
        why = errno;
        // The group alone, where the user belongs to it.
        ::fchown(m_fd, static_cast<uid_t>(-1), replaced.st_gid);
    }
    // After the owner: changing it clears the set-id bits.
    if (::fchmod(m_fd, replaced.st_mode & 07777) != 0 && why == 0)
        why = errno;
    ::fstat(m_fd, &own);
    QStringList lost;
    if (own.st_uid != replaced.st_uid)
        lost << QStringLiteral("owner");
    if (own.st_gid != replaced.st_gid)
        lost << QStringLiteral("group");
    if ((own.st_mode & 07777) != (replaced.st_mode & 07777))
        lost << QStringLiteral("permissions");
    if (lost.isEmpty())
        return {};
    const QString last = lost.takeLast();
    const QString what = lost.isEmpty() ? last : lost.join(QStringLiteral(", ")) + " and " + last;
    return QStringLiteral("its %1 could not be kept (%2)")
        .arg(what, QString::fromLocal8Bit(std::strerror(why == 0 ? EPERM : why)));
}

bool HiddenTemporary::putInPlace(bool replace) {
    const QByteArray destination = encoded(m_destination);
    if (m_path.isEmpty() && !replace) {
        // Straight to its place: linking never takes the place of another file.
        if (::linkat(AT_FDCWD, procPath(m_fd).constData(), AT_FDCWD, destination.constData(),
                     AT_SYMLINK_FOLLOW) == 0) {
            m_placed = true;
            return true;
        }
        m_error = errno;
        discard();
        return false;
    }
    if (m_path.isEmpty() && !giveName()) {
        discard();
        return false;
    }
    const QByteArray from = encoded(m_path);
    int placed = replace ? ::rename(from.constData(), destination.constData())
                         : ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD,
                                       destination.constData(), RENAME_NOREPLACE);
    if (placed != 0 && !replace && (errno == EINVAL || errno == ENOSYS)) {
        // A file system that cannot rename without replacing: look first.
        struct stat st {};
        if (::lstat(destination.constData(), &st) == 0)
            errno = EEXIST;
        else
            placed = ::rename(from.constData(), destination.constData());
    }
    if (placed != 0) {
        m_error = errno;
        discard();
        return false;
    }
    m_placed = true;
    return true;
}

void HiddenTemporary::discard() {
    if (!m_placed && !m_path.isEmpty())
        ::unlink(encoded(m_path).constData());
    m_path.clear();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool writeUnderWay(const QString& path) {
    struct stat st {};
    const Descriptor fd(openFound(path, &st));
    if (fd.get() < 0)
        return true;
    struct flock probe {};
    probe.l_type = F_RDLCK;
    probe.l_whence = SEEK_SET;
    if (::fcntl(fd.get(), F_OFD_GETLK, &probe) == 0)
        return probe.l_type != F_UNLCK;
    return !noLocksHere(errno) || changedSinceStart(st);
}

void removeIfLeftover(const QString& path) {
    struct stat st {};
    const Descriptor fd(openFound(path, &st));
    if (fd.get() < 0)
        return;
    if (setLock(fd.get(), F_RDLCK) != 0 && (!noLocksHere(errno) || changedSinceStart(st)))
        return;
    // Still the file that was checked, not one a new write put there since.
    struct stat now {};
    const QByteArray name = encoded(path);
    if (::lstat(name.constData(), &now) == 0 && now.st_dev == st.st_dev && now.st_ino == st.st_ino)
        ::unlink(name.constData());
}

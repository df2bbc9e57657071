#include "stagedfile.h"

#include "hiddenname.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Every write checked; false as soon as one falls short.
bool writeAll(QFileDevice& file, const char* data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        const qint64 wrote = file.write(data + done, size - done);
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return true;
}

// The system's own words for the file's last error, or empty where it has
// none: QSaveFile says "Unknown error" for a write that fell short.
QString systemReason(const QFileDevice& file) {
    const QString said = file.errorString();
    return said == QStringLiteral("Unknown error") ? QString() : said;
}

// A link is replaced in the file it leads to, as QSaveFile does.
QString resolvedTarget(const QString& path) {
    const QFileInfo info(path);
    return info.isSymLink() ? info.symLinkTarget() : path;
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

StagedFile::StagedFile(const QString& path)
    : m_target(resolvedTarget(path)), m_staging(stagingPath(m_target)), m_file(m_staging) {}

StagedFile::~StagedFile() {
    cancel();
}

QString StagedFile::stagingPath(const QString& target) {
    const QFileInfo info(target);
    // QSaveFile may name its own temporary file after it, with 7 bytes more.
    return info.dir().filePath(
        hiddenSiblingName(info.fileName(), QStringLiteral(".marvolia-new"), 7));
}

void StagedFile::clearLeftovers() const {
    // The staging file itself, and QSaveFile's own temporary files of it
    // (".<name>.marvolia-new.XXXXXX") where the file system made it name them.
    const QFileInfo staging(m_staging);
    const QString name = staging.fileName();
    const QDir dir = staging.dir();
    for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (entry == name || entry.startsWith(name + QLatin1Char('.')))
            QFile::remove(dir.filePath(entry));
}

bool StagedFile::open() {
    if (isWriteProtected(m_target)) {
        m_error = QStringLiteral("the file is read-only");
        return false;
    }
    clearLeftovers();
    // Unbuffered, so that every write reaches the system and a full disk
    // shows in the write's own result.
    if (m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return true;
    m_error = systemReason(m_file);
    return false;
}

bool StagedFile::write(const char* data, qint64 size) {
    if (writeAll(m_file, data, size))
        return true;
    m_error.clear();
    cancel();
    return false;
}

bool StagedFile::commit() {
    if (!m_file.isOpen())
        return false;
    if (!m_file.commit()) {
        m_error = systemReason(m_file);
        return false;
    }
    const QFileInfo existing(m_target);
    if (existing.exists())
        QFile::setPermissions(m_staging, existing.permissions());
    if (std::rename(QFile::encodeName(m_staging).constData(),
                    QFile::encodeName(m_target).constData()) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(m_staging);
        return false;
    }
    return true;
}

void StagedFile::cancel() {
    if (m_file.isOpen())
        m_file.cancelWriting();
}

QString StagedFile::errorString(const QString& fallback) const {
    return m_error.isEmpty() ? fallback : m_error;
}

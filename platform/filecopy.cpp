#include "filecopy.h"

#include "stagedfile.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

bool sameFile(const QString& a, const QString& b) {
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 ||
        ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

CopyResult copyFileReplacing(const QString& source, const QString& destination) {
    if (sameFile(source, destination))
        return {CopyOutcome::SameFile, {}};
    const QFileInfo info(source);
    if (!info.exists())
        return {CopyOutcome::Failed, QStringLiteral("the file does not exist")};
    if (!info.isFile())
        return {CopyOutcome::Failed, QStringLiteral("it is not an ordinary file")};
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return {CopyOutcome::Failed,
                QStringLiteral("it could not be opened (%1)").arg(in.errorString())};

    StagedFile out(destination);
    if (!out.open())
        return {CopyOutcome::Failed,
                QStringLiteral("the copy could not be created (%1)")
                    .arg(out.errorString(QStringLiteral("the folder may not be writable")))};
    constexpr qint64 kChunk = 1 << 20;
    QByteArray buffer(kChunk, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(buffer.data(), kChunk);
        if (got < 0) {
            out.cancel();
            return {CopyOutcome::Failed,
                    QStringLiteral("it could not be read (%1)").arg(in.errorString())};
        }
        if (got == 0)
            break;
        if (!out.write(buffer.constData(), got))
            return {CopyOutcome::Failed,
                    QStringLiteral("not all of the copy could be written (the disk may be full)")};
    }
    if (!out.commit())
        return {CopyOutcome::Failed,
                QStringLiteral("the copy could not be completed (%1)")
                    .arg(out.errorString(QStringLiteral("the disk may be full")))};
    return {CopyOutcome::Copied, {}};
}

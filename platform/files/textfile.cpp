#include "platform/files/textfile.h"

#include "platform/files/stagedfile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

QByteArray textFileBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}

QString decodeText(const QByteArray& bytes) {
    // Stateless: a sequence cut short at the end is an error, where the
    // default decoder would keep it back for more input and drop it.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252");
    if (windows.isValid())
        return windows.decode(bytes);
    // Without the code page tables, Latin-1 is the nearest: it differs only in
    // the typographic marks of 0x80-0x9F.
    return QString::fromLatin1(bytes);
}

namespace {
FileWritten notWritten(const QString& why, bool changedMeanwhile = false) {
    FileWritten result;
    result.error = why;
    result.changedMeanwhile = changedMeanwhile;
    return result;
}
} // namespace

FileWritten writeFileWhole(const QString& path, const QByteArray& bytes, const FileState* seen) {
    if (isWriteProtected(path))
        return notWritten(QStringLiteral("it is read-only"));
    StagedFile file(path);
    if (seen)
        file.expect(*seen);
    if (!file.open())
        return notWritten(
            file.refused()
                ? file.errorString({})
                : QStringLiteral("it could not be created (%1)")
                      .arg(file.errorString(QStringLiteral("the folder may not be writable"))));
    if (!file.write(bytes.constData(), bytes.size()))
        return notWritten(QStringLiteral("not all of it could be written (the disk may be full)"));
    if (!file.commit())
        return notWritten(file.changedMeanwhile()
                              ? file.errorString({})
                              : QStringLiteral("it could not be completed (%1)")
                                    .arg(file.errorString(QStringLiteral("the disk may be full"))),
                          file.changedMeanwhile());
    FileWritten written;
    written.note = file.note();
    written.file = file.written();
    return written;
}

QString writeFileAtomically(const QString& path, const QByteArray& bytes) {
    return writeFileWhole(path, bytes).error;
}

TextRead readTextFile(const QString& path, qint64 maxBytes) {
    const QFileInfo info(path);
    if (!info.exists())
        return {{}, QStringLiteral("it does not exist")};
    if (!info.isFile())
        return {{}, QStringLiteral("it is not an ordinary file")};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("it could not be opened (%1)").arg(file.errorString())};
    if (file.size() > maxBytes)
        return {{}, QStringLiteral("it is too large (%1 bytes)").arg(file.size())};
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {{}, QStringLiteral("it could not be read (%1)").arg(file.errorString())};
    if (bytes.size() > maxBytes)
        return {{}, QStringLiteral("it is too large (more than %1 bytes)").arg(maxBytes)};
    return {decodeText(bytes), {}};
}

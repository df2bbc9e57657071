#include "platform/files/textfile.h"

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

FileResult<Written> writeFileWhole(const QString& path, const QByteArray& bytes,
                                   const FileState* seen) {
    FileWriter writer;
    if (const FileResult<Written>& staged = writer.write(path, bytes, seen); !staged.ok())
        return staged;
    return writer.commit().front();
}

FileResult<QString> readTextFile(const QString& path, qint64 maxBytes) {
    const auto failed = [&](const QString& why) { return FileFailure{path, why}; };
    const QFileInfo info(path);
    if (!info.exists())
        return failed(QStringLiteral("it does not exist"));
    if (!info.isFile())
        return failed(QStringLiteral("it is not an ordinary file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("it could not be opened (%1)").arg(file.errorString()));
    if (file.size() > maxBytes)
        return failed(QStringLiteral("it is too large (%1 bytes)").arg(file.size()));
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(QStringLiteral("it could not be read (%1)").arg(file.errorString()));
    if (bytes.size() > maxBytes)
        return failed(QStringLiteral("it is too large (more than %1 bytes)").arg(maxBytes));
    return decodeText(bytes);
}

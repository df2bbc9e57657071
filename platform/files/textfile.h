#pragma once

#include "platform/files/fileresult.h"
#include "platform/files/filewriter.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// Text files as the program writes and reads them: UTF-8 with CR LF line ends
// out; in, CR LF or LF, and UTF-8 when the bytes are valid UTF-8, otherwise
// Windows-1252 (files made on Windows).

// Each line followed by CR LF, in UTF-8. No lines give no bytes.
QByteArray textFileBytes(const QStringList& lines);

// The text of a file's bytes: UTF-8 when valid (a leading byte order mark is
// dropped), Windows-1252 otherwise. Line ends are left as they are.
QString decodeText(const QByteArray& bytes);

// Writes the file in full or not at all (see FileWriter::write): an
// existing file is left byte for byte as it was unless every byte of the new
// content reached the disk. A link is written through to its file. A file
// that is read-only or no ordinary file is refused, and so is one whose state
// is no longer seen (the file as the caller read it), when seen is given:
// another program wrote it meanwhile. The owner, group and permissions of a
// replaced file are kept as far as the system lets.
FileResult<Written> writeFileWhole(const QString& path, const QByteArray& bytes,
                                   const FileState* seen = nullptr);

// A whole file read as text. Files larger than maxBytes are refused rather
// than read into memory.
FileResult<QString> readTextFile(const QString& path, qint64 maxBytes);

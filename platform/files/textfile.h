#pragma once

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

// Writes the file in full or not at all: an existing file is left byte for
// byte as it was unless every byte of the new content reached the disk.
// Empty on success, otherwise what failed, in words for the user.
QString writeFileAtomically(const QString& path, const QByteArray& bytes);

// A whole file read as text; on failure text is empty and error says why.
struct TextRead {
    QString text;
    QString error;
    bool ok() const { return error.isEmpty(); }
};
// Files larger than maxBytes are refused rather than read into memory.
TextRead readTextFile(const QString& path, qint64 maxBytes);

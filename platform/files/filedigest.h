#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A digest of the bytes of the file at path (SHA-256), to tell files with one
// content apart from others. Kept for the file as it is: a file rewritten or
// put in its place is read again. None when the file cannot be read. Safe on
// any thread; meant for a worker, as it reads the whole file.
std::optional<QByteArray> fileDigest(const QString& path);

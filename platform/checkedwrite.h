#pragma once

#include <QString>

class QFileDevice;

// Writes all of data, each write checked; false as soon as one falls short
// (a full disk shows here, not in QSaveFile::commit()).
bool writeAll(QFileDevice& file, const char* data, qint64 size);

// The system's own words for a file's last error where it has some;
// QSaveFile says "Unknown error" for a write that fell short.
QString failureReason(const QFileDevice& file, const QString& fallback);

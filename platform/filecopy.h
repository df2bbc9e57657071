#pragma once

#include <QString>

// Whether two paths name one file (through links too). False when either
// does not exist.
bool sameFile(const QString& a, const QString& b);

enum class CopyOutcome { Copied, SameFile, Failed };

struct CopyResult {
    CopyOutcome outcome = CopyOutcome::Failed;
    QString error; // for Failed, in words for the user
};

// Copies source to destination, replacing a file already there, complete or
// not at all: the destination is only replaced once every byte is written.
// A file is never copied onto itself (that would empty it): SameFile.
CopyResult copyFileReplacing(const QString& source, const QString& destination);

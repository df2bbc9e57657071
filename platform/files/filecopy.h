#pragma once

#include <QString>

// Whether two paths name one file (through links too). False when either
// does not exist.
bool sameFile(const QString& a, const QString& b);

// Whether a and b are ordinary files with exactly the same bytes.
bool sameContent(const QString& a, const QString& b);

// Whether a write's errno says the disk, the user's share of it, or the
// largest file allowed is full.
bool diskFull(int error);

// What moving every byte of one open file to another came to; error holds
// the errno of the step that failed.
struct Pumped {
    enum class Step { Done, ReadFailed, WriteFailed };
    Step step = Step::Done;
    int error = 0;
};

// Every byte from in to out, in the kernel where it can: copy_file_range
// (which may share blocks), else sendfile, else plain reads and writes.
Pumped pumpAll(int in, int out);

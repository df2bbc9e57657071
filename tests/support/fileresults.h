#pragma once

#include "platform/files/fileresult.h"
#include "platform/files/filewriter.h"

#include <QString>

#include <ostream>

// What a file operation came to, as tests compare it: no words when it
// succeeded, else why it failed.
template <typename T> QString whyNot(const FileResult<T>& result) {
    return result.ok() ? QString() : result.failure().why;
}

// A copy's result in one word: written, not needed (onto its own source), or failed.
enum class Copy { Copied, SameFile, Failed };
inline Copy outcomeOf(const FileResult<Written>& result) {
    if (!result.ok())
        return Copy::Failed;
    return result->sameFile ? Copy::SameFile : Copy::Copied;
}

// Failures as they read in a test's report.
inline void PrintTo(const FileFailure& failure, std::ostream* out) {
    *out << '{' << failure.path.toStdString() << ": " << failure.why.toStdString()
         << (failure.fault == FileFault::ChangedMeanwhile ? ", changed meanwhile}" : "}");
}

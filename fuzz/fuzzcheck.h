#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

// A broken promise is a crash, so that the fuzzer keeps the input.
inline void fuzzRequire(const QString& failure) {
    if (failure.isEmpty())
        return;
    std::fprintf(stderr, "broken promise: %s\n", failure.toLocal8Bit().constData());
    std::abort();
}

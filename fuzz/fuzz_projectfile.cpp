#include "fuzz/checks/readerchecks.h"
#include "fuzzcheck.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzzRequire(readerchecks::checkProjectReader(bytes));
    return 0;
}

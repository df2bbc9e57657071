#include "fuzzcheck.h"
#include "selection/order/ordersummary.h"
#include "selection/order/printfit.h"

#include <QByteArray>
#include <QRect>
#include <QStringList>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

// What print fit promises for any size text and copies text a project may
// hold, at any pixel size.
QString checkPrintFit(const QByteArray& bytes) {
    if (bytes.size() < 4)
        return {};
    const auto byte = [&](int i) { return static_cast<unsigned char>(bytes[i]); };
    const QSize pixels(1 + (byte(0) << 8 | byte(1)), 1 + (byte(2) << 8 | byte(3)));
    const QStringList lines = QString::fromUtf8(bytes.mid(4)).split(QLatin1Char('\n'));
    QList<FitRow> rows;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        const QString& size = lines[i];
        rows.append({QStringLiteral("/p/a.jpg"), lines[i + 1], size, pixels});
        if (rowTip(rows.last()).isEmpty())
            return QStringLiteral("an empty row tip");
        const std::optional<PrintSize> print = parsePrintSize(size);
        if (!print)
            continue;
        if (!(print->shortSide() > 0) || !std::isfinite(print->longSide()))
            return QStringLiteral("a side that is not a positive number");
        const PrintFit fit = printFit(pixels, *print);
        if (!std::isfinite(fit.cutShare) || fit.cutShare < 0 || fit.cutShare > 1)
            return QStringLiteral("a cut share outside 0 to 1");
        if (std::isnan(fit.ppi) || fit.ppi < 0 || fit.rating != ratePpi(fit.ppi))
            return QStringLiteral("a ppi that is not a number, or rated wrong");
        const QRect box(0, 0, 113, 89);
        const QRect part = printedPart(pixels, *print, box.size());
        if (!part.isEmpty() && !box.contains(part))
            return QStringLiteral("a printed part outside the box");
    }
    const OrderSummary summary = summarizeOrder(rows, {QStringLiteral("10x15")});
    if (summary.photos + summary.kept != rows.size() || summary.prints < 0)
        return QStringLiteral("a summary that does not add up");
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzzRequire(checkPrintFit(bytes));
    return 0;
}

#include "selection/order/ordersummary.h"

#include "selection/order/gridrow.h"
#include "selection/order/printfit.h"

#include <QTextDocument>

#include <limits>

namespace {

QString count(qint64 n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QString pixelsText(QSize pixels) {
    return QStringLiteral("%1 x %2 pixels").arg(pixels.width()).arg(pixels.height());
}

QString sizeName(const QString& size) {
    return size.isEmpty() ? QStringLiteral("(no size)") : size;
}

qint64 addUp(qint64 sum, qint64 more) {
    return sum > std::numeric_limits<qint64>::max() - more ? std::numeric_limits<qint64>::max()
                                                           : sum + more;
}

QStringList reasonsFor(const FitRow& row) {
    QStringList reasons;
    if (!wholeCopies(row.copies))
        reasons << QStringLiteral("copies \"%1\" are not a whole number").arg(row.copies);
    if (row.missing)
        return reasons << QStringLiteral("the photo is missing");
    if (row.pixels.isEmpty())
        return reasons << QStringLiteral("the photo cannot be loaded");
    const std::optional<PrintSize> print = paperShape(row.size);
    if (!print)
        return reasons;
    if (!row.framing.isDefault()) {
        // The cut is the user's own choice: only the print's sharpness is
        // left to look at.
        const FramedFit fit = framedFit(row.pixels, *print, row.framing);
        if (fit.rating == PrintRating::Low)
            reasons
                << QStringLiteral("prints low at %1 (%2 ppi)").arg(row.size).arg(shownPpi(fit.ppi));
        return reasons;
    }
    const PrintFit fit = printFit(row.pixels, *print);
    if (fit.rating == PrintRating::Low)
        reasons << QStringLiteral("prints low at %1 (%2 ppi)").arg(row.size).arg(shownPpi(fit.ppi));
    if (fit.cutShare > kMaxCutShare)
        reasons << QStringLiteral("loses %1 % to the cut at %2")
                       .arg(shownCutPercent(fit.cutShare))
                       .arg(row.size);
    return reasons;
}

} // namespace

QString rowTip(const FitRow& row) {
    QStringList parts{row.file};
    if (row.missing)
        return (parts << QStringLiteral("the photo is missing")).join(QStringLiteral(" - "));
    if (row.pixels.isEmpty())
        return (parts << QStringLiteral("the photo cannot be loaded")).join(QStringLiteral(" - "));
    parts << pixelsText(row.pixels);
    if (const std::optional<PrintSize> print = paperShape(row.size))
        parts << QStringLiteral("at %1: %2")
                     .arg(row.size, row.framing.isDefault()
                                        ? fitText(printFit(row.pixels, *print))
                                        : framedFitText(framedFit(row.pixels, *print, row.framing),
                                                        row.framing));
    return parts.join(QStringLiteral(" - "));
}

QString sizeListTip(QSize pixels, const QStringList& sizes) {
    if (pixels.isEmpty())
        return QStringLiteral("The photo cannot be loaded, so its print fit is not known.");
    QStringList lines;
    for (const QString& size : sizes)
        if (const std::optional<PrintSize> print = parsePrintSize(size))
            lines << QStringLiteral("%1: %2").arg(size, ppiText(printFit(pixels, *print)));
    return lines.join(QLatin1Char('\n'));
}

OrderSummary summarizeOrder(const QList<FitRow>& rows, const QStringList& listSizes) {
    OrderSummary out;
    for (const QString& size : listSizes)
        out.sizes.append({size, 0});
    QList<bool> used(listSizes.size(), false);
    for (int i = 0; i < rows.size(); ++i) {
        const FitRow& row = rows[i];
        if (!isListed(row.copies)) {
            ++out.kept;
            continue;
        }
        ++out.photos;
        qsizetype at = listSizes.indexOf(row.size);
        if (at < 0) {
            for (at = listSizes.size(); at < out.sizes.size(); ++at)
                if (out.sizes[at].size == row.size)
                    break;
            if (at == out.sizes.size()) {
                out.sizes.append({row.size, 0});
                used.append(false);
            }
        }
        used[at] = true;
        if (const std::optional<qint64> copies = wholeCopies(row.copies)) {
            out.sizes[at].prints = addUp(out.sizes[at].prints, *copies);
            out.prints = addUp(out.prints, *copies);
        }
        if (const QStringList reasons = reasonsFor(row); !reasons.isEmpty())
            out.looks.append({i + 1, reasons.join(QStringLiteral("; "))});
    }
    // Sizes nobody ordered say nothing.
    for (qsizetype i = out.sizes.size() - 1; i >= 0; --i)
        if (!used[i])
            out.sizes.removeAt(i);
    return out;
}

QStringList summaryHead(const OrderSummary& summary) {
    QStringList lines;
    for (const SizePrints& size : summary.sizes)
        lines << QStringLiteral("%1: %2").arg(sizeName(size.size),
                                              count(size.prints, "print", "prints"));
    lines << QStringLiteral("%1, %2").arg(count(summary.photos, "photo", "photos"),
                                          count(summary.prints, "print", "prints"));
    if (summary.kept > 0)
        lines << QStringLiteral("%1 kept, not printed").arg(count(summary.kept, "row", "rows"));
    return lines;
}

QString lookText(const LookAt& look) {
    return QStringLiteral("Row %1: %2").arg(look.row).arg(look.reasons);
}

QString summaryText(const OrderSummary& summary) {
    QStringList lines = summaryHead(summary);
    if (summary.looks.isEmpty()) {
        lines << QStringLiteral("Nothing needs a look.");
    } else {
        lines << QStringLiteral("Needs a look:");
        for (const LookAt& look : summary.looks)
            lines << lookText(look);
    }
    return lines.join(QLatin1Char('\n'));
}

QString plainTip(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNoWrap) : text;
}

#include "benchtable.h"

#include <QStringList>

#include <algorithm>

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

namespace {

QString fixed(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}

QString met(const FlowRuns& f, double ratio) {
    if (f.goalMs > 0)
        return median(f.flowMs) < f.goalMs ? QStringLiteral("yes") : QStringLiteral("NO");
    if (f.goalRatio <= 0)
        return QStringLiteral("-");
    return ratio <= f.goalRatio ? QStringLiteral("yes") : QStringLiteral("NO");
}

} // namespace

QString benchTable(const std::vector<FlowRuns>& flows, const std::vector<MemoryRun>& memory) {
    QStringList lines;
    lines << QStringLiteral("| flow | runs | ratio median | min | max | goal | flow ms | "
                            "reference ms | met |")
          << QStringLiteral("|---|---|---|---|---|---|---|---|---|");
    for (const FlowRuns& f : flows) {
        std::vector<double> ratios;
        for (std::size_t i = 0; i < f.flowMs.size() && i < f.referenceMs.size(); ++i)
            ratios.push_back(f.referenceMs[i] > 0 ? f.flowMs[i] / f.referenceMs[i] : 0);
        if (ratios.empty())
            continue;
        const double mid = median(ratios);
        const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
        lines << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 | %8 | %9 |")
                     .arg(f.flow)
                     .arg(ratios.size())
                     .arg(fixed(mid, 3), fixed(*low, 3), fixed(*high, 3), f.goal,
                          fixed(median(f.flowMs), 1), fixed(median(f.referenceMs), 1),
                          met(f, f.byWorst ? *high : mid));
    }
    for (const MemoryRun& m : memory)
        lines << QStringLiteral("| %1 | 1 | %2 MB peak | | | %3 | | | %4 |")
                     .arg(m.flow, m.peakMb < 0 ? QStringLiteral("?") : fixed(m.peakMb, 1), m.goal,
                          m.peakMb < 0           ? QStringLiteral("?")
                          : m.peakMb <= m.goalMb ? QStringLiteral("yes")
                                                 : QStringLiteral("NO"));
    return lines.join(QLatin1Char('\n'));
}

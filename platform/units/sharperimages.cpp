#include "platform/units/sharperimages.h"

QImage imageForRatio(const QImage& base, const QList<QImage>& sharper, qreal ratio) {
    const QImage* best = &base;
    for (const QImage& image : sharper) {
        const qreal own = image.devicePixelRatio();
        const qreal chosen = best->devicePixelRatio();
        // Larger than the screen needs is scaled down, which keeps it sharp;
        // smaller is only taken while nothing large enough exists.
        const bool enough = own >= ratio;
        const bool chosenEnough = chosen >= ratio;
        if (enough ? (!chosenEnough || own < chosen) : (!chosenEnough && own > chosen))
            best = &image;
    }
    return *best;
}

#include "selection/order/gridrow.h"

bool isListed(const QString& copies) {
    return copies != QStringLiteral("0");
}

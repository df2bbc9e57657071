#include "app/core/samplelayout.h"

#include "app/core/devicesampling.h"
#include "app/core/previewgeometry.h"
#include "app/core/sampling.h"
#include "platform/units/rounding.h"

SampleGrid thumbnailGrid(QSize upright) {
    return sampledGrid(upright, kThumbWidth, kThumbHeight);
}

SampleGrid previewGrid(QSize upright) {
    const PreviewSize size = previewSize(upright.width(), upright.height());
    return joined(sampledGrid(upright, size.width, size.height), thumbnailGrid(upright));
}

SampleGrid boxGrid(QSize upright, QSize box) {
    return sampledGrid(upright, roundToInt16(box.width()), roundToInt16(box.height()));
}

SampleLayout thumbnailLayout(double ratio) {
    if (ratio <= 1)
        return thumbnailGrid;
    return [ratio](QSize upright) {
        return joined(thumbnailGrid(upright),
                      boxGrid(upright, deviceSize(QSize(kThumbWidth, kThumbHeight), ratio)));
    };
}

SampleLayout previewLayout(double ratio) {
    if (ratio <= 1)
        return previewGrid;
    return [ratio](QSize upright) {
        const PreviewSize size = previewSize(upright.width(), upright.height(), ratio);
        return joined(previewGrid(upright), sampledGrid(upright, size.width, size.height));
    };
}

SampleLayout boxLayout(QSize box, double ratio) {
    if (ratio <= 1)
        return [box](QSize upright) { return boxGrid(upright, box); };
    return [box, ratio](QSize upright) {
        return joined(boxGrid(upright, box), boxGrid(upright, deviceSize(box, ratio)));
    };
}

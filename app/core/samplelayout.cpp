#include "app/core/samplelayout.h"

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

SampleLayout thumbnailLayout() {
    return thumbnailGrid;
}

SampleLayout previewLayout() {
    return previewGrid;
}

SampleLayout boxLayout(QSize box) {
    return [box](QSize upright) { return boxGrid(upright, box); };
}

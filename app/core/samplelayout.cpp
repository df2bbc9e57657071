#include "app/core/samplelayout.h"

#include "app/core/boxfit.h"
#include "app/core/devicesampling.h"
#include "app/core/previewgeometry.h"
#include "app/core/sampling.h"
#include "platform/units/rounding.h"

SampleGrid thumbnailGrid(QSize upright) {
    return boxGrid(upright, QSize(kThumbWidth, kThumbHeight));
}

SampleGrid previewGrid(QSize upright) {
    const PreviewSize size = previewSize(upright.width(), upright.height());
    return joined(sampledGrid(upright, size.width, size.height), thumbnailGrid(upright));
}

SampleGrid boxGrid(QSize upright, QSize box) {
    const QSize drawn = fittedSize(upright, box);
    return sampledGrid(upright, roundToInt16(drawn.width()), roundToInt16(drawn.height()));
}

namespace {

// The thumbnail as drawn at the device's pixels, beside the designed one.
SampleGrid sharpThumbnailGrid(QSize upright, double ratio) {
    return joined(thumbnailGrid(upright),
                  boxGrid(upright, deviceSize(QSize(kThumbWidth, kThumbHeight), ratio)));
}

} // namespace

SampleLayout thumbnailLayout(double ratio) {
    if (ratio <= 1)
        return thumbnailGrid;
    return [ratio](QSize upright) { return sharpThumbnailGrid(upright, ratio); };
}

SampleLayout previewLayout(double ratio) {
    if (ratio <= 1)
        return previewGrid;
    // The sharp thumbnail too, so that adding the photo previewed reads
    // nothing again, as at 1x.
    return [ratio](QSize upright) {
        const PreviewSize size = previewSize(upright.width(), upright.height(), ratio);
        return joined(joined(previewGrid(upright), sampledGrid(upright, size.width, size.height)),
                      sharpThumbnailGrid(upright, ratio));
    };
}

SampleLayout boxLayout(QSize box, double ratio) {
    if (ratio <= 1)
        return [box](QSize upright) { return boxGrid(upright, box); };
    return [box, ratio](QSize upright) {
        return joined(boxGrid(upright, box), boxGrid(upright, deviceSize(box, ratio)));
    };
}

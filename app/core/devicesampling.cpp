#include "app/core/devicesampling.h"

#include "app/core/boxfit.h"
#include "platform/units/rounding.h"

#include <QPainter>

int deviceLength(int logical, double ratio) {
    return roundToInt16(logical * ratio);
}

QSize deviceSize(QSize logical, double ratio) {
    return QSize(deviceLength(logical.width(), ratio), deviceLength(logical.height(), ratio));
}

QPoint centredOrigin(int width, int height) {
    return QPoint(std::max(0, height - width) / 2, std::max(0, width - height) / 2);
}

QImage previewAtRatio(const QImage& pixels, QSize trueSize, const SampleGrid& kept, double ratio,
                      QRgb background) {
    const int side = deviceLength(kPreviewSide, ratio);
    QImage drawn(side, side, QImage::Format_RGB32);
    drawn.fill(background);
    const PreviewSize size = previewSize(trueSize.width(), trueSize.height(), ratio);
    const Samples samples = samplePicture(pixels, trueSize, kept, size.width, size.height);
    if (!samples.block.isNull()) {
        QPainter painter(&drawn);
        painter.drawImage(centredOrigin(size.width, size.height), samples.block);
    }
    drawn.setDevicePixelRatio(ratio);
    return drawn;
}

QImage sampledAtRatio(const QImage& pixels, QSize trueSize, const SampleGrid& kept, QSize box,
                      double ratio) {
    const QSize device = deviceSize(box, ratio);
    QImage drawn = fittedDrawing(sampleFitted(pixels, trueSize, kept, device), device);
    drawn.setDevicePixelRatio(ratio);
    return drawn;
}

#include "selection/dialogs/photorow.h"

#include "app/core/boxfit.h"
#include "app/core/sampling.h"
#include "app/drawing/thumbnail.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/picturebox.h"
#include "platform/files/picturefile.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordermodel.h"
#include "selection/order/photopixels.h"

namespace {

// The samples of a photo of any shape as a drawing that fills the 40 x 30
// box, so that the scaler lays it over the whole of what Image12 showed.
Samples inThumbnailBox(const Samples& samples) {
    const QSize box(kThumbWidth, kThumbHeight);
    return {fittedDrawing(samples, box), box};
}

} // namespace

RowPicture drawRowThumbnail(OrderView& c, const QString& path) {
    return drawRowThumbnail(c, photoThumbnail(path));
}

RowPicture drawRowThumbnail(OrderView& c, const PhotoThumbnail& thumb) {
    if (!thumb.ok())
        return {{}, {}, thumb.error};
    // The loader holds the photo last decoded; kept samples need no decode.
    if (thumb.picture.ok())
        c.Image10.setPicture(thumb.picture.image, thumb.picture.fullSize, thumb.picture.kept);
    drawPlainThumbnail(inThumbnailBox(thumb.samples), kThumbWidth, kThumbHeight, c.Image12);
    return {c.Image12.Picture(), thumb.pixels, {}};
}

RowPicture drawRowThumbnail(OrderView& c, const PictureRead& picture, Samples* samples) {
    c.Image10.setPicture(picture.image, picture.fullSize, picture.kept);
    const Samples drawn =
        sampleFitted(c.Image10.Image(), QSize(c.Image10.ScaleWidth(), c.Image10.ScaleHeight()),
                     c.Image10.keptGrid(), QSize(kThumbWidth, kThumbHeight));
    thumbnail(inThumbnailBox(drawn), kThumbWidth, kThumbHeight, c.Image12, false, {c.File1});
    c.Image12.hide();
    if (samples)
        *samples = drawn;
    return {c.Image12.Picture(), photoPixelSize(picture), {}};
}

OrderRow newPhotoRow(const QString& file, const RowPicture& picture) {
    return {file,
            QStringLiteral("1"),
            QStringLiteral("10x15"),
            picture.thumbnail,
            {},
            picture.ok() ? picture.pixels : QSize()};
}

void showLastRowCurrent(OrderView& c) {
    c.MSFlexGrid1.setRow(c.MSFlexGrid1.Rows() - 1);
    c.MSFlexGrid1.setCol(ColPath);
}

void scrollToLastRowIfNeeded(OrderView& c) {
    if (c.order.count() > 9)
        c.MSFlexGrid1.sendMessage(FlexGrid::WM_VSCROLL, FlexGrid::SB_BOTTOM, 0);
}

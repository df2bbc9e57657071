#include "selectionrules.h"

#include "flexgrid.h"
#include "picturebox.h"
#include "picturefile.h"
#include "sampling.h"
#include "thumbnail.h"

#include <QGroupBox>

QString frameCaption(std::int16_t count) {
    if (count == 1)
        return QStringLiteral("1 Photo Selected");
    // The number is formatted with a place for its sign, a blank when positive.
    const QString number =
        count < 0 ? QString::number(count) : QLatin1Char(' ') + QString::number(count);
    return number + QStringLiteral(" Photos Selected");
}

void showCount(SelectionControls& c, std::int16_t count) {
    c.Frame4.setTitle(frameCaption(count));
}

QString solo_file(const QString& path) {
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? path : path.mid(slash + 1);
}

QString setRowThumbnail(SelectionControls& c, const QString& path) {
    return setRowThumbnail(c, photoThumbnail(path));
}

QSize setRowThumbnail(SelectionControls& c, const QString& path, QStringList& problems) {
    const PhotoThumbnail thumb = photoThumbnail(path);
    const QString error = setRowThumbnail(c, thumb);
    if (!error.isEmpty()) {
        problems << QStringLiteral("%1: %2").arg(path, error);
        return {};
    }
    return thumb.pixels;
}

QString setRowThumbnail(SelectionControls& c, const PhotoThumbnail& thumb) {
    if (!thumb.ok()) {
        c.MSFlexGrid1.setCellPicture(QImage());
        return thumb.error;
    }
    // The loader holds the photo last decoded; kept samples need no decode.
    if (thumb.picture.ok())
        c.Image10.setPicture(thumb.picture.image, thumb.picture.fullSize);
    drawPlainThumbnail(thumb.samples, kThumbWidth, kThumbHeight, c.Image12);
    c.MSFlexGrid1.setCellPicture(c.Image12.Picture());
    c.MSFlexGrid1.setCellPictureAlignment(1);
    return {};
}

Samples setRowThumbnail(SelectionControls& c, const PictureRead& picture) {
    c.Image10.setPicture(picture.image, picture.fullSize);
    const Samples samples =
        samplePicture(c.Image10.Image(), QSize(c.Image10.ScaleWidth(), c.Image10.ScaleHeight()),
                      kThumbWidth, kThumbHeight);
    thumbnail(samples, kThumbWidth, kThumbHeight, c.Image12, false, {c.File1, c.ProgressBar1});
    c.MSFlexGrid1.setCellPicture(c.Image12.Picture());
    c.MSFlexGrid1.setCellPictureAlignment(1);
    c.Image12.hide();
    return samples;
}

void scrollToLastRowIfNeeded(SelectionControls& c, std::int16_t count) {
    if (count > 9)
        c.MSFlexGrid1.sendMessage(FlexGrid::WM_VSCROLL, FlexGrid::SB_BOTTOM, 0);
}

#include "selection/dialogs/photorow.h"

#include "selection/order/gridrow.h"
#include "selection/order/ordertexts.h"

#include "app/core/sampling.h"
#include "app/drawing/thumbnail.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/picturebox.h"
#include "platform/desktop/messagetext.h"
#include "platform/files/picturefile.h"
#include "selection/order/pathnames.h"
#include "selection/order/photopixels.h"
#include "selection/order/selectionlist.h"

#include <QGroupBox>

void showCount(SelectionControls& c, std::int16_t count) {
    c.Frame4.setTitle(frameCaption(count));
}

QString setRowThumbnail(SelectionControls& c, const QString& path) {
    return setRowThumbnail(c, photoThumbnail(path));
}

QSize setRowThumbnail(SelectionControls& c, const QString& path, QStringList& problems) {
    const PhotoThumbnail thumb = photoThumbnail(path);
    const QString error = setRowThumbnail(c, thumb);
    if (!error.isEmpty()) {
        problems << QStringLiteral("%1: %2").arg(shortName(path), error);
        return {};
    }
    return thumb.pixels;
}

namespace {
// The row being drawn keeps its photo's size, for print fit.
void keepRowPixels(SelectionControls& c, QSize pixels) {
    if (SelectionEntry* entry = c.list.entry(c.MSFlexGrid1.Row()))
        entry->pixels = pixels;
}
} // namespace

QString setRowThumbnail(SelectionControls& c, const PhotoThumbnail& thumb) {
    keepRowPixels(c, thumb.ok() ? thumb.pixels : QSize());
    if (!thumb.ok()) {
        c.MSFlexGrid1.setCellPicture(QImage());
        return thumb.error;
    }
    // The loader holds the photo last decoded; kept samples need no decode.
    if (thumb.picture.ok())
        c.Image10.setPicture(thumb.picture.image, thumb.picture.fullSize, thumb.picture.kept);
    drawPlainThumbnail(thumb.samples, kThumbWidth, kThumbHeight, c.Image12);
    c.MSFlexGrid1.setCellPicture(c.Image12.Picture());
    c.MSFlexGrid1.setCellPictureAlignment(1);
    return {};
}

Samples setRowThumbnail(SelectionControls& c, const PictureRead& picture) {
    keepRowPixels(c, photoPixelSize(picture));
    c.Image10.setPicture(picture.image, picture.fullSize, picture.kept);
    const Samples samples =
        samplePicture(c.Image10.Image(), QSize(c.Image10.ScaleWidth(), c.Image10.ScaleHeight()),
                      c.Image10.keptGrid(), kThumbWidth, kThumbHeight);
    thumbnail(samples, kThumbWidth, kThumbHeight, c.Image12, false, {c.File1});
    c.MSFlexGrid1.setCellPicture(c.Image12.Picture());
    c.MSFlexGrid1.setCellPictureAlignment(1);
    c.Image12.hide();
    return samples;
}

void beginPhotoRow(SelectionControls& c, const QString& file) {
    SelectionList& list = c.list;
    ++list.count;
    SelectionEntry& entry = *list.entry(list.count);
    entry.file = file;
    entry.size = QStringLiteral("10x15");
    entry.copies = QStringLiteral("1");

    FlexGrid& grid = c.MSFlexGrid1;
    grid.setRows(grid.Rows() + 1);
    grid.setRow(grid.Rows() - 1);
    grid.setRowHeight(grid.Row(), kDataRowTwips);

    grid.setCol(ColFile);
    grid.setWordWrap(true);
    grid.setText(file);

    grid.setCol(ColPhoto);
}

void endPhotoRow(SelectionControls& c, const QString& file) {
    FlexGrid& grid = c.MSFlexGrid1;
    grid.setCol(ColCopies);
    grid.setText(QStringLiteral("1"));
    grid.setCol(ColSize);
    grid.setText(QStringLiteral("10x15"));

    showCount(c, c.list.count);

    grid.setCol(ColPath);
    grid.setText(file);

    scrollToLastRowIfNeeded(c, c.list.count);
}

void scrollToLastRowIfNeeded(SelectionControls& c, std::int16_t count) {
    if (count > 9)
        c.MSFlexGrid1.sendMessage(FlexGrid::WM_VSCROLL, FlexGrid::SB_BOTTOM, 0);
}

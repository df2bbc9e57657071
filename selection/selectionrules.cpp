#include "selectionrules.h"

#include "flexgrid.h"
#include "picturebox.h"
#include "picturefile.h"
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
    const PictureRead read = readPictureFile(path);
    if (!read.ok()) {
        c.MSFlexGrid1.setCellPicture(QImage());
        return read.error;
    }
    setRowThumbnail(c, read.image);
    return {};
}

void setRowThumbnail(SelectionControls& c, const QString& path, QStringList& problems) {
    const QString error = setRowThumbnail(c, path);
    if (!error.isEmpty())
        problems << QStringLiteral("%1: %2").arg(path, error);
}

void setRowThumbnail(SelectionControls& c, const QImage& picture) {
    c.Image10.setPicture(picture);
    thumbnail(40, 30, c.Image10, c.Image12, false, {c.File1, c.ProgressBar1});
    c.MSFlexGrid1.setCellPicture(c.Image12.Picture());
    c.MSFlexGrid1.setCellPictureAlignment(1);
    c.Image12.hide();
}

void scrollToLastRowIfNeeded(SelectionControls& c, std::int16_t count) {
    if (count > 9)
        c.MSFlexGrid1.sendMessage(FlexGrid::WM_VSCROLL, FlexGrid::SB_BOTTOM, 0);
}

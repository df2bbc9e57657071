#include "selection/flows/orderhandlers.h"

#include "selection/flows/ordercontroller.h"

#include "app/core/browse.h"
#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/picturebox.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "platform/files/picturecache.h"
#include "selection/dialogs/photorow.h"
#include "selection/dialogs/props.h"
#include "selection/order/gridrow.h"
#include "selection/order/ordermodel.h"
#include "selection/order/ordertexts.h"
#include "selection/order/photopixels.h"
#include "selection/order/selectionlist.h"

#include "app/drawing/thumbnail.h"

void OrderController::add_photo(int origin) {
    OrderController& c = *this;
    if (c.view.Image10.PictureHandle() == 0)
        return;
    // The click before the double click has said why this name cannot be used.
    if (origin == 0 && !c.view.File1.FileNameUsable())
        return;
    const QString file =
        origin == 0 ? fullPath(c.view.File1.Path(), c.view.File1.FileName()) : c.current_file;
    if (list.isFull()) {
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The selection is full: %1 photos are the most it can hold, so %2 "
                            "was not added.")
                 .arg(SelectionList::kMaxPhotos)
                 .arg(shortName(file)));
        return;
    }
    // Read before anything changes, so a bad file leaves the list and the
    // grid as they were. The photo just previewed is still in memory.
    const std::optional<FileKey> key = fileKey(file);
    const PictureRead picture = PictureCache::shared().read(file, thumbnailLayout());
    if (!picture.ok()) {
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("The photo %1 cannot be added: %2.")
                 .arg(shortName(file), picture.error));
        return;
    }
    c.current_file = file;
    Samples samples;
    const RowPicture thumbnail = drawRowThumbnail(c.view, picture, &samples);
    if (key)
        keepThumbnail(*key, samples, photoPixelSize(picture));
    c.order.addRows({newPhotoRow(file, thumbnail)}, addingName(1));
    showLastRowCurrent(c.view);
    scrollToLastRowIfNeeded(c.view);
    c.view.File1.setFocus();
}

void leaveEditedRow(OrderController& c) {
    FlexGrid& grid = c.view.MSFlexGrid1;
    // A removal may have moved the current row.
    if (grid.Row() < 1 || grid.Row() > c.order.count())
        return;
    c.list.edit_row = static_cast<std::int16_t>(grid.Row());
    // The design's copy back of the row's cells ends on its copies.
    grid.setCol(ColCopies);
}

void MSFlexGrid1_Click(OrderController& c) {
    const int row = c.view.MSFlexGrid1.Row();
    if (row < 1 || row > c.order.count())
        return;
    c.list.edit_row = static_cast<std::int16_t>(row);
    Props props(c.view);
    props.startFraming(c.order.rows()[row - 1].framing);
    props.exec();
    leaveEditedRow(c);
    // Remove has made its own change.
    if (props.outcome() != Props::Outcome::Ok)
        return;
    OrderRow edited = c.order.rows()[row - 1];
    edited.copies = props.chosenCopies();
    edited.size = props.chosenSize();
    edited.framing = props.chosenFraming();
    c.order.changeRows({{row - 1, edited}}, changingName(1));
}

#include "selection/flows/orderhandlers.h"

#include "app/core/browse.h"
#include "platform/controls/filelist.h"
#include "platform/controls/flexgrid.h"
#include "platform/controls/picturebox.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "platform/files/picturecache.h"
#include "selection/dialogs/photorow.h"
#include "selection/dialogs/props.h"
#include "selection/flows/orderundo.h"
#include "selection/order/gridrow.h"
#include "selection/order/photopixels.h"
#include "selection/order/selectionlist.h"

void add_photo(SelectionControls& c, int origin) {
    if (c.Image10.PictureHandle() == 0)
        return;
    // The click before the double click has said why this name cannot be used.
    if (origin == 0 && !c.File1.FileNameUsable())
        return;
    const QString file =
        origin == 0 ? fullPath(c.File1.Path(), c.File1.FileName()) : c.current_file;
    SelectionList& list = c.list;
    if (list.isFull()) {
        tell(c.dialogs, &c.window,
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
        tell(c.dialogs, &c.window,
             QStringLiteral("The photo %1 cannot be added: %2.")
                 .arg(shortName(file), picture.error));
        return;
    }
    c.current_file = file;
    const OrderState before = currentOrder(c);

    beginPhotoRow(c, c.current_file);
    const Samples samples = setRowThumbnail(c, picture);
    if (key)
        keepThumbnail(*key, samples, photoPixelSize(picture));
    endPhotoRow(c, c.current_file);

    recordOrderChange(c, addingName(1), before);
    c.File1.setFocus();
}

void MSFlexGrid1_Click(SelectionControls& c) {
    FlexGrid& grid = c.MSFlexGrid1;
    if (grid.Row() <= 0 || !c.list.entry(grid.Row()))
        return;
    c.list.edit_row = static_cast<std::int16_t>(grid.Row());
    const OrderState before = currentOrder(c);
    {
        Props props(c);
        props.exec();
    }
    copyBackCurrentRow(c);
    // Whatever the editor did, it is one step.
    const bool removed = grid.Rows() - 1 < before.rows.size();
    recordOrderChange(c, removed ? removingName(1) : changingName(1), before);
}

void copyBackCurrentRow(SelectionControls& c) {
    FlexGrid& grid = c.MSFlexGrid1;
    // A removal may have moved the current row.
    SelectionEntry* entry = c.list.entry(grid.Row());
    if (!entry)
        return;
    c.list.edit_row = static_cast<std::int16_t>(grid.Row());
    grid.setCol(ColFile);
    entry->file = grid.Text();
    grid.setCol(ColSize);
    entry->size = grid.Text();
    grid.setCol(ColCopies);
    entry->copies = grid.Text();
}

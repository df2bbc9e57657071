#include "orderactions.h"

#include "browse.h"
#include "dialogs.h"
#include "filelist.h"
#include "flexgrid.h"
#include "photopixels.h"
#include "picturebox.h"
#include "picturecache.h"
#include "props.h"
#include "selectionlist.h"
#include "selectionrules.h"

void add_photo(SelectionControls& c, int origin) {
    if (c.Image10.PictureHandle() == 0)
        return;
    const QString file =
        origin == 0 ? fullPath(c.File1.Path(), c.File1.FileName()) : c.current_file;
    SelectionList& list = c.list;
    if (list.isFull()) {
        tell(c.dialogs, &c.window,
             QStringLiteral("The selection is full: %1 photos are the most it can hold, so %2 "
                            "was not added.")
                 .arg(SelectionList::kMaxPhotos)
                 .arg(file));
        return;
    }
    // Read before anything changes, so a bad file leaves the list and the
    // grid as they were. The photo just previewed is still in memory.
    const std::optional<FileKey> key = fileKey(file);
    const PictureRead picture = PictureCache::shared().read(file, thumbnailDecodeSize());
    if (!picture.ok()) {
        tell(c.dialogs, &c.window,
             QStringLiteral("The photo %1 cannot be added: %2.").arg(file, picture.error));
        return;
    }
    c.current_file = file;

    ++list.count;
    SelectionEntry& entry = *list.entry(list.count);
    entry.file = c.current_file;
    entry.size = QStringLiteral("10x15");
    entry.copies = QStringLiteral("1");
    entry.pixels = photoPixelSize(picture);

    FlexGrid& grid = c.MSFlexGrid1;
    grid.setRows(grid.Rows() + 1);
    grid.setRow(grid.Rows() - 1);
    grid.setRowHeight(grid.Row(), kDataRowTwips);

    grid.setCol(ColFile);
    grid.setWordWrap(true);
    grid.setText(c.current_file);

    grid.setCol(ColPhoto);
    const Samples samples = setRowThumbnail(c, picture);
    if (key)
        keepThumbnail(*key, samples, entry.pixels);

    grid.setCol(ColCopies);
    grid.setText(QStringLiteral("1"));
    grid.setCol(ColSize);
    grid.setText(QStringLiteral("10x15"));

    showCount(c, list.count);

    grid.setCol(ColPath);
    grid.setText(c.current_file);

    scrollToLastRowIfNeeded(c, list.count);
    c.File1.setFocus();
}

void MSFlexGrid1_Click(SelectionControls& c) {
    FlexGrid& grid = c.MSFlexGrid1;
    if (grid.Row() <= 0 || !c.list.entry(grid.Row()))
        return;
    c.list.edit_row = static_cast<std::int16_t>(grid.Row());
    {
        Props props(c);
        props.exec();
    }
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

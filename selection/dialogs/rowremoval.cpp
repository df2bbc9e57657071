#include "selection/dialogs/rowremoval.h"

#include "platform/desktop/messagetext.h"
#include "selection/dialogs/photorow.h"
#include "selection/order/ordermodel.h"
#include "selection/order/ordertexts.h"
#include "selection/order/selectionlist.h"

QStringList removeEditRow(OrderView& c) {
    const int r = c.list.edit_row;
    const int n = c.order.count();
    // The row editor only opens on a data row; anything else is left alone.
    if (r < 1 || r > n)
        return {};

    // Every later photo moves up a row and gets its thumbnail again; the
    // pictures of the copies column stay where they are, as only the texts
    // and the thumbnails move.
    QStringList problems;
    OrderRows rows = c.order.rows();
    for (int i = r; i <= n - 1; ++i) {
        const OrderRow& below = c.order.rows()[i];
        OrderRow& row = rows[i - 1];
        const RowPicture picture = drawRowThumbnail(c, below.file);
        if (!picture.ok())
            problems << QStringLiteral("%1: %2").arg(shortName(below.file), picture.error);
        row.file = below.file;
        row.copies = below.copies;
        row.size = below.size;
        row.thumbnail = picture.thumbnail;
        row.pixels = picture.ok() ? picture.pixels : QSize();
    }
    rows.removeLast();
    c.order.replaceRows(rows, removingName(1));
    // The design walked the later rows; it ends on the last.
    if (r <= n - 1)
        showLastRowCurrent(c);
    return problems;
}

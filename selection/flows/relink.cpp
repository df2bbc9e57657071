#include "selection/flows/relink.h"

#include "platform/controls/flowscope.h"
#include "platform/desktop/messagetext.h"
#include "selection/dialogs/photorow.h"
#include "selection/flows/ordercontroller.h"
#include "selection/flows/thumbnailbatch.h"
#include "selection/order/ordermodel.h"
#include "selection/order/ordertexts.h"

QList<RowPath> relinkRows(OrderController& c, const QList<RowPath>& changes, QStringList* unshown) {
    const OrderModel& order = c.order;
    QList<RowPath> todo;
    for (const RowPath& change : changes)
        if (change.row >= 1 && change.row <= order.count() &&
            order.rows()[change.row - 1].file != change.path)
            todo << change;
    if (todo.isEmpty())
        return {};

    QStringList paths;
    for (const RowPath& change : todo)
        paths << change.path;
    const FlowScope flow;
    ThumbnailBatch thumbnails(paths);
    QList<RowPath> before;
    QList<std::pair<int, OrderRow>> rows;
    for (qsizetype i = 0; i < todo.size(); ++i) {
        const RowPath& change = todo[i];
        OrderRow row = order.rows()[change.row - 1];
        before << RowPath{change.row, row.file};
        const RowPicture picture = drawRowThumbnail(c.view, thumbnails.take(static_cast<int>(i)));
        if (!picture.ok() && unshown)
            *unshown << QStringLiteral("%1: %2").arg(shortName(change.path), picture.error);
        row.file = change.path;
        row.thumbnail = picture.thumbnail;
        row.pixels = picture.ok() ? picture.pixels : QSize();
        rows.append({change.row - 1, row});
    }
    // One step, so one undo puts every row back where it pointed.
    c.order.changeRows(rows, relinkingName(static_cast<int>(before.size())));
    return before;
}

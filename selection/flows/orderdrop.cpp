#include "selection/flows/orderdrop.h"

#include "selection/flows/ordercontroller.h"

#include "platform/controls/flowscope.h"
#include "platform/controls/foldertree.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "selection/flows/manyrows.h"
#include "selection/flows/openandsave.h"
#include "selection/order/photonames.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace {

bool hasSuffix(const QString& path, std::initializer_list<const char*> suffixes) {
    const QString suffix = QFileInfo(path).suffix();
    for (const char* s : suffixes)
        if (suffix.compare(QLatin1String(s), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

DroppedFiles sortDroppedFiles(const QList<QUrl>& urls) {
    DroppedFiles out;
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) {
            out.others << url.toString();
            continue;
        }
        const QString path = QDir::cleanPath(url.toLocalFile());
        const QFileInfo info(path);
        if (info.isDir()) {
            const FolderTree tree = folderTree(path, photoPatterns());
            out.photos << tree.photos;
            out.hiddenFolders += tree.hiddenFolders;
            out.unreadFolders += tree.unreadFolders;
        } else if (hasSuffix(path, {"mvl"}) && out.project.isEmpty()) {
            out.project = path;
        } else if (isPhotoName(path))
            out.photos << path;
        else
            out.others << path;
    }
    return out;
}

bool acceptsDrop(const QList<QUrl>& urls, bool onOrder) {
    for (const QUrl& url : urls) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (hasSuffix(path, {"mvl"}) || (onOrder && (isPhotoName(path) || QFileInfo(path).isDir())))
            return true;
    }
    return false;
}

void dropFiles(OrderController& c, const QList<QUrl>& urls, bool onOrder) {
    // A drop while a flow runs is taken once it ends, as a click would be.
    if (FlowScope::running()) {
        FlowScope::afterFlow(&c.view.window, [&c, urls, onOrder] { dropFiles(c, urls, onOrder); });
        return;
    }
    const DroppedFiles dropped = sortDroppedFiles(urls);
    if (!dropped.project.isEmpty()) {
        openProjectFile(c, dropped.project);
        return;
    }
    if (!onOrder)
        return;
    if (!dropped.others.isEmpty()) {
        QStringList others;
        for (const QString& path : dropped.others)
            others << shortName(path);
        tell(c.view.dialogs, &c.view.window,
             QStringLiteral("These files are not photos and were not added:\n\n%1")
                 .arg(namedLines(others)));
    }
    c.addPhotos(dropped.photos);
    tellLeftOutFolders(c, dropped.hiddenFolders, dropped.unreadFolders);
}

#pragma once

#include "platform/controls/flowwait.h"
#include "selection/dialogs/rowthumbnails.h"

#include <QFuture>
#include <QList>
#include <QMutex>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

// The thumbnails of many photos, made on worker threads in list order while
// the caller takes them one by one, in that order, on its own thread. Only the
// last photo's decoded picture is handed back; the others are dropped as soon
// as they are sampled.
class ThumbnailBatch {
public:
    using Maker = std::function<PhotoThumbnail(const QString&, const std::atomic<bool>*)>;

    // make stands in for photoThumbnail where a test needs slow or failing
    // workers.
    explicit ThumbnailBatch(const QStringList& paths, Maker make = photoThumbnail);
    // Stops the workers, each within a few rows of the photo it reads, and
    // waits for them.
    ~ThumbnailBatch();
    ThumbnailBatch(const ThumbnailBatch&) = delete;
    ThumbnailBatch& operator=(const ThumbnailBatch&) = delete;

    // Photo i's thumbnail, waited for until it is made; the window keeps
    // painting meanwhile, taking no user input (FlowWait).
    PhotoThumbnail take(int i);

private:
    void work();

    const QStringList m_paths;
    const Maker m_make;
    std::atomic<int> m_next{0};
    std::atomic<bool> m_stop{false};
    QMutex m_mutex;
    FlowWait m_made;
    std::vector<std::optional<PhotoThumbnail>> m_done;
    QThreadPool m_pool;
    QList<QFuture<void>> m_workers;
};

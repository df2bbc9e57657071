#include "selection/flows/thumbnailbatch.h"

#include <QMutexLocker>
#include <QThreadPool>
#include <QtConcurrent>

#include <algorithm>
#include <exception>

ThumbnailBatch::ThumbnailBatch(const QStringList& paths)
    : m_paths(paths), m_done(static_cast<std::size_t>(paths.size())) {
    // A pool of its own: Qt paints large pictures on the shared pool, and
    // workers that hold it for the whole batch would stall every repaint of
    // the window until the last photo is made.
    const int workers =
        std::min<int>(std::max(1, QThread::idealThreadCount()), static_cast<int>(paths.size()));
    m_pool.setMaxThreadCount(std::max(1, workers));
    // Each worker takes the next photo in turn, so they come in about the
    // order they are taken in.
    for (int i = 0; i < workers; ++i)
        m_workers << QtConcurrent::run(&m_pool, [this] { work(); });
}

ThumbnailBatch::~ThumbnailBatch() {
    m_stop = true;
    for (QFuture<void>& worker : m_workers)
        worker.waitForFinished();
}

void ThumbnailBatch::work() {
    const int last = static_cast<int>(m_paths.size()) - 1;
    for (int i = m_next++; i <= last && !m_stop; i = m_next++) {
        PhotoThumbnail thumb;
        try {
            thumb = photoThumbnail(m_paths[i], &m_stop);
        } catch (...) {
            // Whatever happens, the photo's slot is filled: the caller waits
            // on it, and nothing thrown here may reach the window's thread.
            thumb = {};
            thumb.error = QStringLiteral("there was not enough memory to load it");
        }
        if (i != last)
            thumb.picture = {};
        const QMutexLocker lock(&m_mutex);
        m_done[static_cast<std::size_t>(i)] = std::move(thumb);
        m_made.wakeAll();
    }
}

PhotoThumbnail ThumbnailBatch::take(int i) {
    auto& slot = m_done[static_cast<std::size_t>(i)];
    QMutexLocker lock(&m_mutex);
    while (!slot)
        m_made.wait(&m_mutex);
    PhotoThumbnail thumb = std::move(*slot);
    slot.reset();
    return thumb;
}

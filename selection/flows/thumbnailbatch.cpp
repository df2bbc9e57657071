#include "selection/flows/thumbnailbatch.h"

#include <QMutexLocker>
#include <QThreadPool>
#include <QtConcurrent>

#include <algorithm>
#include <exception>
#include <new>

namespace {

// Called in a catch block: what was thrown, as the reason a photo has no
// thumbnail.
QString failureReason() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return QStringLiteral("there was not enough memory to load it");
    } catch (const std::exception& e) {
        const QString what = QString::fromUtf8(e.what()).simplified();
        if (!what.isEmpty())
            return QStringLiteral("it could not be loaded (%1)").arg(what);
    } catch (...) {
    }
    return QStringLiteral("it could not be loaded (a fault the program cannot name)");
}

} // namespace

ThumbnailBatch::ThumbnailBatch(const QStringList& paths, Maker make)
    : m_paths(paths), m_make(std::move(make)), m_done(static_cast<std::size_t>(paths.size())) {
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
            thumb = m_make(m_paths[i], &m_stop);
        } catch (...) {
            // Whatever happens, the photo's slot is filled: the caller waits
            // on it, and nothing thrown here may reach the window's thread.
            thumb = {};
            thumb.error = failureReason();
        }
        if (i != last)
            thumb.picture = {};
        {
            const QMutexLocker lock(&m_mutex);
            m_done[static_cast<std::size_t>(i)] = std::move(thumb);
        }
        m_made.wake();
    }
}

PhotoThumbnail ThumbnailBatch::take(int i) {
    auto& slot = m_done[static_cast<std::size_t>(i)];
    m_made.until([&] {
        const QMutexLocker lock(&m_mutex);
        return slot.has_value();
    });
    const QMutexLocker lock(&m_mutex);
    PhotoThumbnail thumb = std::move(*slot);
    slot.reset();
    return thumb;
}

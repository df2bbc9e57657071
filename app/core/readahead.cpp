#include "app/core/readahead.h"

#include "app/core/samplelayout.h"
#include "platform/files/filekey.h"
#include "platform/files/picturecache.h"

#include <QtConcurrent/QtConcurrentRun>

namespace {

void readAhead(const QString& path, double ratio, const std::atomic<bool>& stop) {
    // Taken before reading: a file changed meanwhile is never kept as new.
    const std::optional<FileKey> key = fileKey(path);
    if (!key || PictureCache::shared().find(path, previewLayout(ratio)))
        return;
    ReadWatch watch;
    watch.stop = &stop;
    const PictureRead read = readPictureFile(path, previewLayout(ratio), watch);
    if (!stop.load())
        PictureCache::shared().keep(*key, read);
}

} // namespace

ReadAhead::ReadAhead() {
    m_pool.setMaxThreadCount(1);
}

ReadAhead::~ReadAhead() {
    drop();
}

void ReadAhead::arrive(const QString& path) {
    if (path == m_path)
        m_read.waitForFinished();
    else if (m_stop)
        m_stop->store(true);
    m_path.clear();
}

void ReadAhead::drop() {
    if (m_stop)
        m_stop->store(true);
    m_read.waitForFinished();
    m_path.clear();
    m_folder.clear();
    m_index = -1;
}

void ReadAhead::start(const QString& path) {
    if (path == m_path)
        return;
    // One in flight: the one dropped stops within a few rows.
    if (m_stop)
        m_stop->store(true);
    m_read.waitForFinished();
    m_path = path;
    m_stop = std::make_shared<std::atomic<bool>>(false);
    m_read = QtConcurrent::run(&m_pool, [path, ratio = m_ratio, stop = m_stop] {
        // Nothing thrown here may be rethrown on the window's thread, where
        // the read is waited for: a read that fails is simply not kept.
        try {
            readAhead(path, ratio, *stop);
        } catch (...) {
        }
    });
}

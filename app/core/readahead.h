#pragma once

#include <QFuture>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <memory>

// Reads the next photo on a worker thread while the user looks at a preview,
// so that stepping on shows it from what was kept (PictureCache::shared()).
// At most one read is in flight; it is dropped when the user goes elsewhere.
class ReadAhead {
public:
    ReadAhead();
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Before previewing path: a read of path in flight is waited for, as it is
    // further on than a fresh one; any other is dropped.
    void arrive(const QString& path);
    // After previewing entry index of the count entries of folder: reads the
    // next one in the direction the user last moved (forward at first and in
    // a new folder). nameAt gives an entry's full path.
    template <typename NameAt>
    void previewed(const QString& folder, int index, int count, NameAt nameAt) {
        if (folder != m_folder) {
            m_folder = folder;
            m_step = 1;
        } else if (index != m_index && m_index >= 0) {
            m_step = index > m_index ? 1 : -1;
        }
        m_index = index;
        const int next = index + m_step;
        if (next >= 0 && next < count)
            start(nameAt(next));
    }
    // The device pixel ratio previews are read for (previewLayout).
    void setRatio(double ratio) { m_ratio = ratio; }
    // Stops what is in flight and forgets the folder.
    void drop();
    // The path read or being read ahead; empty when none.
    const QString& path() const { return m_path; }

private:
    void start(const QString& path);

    QString m_folder;
    int m_index = -1;
    int m_step = 1;
    double m_ratio = 1;
    QString m_path;
    // Its own thread, not Qt's shared pool, which painting needs.
    QThreadPool m_pool;
    QFuture<void> m_read;
    std::shared_ptr<std::atomic<bool>> m_stop;
};

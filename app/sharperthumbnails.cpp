#include "app/sharperthumbnails.h"

#include "app/core/devicesampling.h"
#include "app/core/samplelayout.h"
#include "platform/controls/flexgrid.h"
#include "platform/files/picturecache.h"

#include <QCoreApplication>
#include <QTimer>

SharperThumbnails::SharperThumbnails(FlexGrid& grid, int pictureCol, int pathCol)
    : QObject(&grid), m_grid(grid), m_pictureCol(pictureCol), m_pathCol(pathCol) {
    m_pool.setMaxThreadCount(1);
    connect(&grid, &FlexGrid::cellPictureChanged, this, &SharperThumbnails::noteChanged);
}

SharperThumbnails::~SharperThumbnails() {
    m_pool.clear();
    m_pool.waitForDone();
}

void SharperThumbnails::noteChanged(int row, int col) {
    if (col != m_pictureCol || m_grid.devicePixelRatioF() <= 1)
        return;
    m_pendingRows.insert(row);
    // The row's path may be written after its picture: looked at once the
    // handler that set it is done.
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &SharperThumbnails::readPending);
    }
}

void SharperThumbnails::readPending() {
    m_scheduled = false;
    const double ratio = m_grid.devicePixelRatioF();
    const QSet<int> rows = std::exchange(m_pendingRows, {});
    for (int row : rows) {
        const QImage picture = m_grid.CellPictureAt(row, m_pictureCol);
        if (picture.isNull())
            continue;
        const qint64 key = picture.cacheKey();
        if (const auto made = m_made.constFind(key); made != m_made.constEnd()) {
            m_grid.setCellSharperPicture(row, m_pictureCol, *made);
            continue;
        }
        const QString path = m_grid.TextMatrix(row, m_pathCol);
        if (path.isEmpty() || m_reading.contains(key))
            continue;
        m_reading.insert(key);
        const QSize box = picture.size();
        m_pool.start([this, path, box, ratio, key] {
            QImage drawing;
            try {
                // The photo just previewed is in memory already.
                const PictureRead read = PictureCache::shared().read(path, thumbnailLayout(ratio));
                if (read.ok())
                    drawing = sampledAtRatio(read.image, read.fullSize, read.kept, box, ratio);
            } catch (...) {
                // A photo that cannot be read keeps its designed thumbnail.
            }
            QMetaObject::invokeMethod(
                this, [this, key, drawing] { handOver(key, drawing); }, Qt::QueuedConnection);
        });
    }
}

void SharperThumbnails::handOver(qint64 key, const QImage& drawing) {
    m_reading.remove(key);
    if (drawing.isNull())
        return;
    m_made.insert(key, drawing);
    for (int row = 0; row < m_grid.Rows(); ++row)
        if (m_grid.CellPictureAt(row, m_pictureCol).cacheKey() == key)
            m_grid.setCellSharperPicture(row, m_pictureCol, drawing);
}

void SharperThumbnails::waitForReads() {
    while (m_scheduled || !m_reading.isEmpty()) {
        m_pool.waitForDone();
        QCoreApplication::processEvents();
    }
}

#pragma once

#include <QHash>
#include <QObject>
#include <QSet>
#include <QThreadPool>

class FlexGrid;

// On a screen with more device pixels to a pixel, the grid's thumbnails are
// sampled again from their photos at the device's size, on a thread of their
// own, and handed to the grid beside the designed 40 x 30 pictures. A
// picture met again (a row moved, an undo) takes what was made for it. At a
// ratio of 1 nothing is read.
class SharperThumbnails : public QObject {
    Q_OBJECT
public:
    // Pictures in column pictureCol, their photos' paths in pathCol.
    SharperThumbnails(FlexGrid& grid, int pictureCol, int pathCol);
    ~SharperThumbnails() override;

    // Waits until every read asked for so far is done and handed over.
    void waitForReads();

private:
    void noteChanged(int row, int col);
    void readPending();
    void handOver(qint64 key, const QImage& drawing);

    FlexGrid& m_grid;
    int m_pictureCol;
    int m_pathCol;
    QSet<int> m_pendingRows;
    bool m_scheduled = false;
    QHash<qint64, QImage> m_made; // by the designed picture's cache key
    QSet<qint64> m_reading;
    QThreadPool m_pool;
};

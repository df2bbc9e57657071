#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <memory>

// The light table's pictures, made on worker threads from the library's
// reduced decode, area-averaged down to their size. The ones painted go
// first, then the ones asked for ahead. Decodes are kept by the file's
// identity, so a folder seen again or a size the kept pixels cover decodes
// nothing.
class TablePictures : public QObject {
    Q_OBJECT
public:
    struct Picture {
        QImage image;         // made, maybe for another size than asked; null until made
        QString error;        // why the photo cannot be read, in words for the user
        bool current = false; // made for the size asked
    };

    // The made pictures kept, in bytes: those painted last stay.
    static constexpr qint64 kKeptBytes = 64 * 1024 * 1024;

    explicit TablePictures(QObject* parent = nullptr, qint64 keptBytes = kKeptBytes);
    ~TablePictures() override;

    // Long side of the pictures in device pixels; pictures of another size
    // stay until their new ones come.
    void setLongSide(int deviceLongSide);
    int longSide() const { return m_longSide; }

    // The picture of path as made so far; asks for it first when it is not
    // current.
    Picture picture(const QString& path);
    // Asks for these, in this order, after every picture painted; what was
    // asked ahead before and is not here any more is not made. Only as many
    // as the kept bytes hold are asked for: the first ones, nearest the view.
    void askAhead(const QStringList& paths);
    // Pictures still being made or waiting.
    int pending() const;
    // The made pictures kept, and their bytes.
    int kept() const { return static_cast<int>(m_made.count()); }
    qint64 keptBytes() const { return m_made.totalCost(); }
    bool holds(const QString& path) const { return m_made.contains(path); }

    // The picture as the workers make it, on the calling thread.
    static Picture make(const QString& path, int deviceLongSide, const std::atomic<bool>* stop);

signals:
    void made(const QString& path);

private:
    void queue(const QString& path, bool first);
    void pump();
    void arrived(const QString& path, int longSide, const Picture& picture);

    int m_longSide = 160;
    QCache<QString, Picture> m_made;
    QStringList m_first;
    QStringList m_later;
    QSet<QString> m_waiting;
    QSet<QString> m_running;
    QThreadPool m_pool;
    std::shared_ptr<std::atomic<bool>> m_stop = std::make_shared<std::atomic<bool>>(false);
};

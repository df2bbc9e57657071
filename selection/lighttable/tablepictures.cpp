#include "selection/lighttable/tablepictures.h"

#include "app/core/areascale.h"
#include "platform/files/boundedcache.h"
#include "platform/files/filekey.h"
#include "platform/files/picturefile.h"

#include <QThread>

#include <algorithm>

namespace {

// Reduced decodes kept for the whole run: some sixty 12 MP photos at 1/8.
BoundedCache<PictureRead>& keptDecodes() {
    static BoundedCache<PictureRead> cache(48 * 1024 * 1024);
    return cache;
}

// Whether a kept decode has the pixels for a picture of longSide.
bool covers(const PictureRead& read, int longSide) {
    if (!read.ok())
        return true;
    const QSize size = read.image.size();
    return std::max(size.width(), size.height()) >= longSide || size == read.fullSize;
}

} // namespace

TablePictures::TablePictures(QObject* parent, qint64 keptBytes)
    : QObject(parent), m_made(keptBytes) {
    m_pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
}

TablePictures::~TablePictures() {
    m_stop->store(true);
    m_pool.clear();
    m_pool.waitForDone();
}

TablePictures::Picture TablePictures::make(const QString& path, int deviceLongSide,
                                           const std::atomic<bool>* stop) {
    // Taken before reading: a file changed meanwhile is never kept as new.
    const std::optional<FileKey> key = fileKey(path);
    std::optional<PictureRead> read = key ? keptDecodes().find(*key) : std::nullopt;
    if (!read || !covers(*read, deviceLongSide)) {
        read = readPictureAtLeast(path, deviceLongSide, ReadWatch{{}, stop});
        if (key && (read->ok() || !(stop && stop->load())))
            keptDecodes().insert(*key, *read, read->image.sizeInBytes() + 256);
    }
    Picture made;
    made.current = true;
    if (!read->ok()) {
        made.error = read->error.isEmpty() ? QStringLiteral("it cannot be read") : read->error;
        return made;
    }
    made.image = areaAverage(read->image, fittedSize(read->fullSize, deviceLongSide));
    return made;
}

void TablePictures::setLongSide(int deviceLongSide) {
    if (deviceLongSide == m_longSide)
        return;
    m_longSide = deviceLongSide;
    for (const QString& path : m_made.keys())
        m_made.object(path)->current = false;
    // What waited was asked for at the old size; the painting asks again.
    m_first.clear();
    m_later.clear();
    m_waiting.clear();
}

TablePictures::Picture TablePictures::picture(const QString& path) {
    // Looking one up keeps it longest.
    const Picture* found = m_made.object(path);
    if (!found || !found->current)
        queue(path, true);
    return found ? *found : Picture{};
}

void TablePictures::askAhead(const QStringList& paths) {
    // The new order stands: what was asked before and no longer is waits no more.
    for (const QString& path : std::as_const(m_later))
        m_waiting.remove(path);
    m_later.clear();
    // As many as are kept, taken as if square; asking more would drop the
    // ones nearest the view for the far ones.
    const qint64 each = 4LL * m_longSide * m_longSide;
    const auto asked = static_cast<int>(std::min<qint64>(paths.size(), m_made.maxCost() / each));
    QStringList wanted;
    // The farthest looked up first, so the nearest are kept longest.
    for (int k = asked - 1; k >= 0; --k) {
        const Picture* made = m_made.object(paths[k]);
        if (!made || !made->current)
            wanted.append(paths[k]);
    }
    std::reverse(wanted.begin(), wanted.end());
    for (const QString& path : std::as_const(wanted))
        queue(path, false);
}

int TablePictures::pending() const {
    return static_cast<int>(m_waiting.size() + m_running.size());
}

void TablePictures::queue(const QString& path, bool first) {
    if (m_running.contains(path))
        return;
    if (m_waiting.contains(path)) {
        // Painted now: ahead of those only asked for.
        if (first && m_later.removeOne(path))
            m_first.append(path);
        return;
    }
    m_waiting.insert(path);
    (first ? m_first : m_later).append(path);
    pump();
}

void TablePictures::pump() {
    while (m_running.size() < m_pool.maxThreadCount() &&
           !(m_first.isEmpty() && m_later.isEmpty())) {
        const QString path = m_first.isEmpty() ? m_later.takeFirst() : m_first.takeFirst();
        m_waiting.remove(path);
        m_running.insert(path);
        const int side = m_longSide;
        const std::shared_ptr<std::atomic<bool>> stop = m_stop;
        m_pool.start([this, path, side, stop] {
            const Picture picture = make(path, side, stop.get());
            if (stop->load())
                return;
            QMetaObject::invokeMethod(
                this, [this, path, side, picture] { arrived(path, side, picture); },
                Qt::QueuedConnection);
        });
    }
}

void TablePictures::arrived(const QString& path, int longSide, const Picture& picture) {
    m_running.remove(path);
    // One made for a size left since still stands in until its new one
    // comes; painting it again asks for that.
    const Picture* before = m_made.object(path);
    if (longSide == m_longSide || !before || before->image.isNull()) {
        auto* kept = new Picture(picture);
        kept->current = longSide == m_longSide;
        m_made.insert(path, kept, std::max<qint64>(1, kept->image.sizeInBytes()));
    }
    pump();
    emit made(path);
}

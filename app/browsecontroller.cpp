#include "app/browsecontroller.h"

#include "app/core/browse.h"
#include "app/core/devicesampling.h"
#include "app/core/previewgeometry.h"
#include "app/core/samplelayout.h"
#include "app/drawing/previewturn.h"
#include "app/drawing/thumbnail.h"
#include "app/progressbarpainter.h"
#include "platform/controls/dirlist.h"
#include "platform/controls/drivelist.h"
#include "platform/controls/filelist.h"
#include "platform/controls/imagecontrol.h"
#include "platform/controls/picturebox.h"
#include "platform/desktop/dialogs.h"
#include "platform/desktop/messagetext.h"
#include "platform/files/picturecache.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QTransform>

QString unusableNameMessage(const FileList& list) {
    return QStringLiteral("The file \"%1\" in \"%2\" cannot be used: its name is not valid "
                          "UTF-8 text, as names written by older systems sometimes are. "
                          "Renaming the file fixes it.")
        .arg(shortName(list.FileName()), shortName(list.Path()));
}

BrowseController::BrowseController(const BrowseParts& parts, Dialogs& dialogs, QObject* parent)
    : QObject(parent), m_c(parts), m_dialogs(dialogs) {}

void BrowseController::Drive1_Change() {
    BrowseParts& c = m_c;
    // Set while going back, so that a drive that is gone as well ends it.
    static bool goingBack = false;
    if (c.Dir1.setPath(c.Drive1.Folder()) || goingBack)
        return;
    // A drive that cannot be read: back to the drive the folder list is on,
    // which raises the change once more and leaves the folder list in place.
    goingBack = true;
    c.Drive1.setDrive(c.Dir1.Path());
    goingBack = false;
    c.Drive1.Refresh();
}

void BrowseController::Dir1_Change() {
    BrowseParts& c = m_c;
    ahead.drop();
    c.File1.setPath(c.Dir1.Path());
    c.Label1.setText(countCaption(c.File1.ListCount()));
    if (c.File1.ListCount() != 0)
        c.File1.setListIndex(0);
}

namespace {

// Paints the bar at most every 50 ms while a preview decodes, its value the
// last row reached; a quick read shows nothing. A slow one first paints the
// file list, which shows the file being read as the one chosen.
class DecodeProgress {
public:
    DecodeProgress(QProgressBar& bar, QWidget& list) : m_bar(bar), m_list(list) { m_clock.start(); }
    ~DecodeProgress() {
        if (m_shown)
            m_bar.hide();
    }
    DecodeProgress(const DecodeProgress&) = delete;
    DecodeProgress& operator=(const DecodeProgress&) = delete;

    void reached(int row, int rows) {
        if (m_clock.elapsed() < m_next)
            return;
        m_next = m_clock.elapsed() + kPeriodMs;
        if (!m_shown) {
            m_bar.show();
            m_list.repaint();
            m_shown = true;
        }
        m_bar.setMaximum(std::max(1, rows - 1));
        m_bar.setValue(row);
        m_bar.repaint();
    }

private:
    static constexpr qint64 kPeriodMs = 50;
    QProgressBar& m_bar;
    QWidget& m_list;
    QElapsedTimer m_clock;
    qint64 m_next = kPeriodMs;
    bool m_shown = false;
};

} // namespace

void BrowseController::File1_Click() {
    BrowseParts& c = m_c;
    if (c.File1.FileName().isEmpty())
        return;
    if (!c.File1.FileNameUsable()) {
        tell(m_dialogs, &c.window, unusableNameMessage(c.File1));
        return;
    }
    const QString path = fullPath(c.File1.Path(), c.File1.FileName());
    // A screen with more device pixels to a pixel shows the preview sampled
    // at its own size; the photo is read for both at once.
    const double ratio = c.Image11.devicePixelRatioF();
    ahead.setRatio(ratio);
    ahead.arrive(path);
    // Read before anything is cleared, so a bad file leaves the last preview.
    // What is read is kept for adding the photo.
    PictureRead read;
    {
        DecodeProgress progress(c.ProgressBar1, c.File1);
        ReadWatch watch;
        watch.progress = [&progress](int row, int rows) { progress.reached(row, rows); };
        read = PictureCache::shared().read(path, previewLayout(ratio), watch);
    }
    if (!read.ok()) {
        tell(m_dialogs, &c.window,
             QStringLiteral("The picture \"%1\" cannot be shown: %2.")
                 .arg(shortName(path), read.error));
        return;
    }
    c.Image4.show();
    c.Image5.show();
    c.Image10.setPicture(QImage());
    c.Image11.setPicture(QImage());
    c.Image12.setPicture(QImage());
    c.Image11.Cls();
    c.Image10.setPicture(read.image, read.fullSize, read.kept);
    c.Image11.hide();
    const PreviewSize size = previewSize(c.Image10.ScaleWidth(), c.Image10.ScaleHeight());
    ProgressBarPainter bar(c.ProgressBar1);
    thumbnail(size.width, size.height, c.Image10, c.Image11, true, {c.File1, bar.progress()});
    if (ratio > 1)
        c.Image11.setSharper(previewAtRatio(
            c.Image10.Picture(), QSize(c.Image10.ScaleWidth(), c.Image10.ScaleHeight()),
            c.Image10.keptGrid(), ratio, colourFromValue(c.Image11.BackColor()).rgb()));
    current_file = path;
    c.Image11.setAccessibleName(previewName(path));
    c.Image11.show();
    c.File1.setFocus();
    ahead.previewed(c.File1.Path(), c.File1.ListIndex(), c.File1.ListCount(),
                    [&c](int i) { return fullPath(c.File1.Path(), c.File1.item(i)->text()); });
}

void BrowseController::Image4_Click() {
    BrowseParts& c = m_c;
    const QImage sharper = c.Image11.Sharper();
    ProgressBarPainter bar(c.ProgressBar1);
    rotatePreview(c.Image11, c.image110, bar.progress());
    if (!sharper.isNull()) {
        QImage turned = sharper.transformed(QTransform().rotate(90));
        turned.setDevicePixelRatio(sharper.devicePixelRatio());
        c.Image11.setSharper(turned);
    }
}

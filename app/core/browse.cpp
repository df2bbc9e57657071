#include "browse.h"

#include "dirlist.h"
#include "drivelist.h"
#include "filelist.h"
#include "imagecontrol.h"
#include "picturebox.h"
#include "picturefile.h"
#include "thumbnail.h"

#include <QLabel>

QString fullPath(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name
                                             : folder + QLatin1Char('/') + name;
}

QString countCaption(int files)
{
    return QStringLiteral("Cantidad: ") + QString::number(files);
}

void Drive1_Change(BrowseControls& c)
{
    if (!c.Dir1.setPath(c.Drive1.Drive()))
        c.Drive1.setDrive(c.Dir1.Path());
}

void Dir1_Change(BrowseControls& c)
{
    c.File1.setPath(c.Dir1.Path());
    c.Label1.setText(countCaption(c.File1.ListCount()));
    if (c.File1.ListCount() != 0)
        c.File1.setListIndex(0);
}

void File1_Click(BrowseControls& c)
{
    const QString path = fullPath(c.File1.Path(), c.File1.FileName());
    const PictureRead read = readPictureFile(path);
    if (!read.ok())
        return;
    c.Image4.show();
    c.Image5.show();
    c.Image10.setPicture(read.image);
    c.Image11.setPicture(QImage());
    c.Image12.setPicture(QImage());
    const double ratio = static_cast<double>(read.image.height()) / read.image.width();
    const auto side = [](double v) { return static_cast<std::int16_t>(qMax(1.0, std::nearbyint(v))); };
    const std::int16_t w = ratio > 1 ? side(1967.0 / 6 / ratio) : 328;
    const std::int16_t h = ratio > 1 ? 328 : side(1967.0 / 6 * ratio);
    thumbnail(w, h, c.Image10, c.Image11, true, {c.File1, c.ProgressBar1});
    c.current_file = path;
    c.Image11.show();
    c.File1.setFocus();
}

void Image4_Click(BrowseControls&) {}

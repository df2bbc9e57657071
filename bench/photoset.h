#pragma once

#include "camerajpeg.h"

#include <QString>
#include <QStringList>

// One camera-like photo written to disk.
struct Photo {
    QString name; // e.g. "24mp-noisy-progressive"
    QString path;
};

// Writes the four kinds of photo (smooth and noisy, baseline and
// progressive) at width x height into folder as "<prefix>-<kind>.jpg".
QList<Photo> writeKinds(const QString& folder, const QString& prefix, int width, int height);

// `count` further names for the files in `sources`, taken in turn, in folder:
// hard links where the file system allows them (a distinct path costs no
// disk), otherwise copies. With copies set they are always true copies.
QStringList spreadPhotos(const QStringList& sources, const QString& folder, int count, bool copies);

// A project file of the paths, one copy of "10x15" each.
bool writeProject(const QString& path, const QStringList& photos);

QByteArray fileBytes(const QString& path);
// False when not all of bytes reached the file.
bool writeBytes(const QString& path, const QByteArray& bytes);

#pragma once

#include <QString>

// Folder path, then "/" unless it already ends with one, then the name.
QString fullPath(const QString& folder, const QString& name);

// "Cantidad: " and the number of files the list shows.
QString countCaption(int files);

// The preview's name for screen readers: "Preview", and the name of the photo
// it shows ("Preview of lake.jpg").
QString previewName(const QString& path);

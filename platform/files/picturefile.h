#pragma once

#include "platform/files/pictureread.h"

#include <QString>

// Reads a JPEG or bitmap file. A JPEG is decoded row by row, rows no kept
// pixel lies on are skipped, and no full-size picture is ever held. A JPEG
// that is damaged or cut short is an error, not a partly grey picture.
PictureRead readPictureFile(const QString& path, const SampleLayout& layout = {},
                            const ReadWatch& watch = {});

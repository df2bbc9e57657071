#pragma once

#include "benchtable.h"

#include <QString>

#include <vector>

class BenchWindow;

// Previews of photos of other kinds than JPEG, made in folder: a 12 MP HEIC
// photo against libheif's own decode of it, a 24 MP PNG against libpng's,
// each from bytes already in memory into a buffer reused where the library
// allows it.
void formatPreviews(BenchWindow& bench, const QString& folder, int runs,
                    std::vector<FlowRuns>& table);

// The copy to a folder of 100 HEIC photos of 12 MP, each made a JPEG for the
// lab, against the serial sum of libheif's decode and TurboJPEG's encode of
// each.
void labJpegs(BenchWindow& bench, const QString& folder, int runs, std::vector<FlowRuns>& table);

// count HEIC photos of width x height in folder, grids of tiles as phones
// make large photos, true copies of two (nothing kept is shared).
void makeHeicPhotos(const QString& folder, int width, int height, int count);

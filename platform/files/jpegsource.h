#pragma once

#include <QString>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

class QIODevice;

// Feeds the JPEG library from a device a chunk at a time, so that no photo is
// ever read whole into memory, and refuses to feed past a bound: a file may
// go on for ever (a huge sparse file, garbage after a header) while a picture
// of a declared size needs only so much data.
struct JpegSource {
    jpeg_source_mgr pub{};
    QIODevice* device = nullptr;
    std::vector<JOCTET> buffer;
    qint64 used = 0;  // bytes fed to the library or skipped on its behalf
    qint64 limit = 0; // what used may reach
    bool overLimit = false;
    QString readError; // set when the device failed
};

// Makes cinfo read from device through source, which must outlive the read.
// The bound starts at limit; the caller may move it once the header is read.
void useJpegSource(j_decompress_ptr cinfo, JpegSource& source, QIODevice& device, qint64 limit);

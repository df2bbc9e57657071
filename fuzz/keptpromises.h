#pragma once

#include "fuzzcheck.h"

#include "platform/files/pictureread.h"

// What every picture read promises: one that reads holds exactly the pixels
// it says it kept (or, keeping none, the whole picture), inside its upright
// size, as RGB32; one that does not says why and holds no picture.
inline void requireKeptPromises(const PictureRead& read) {
    const auto require = [](bool kept, const char* promise) {
        fuzzRequire(kept ? QString() : QString::fromLatin1(promise));
    };
    if (!read.ok()) {
        require(!read.error.isEmpty() && read.image.isNull(),
                "!read.error.isEmpty() && read.image.isNull()");
        return;
    }
    require(!read.fullSize.isEmpty(), "!read.fullSize.isEmpty()");
    if (read.kept.empty()) {
        // Kept whole: bitmaps and other pictures that are not photos.
        require(read.image.size() == read.fullSize, "read.image.size() == read.fullSize");
    } else {
        require(read.image.width() == static_cast<int>(read.kept.columns.size()),
                "read.image.width() == static_cast<int>(read.kept.columns.size())");
        require(read.image.height() == static_cast<int>(read.kept.rows.size()),
                "read.image.height() == static_cast<int>(read.kept.rows.size())");
        require(read.kept.columns.back() < read.fullSize.width(),
                "read.kept.columns.back() < read.fullSize.width()");
        require(read.kept.rows.back() < read.fullSize.height(),
                "read.kept.rows.back() < read.fullSize.height()");
    }
    require(read.image.format() == QImage::Format_RGB32,
            "read.image.format() == QImage::Format_RGB32");
}

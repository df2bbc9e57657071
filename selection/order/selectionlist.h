#pragma once

#include <QSize>

#include <QString>

#include <array>
#include <cstdint>

// One selected photo, its texts as the grid shows them.
struct SelectionEntry {
    QString file;
    QString copies;
    QString size;
    // The photo's pixel size when its row was made, kept so that print fit
    // needs no second decode; empty when the photo could not be loaded.
    QSize pixels = QSize();
};

// The selected photos. Entry i belongs to grid row i; index 0 is never used
// for a photo, so at most 999 photos fit.
struct SelectionList {
    static constexpr std::int16_t kCapacity = 1000;
    static constexpr std::int16_t kMaxPhotos = kCapacity - 1;

    std::array<SelectionEntry, kCapacity> entries;
    std::int16_t count = 0;
    std::int16_t edit_row = 0;

    // Entry index, or nullptr outside the table: grid rows come from the
    // grid, and the table must never be touched beyond its end.
    SelectionEntry* entry(int index) {
        return index >= 0 && index < kCapacity ? &entries[static_cast<std::size_t>(index)]
                                               : nullptr;
    }
    bool isFull() const { return count >= kMaxPhotos; }
};

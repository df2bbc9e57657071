#pragma once

#include "platform/files/filekey.h"

#include <cstdint>
#include <optional>

// Whether the order differs from the file it was last saved to or opened
// from, so that closing the window can offer to keep it.
//
// Every change to the order's rows (adding a photo, editing or removing a
// row, and whatever later changes rows: undo, relinking moved photos) calls
// markChanged(). A successful Save, and an Open that replaced the order,
// call markSaved(); an Open that could not take the whole file calls
// markOpenedShort() instead. Nothing else touches it.
class OrderChanges {
public:
    // The order's rows changed: their files, copies, sizes, number or order.
    void markChanged() { ++m_version; }
    // The order now is what a project file holds.
    void markSaved() {
        m_savedVersion = m_version;
        m_openedShort = false;
    }
    // The order was opened from a file that holds more than it could take:
    // it differs from that file, and saving over the file would lose the rest.
    void markOpenedShort() {
        markChanged();
        m_openedShort = true;
    }
    bool openedShort() const { return m_openedShort; }
    // Changed since the last markSaved(), or since the start when never saved.
    bool changedSinceSaved() const { return m_version != m_savedVersion; }
    // Goes up by one with every change; a step that remembers it can tell
    // later whether anything changed since.
    std::uint64_t version() const { return m_version; }

    // The project file as it was when this window last read or wrote it, so
    // that a save can tell whether another program wrote it since.
    void rememberProjectFile(const std::optional<FileKey>& file) { m_projectFile = file; }
    const std::optional<FileKey>& projectFile() const { return m_projectFile; }

private:
    std::uint64_t m_version = 0;
    std::uint64_t m_savedVersion = 0;
    std::optional<FileKey> m_projectFile;
    bool m_openedShort = false;
};

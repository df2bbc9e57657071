#pragma once

#include "platform/files/filekey.h"
#include "platform/files/hiddentemporary.h"

#include <QString>

#include <optional>

// Whether path is an existing file whose permission bits forbid this process
// to write it. Root may write anything, so for root the bits alone decide: a
// file without any write bit (mode 444) is protected for root too.
bool isWriteProtected(const QString& path);

// The file path leads to, every link followed (also where the last leads to
// no file yet); empty when the links go round in a circle.
QString linkedFile(const QString& path);

// What lies in a file's place as a write saw it: an ordinary file in the
// state fileKey gives, or none (nothing there, or nothing ordinary).
using FileState = std::optional<FileKey>;

// A file replaced whole. The path is followed through every link to the
// file it leads to (the target). The new content is written to a hidden
// file of its own beside the target (see HiddenTemporary; unnamed where the
// file system allows it, else ".<name>.marvolia-new.<8 digits>") and put in
// the target's place once every byte is on the disk. A write killed half
// way leaves the target as it was; one killed in the instant before the
// rename leaves only its hidden file, whole, and the next write of the same
// target clears it. Two programs writing one target never clear each
// other's files, and the later never silently replaces what the earlier put
// there: a target that changed since it was expected is left alone.
class StagedFile {
public:
    explicit StagedFile(const QString& path);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // What must still lie in the target's place when the content is put
    // there: the file as the caller read it. By default the target as open()
    // finds it.
    void expect(const FileState& state);

    // Clears what an earlier write that was killed left, and starts anew.
    // Refuses a target that isWriteProtected, or that is no ordinary file (a
    // FIFO or a device), which then stays as it was: refused() tells.
    bool open();
    // Writes all of data, each write checked (a full disk shows here, not in
    // the commit); false as soon as one falls short.
    bool write(const char* data, qint64 size);
    // Puts the complete file in the target's place, unless another program
    // changed what lies there since it was expected (changedMeanwhile).
    bool commit();
    // Gives up: the target stays as it was, with nothing beside it.
    void cancel();
    // Why the last step failed, in the system's words, or fallback.
    QString errorString(const QString& fallback) const;
    // open() refused the target; errorString says why, in words for the user.
    bool refused() const { return m_refused; }
    bool changedMeanwhile() const { return m_changed; }
    // What of the replaced file's owner, group and permissions the new one
    // could not keep, in words for the user; empty when it kept them all.
    QString note() const { return m_note; }
    // The file as it was put in place, after a commit.
    const FileState& written() const { return m_written; }

    // The start of the hidden name the content is written under.
    static QString stagingPath(const QString& target);

private:
    bool refuse(const QString& why);
    void clearLeftovers() const;

    QString m_target;
    HiddenTemporary m_temporary;
    std::optional<FileState> m_expected;
    bool m_open = false;
    bool m_refused = false;
    bool m_changed = false;
    QString m_error;
    QString m_note;
    FileState m_written;
};

#pragma once

#include <QSaveFile>
#include <QString>

// Whether path is an existing file whose permission bits forbid this process
// to write it. Root may write anything, so for root the bits alone decide: a
// file without any write bit (mode 444) is protected for root too.
bool isWriteProtected(const QString& path);

// A file replaced whole. The new content is written to a hidden file of its
// own beside the target, ".<name>.marvolia-new" (the name cut short, with a
// hash of it, where it would be too long), and renamed over the target
// once every byte is on the disk. A process killed in between leaves only
// that hidden file, whole, and the next write of the same target clears it.
// (QSaveFile alone, killed between linking and renaming its temporary file,
// leaves "<name>.XXXXXX", which a later write cannot tell from a user's own
// file.)
class StagedFile {
public:
    explicit StagedFile(const QString& path);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Clears what an earlier write that was killed left, and starts anew.
    // Refuses a target that isWriteProtected, which then stays as it was.
    bool open();
    // Writes all of data, each write checked (a full disk shows here, not in
    // the commit); false as soon as one falls short.
    bool write(const char* data, qint64 size);
    // Puts the complete file in the target's place.
    bool commit();
    // Gives up: the target stays as it was, with nothing beside it.
    void cancel();
    // Why the last step failed, in the system's words, or fallback.
    QString errorString(const QString& fallback) const;

    // The hidden name the content is written under until it is complete.
    static QString stagingPath(const QString& target);

private:
    void clearLeftovers() const;

    QString m_target;
    QString m_staging;
    QSaveFile m_file;
    QString m_error;
};

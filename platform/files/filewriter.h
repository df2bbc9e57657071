#pragma once

#include "platform/files/filekey.h"
#include "platform/files/fileresult.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

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

// What a write put in place.
struct Written {
    FileState file; // the file as put in place, after commit()
    // What of the replaced file's owner, group and permissions the new one
    // could not keep, in words for the user; empty when it kept them all.
    QString note;
    bool sameFile = false; // a copy onto its own source: nothing was written
};

// What a copy does where a file lies in its destination's place.
enum class CopyOver { Replace, NeverReplace };

// Files written whole or not at all, one or many together. Each is written
// to a hidden file of its own beside its destination (see HiddenTemporary)
// and put in the destination's place by rename once every byte is on the
// disk: commit() brings them all there with one sync per file system (not
// one per file) and only then puts each in place. A write that fails at any
// step leaves its destination as it was and nothing beside it; a write
// killed in the instant before the rename leaves only its hidden file,
// whole, and the next write of the same destination clears it. Two writers
// at once never clear each other's hidden files.
//
// write() gives a file new bytes: the path is followed through every link,
// and a file that is read-only or no ordinary file is refused. Its hidden
// file, ".<name>.marvolia-new.<8 digits>", is unnamed where the file system
// allows it, so that a write killed half way leaves nothing behind. A file
// another program changed since it was expected is left alone.
//
// copy() gives a destination a source file's bytes, in the kernel where it
// can. Its hidden file, ".<name>.marvolia-copy.<8 digits>", is always named,
// so that another writer sees the copy under way (copyUnderWay).
class FileWriter {
public:
    FileWriter();
    // What is not yet in place is removed.
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // Stages bytes for path. expected: what must still lie in its place when
    // they are put there, the file as the caller read it; by default the
    // file as it is now. The result holds until the next call.
    const FileResult<Written>& write(const QString& path, const QByteArray& bytes,
                                     const FileState* expected = nullptr);
    // Stages a copy of source for destination. A file is never copied onto
    // itself (sameFile). With NeverReplace a copy whose place was taken by the
    // time it is committed fails instead of replacing what is there. The
    // result holds until the next call.
    const FileResult<Written>& copy(const QString& source, const QString& destination,
                                    CopyOver over = CopyOver::Replace);

    // Puts every staged file in place. One result per write() and copy(),
    // in order: those that staged stay ok only when they reached their place.
    const std::vector<FileResult<Written>>& commit();

    // The start of the hidden name a write() of target stages under.
    static QString stagingPath(const QString& target);

private:
    struct Staged;
    enum class Kind { Bytes, Copy };
    const FileResult<Written>& record(FileResult<Written> result);
    void stage(std::unique_ptr<Staged> staged);
    void clearLeftovers(const QString& destination, Kind kind);
    void putStagedInPlace();

    std::vector<std::unique_ptr<Staged>> m_staged;
    std::vector<FileResult<Written>> m_results;
    QHash<QString, QStringList> m_hidden; // each folder's hidden files, read once
};

// Whether another write is making a copy for name's place in folder right
// now; hidden holds the folder's hidden entries.
bool copyUnderWay(const QString& folder, const QString& name, const QStringList& hidden);

// One copy on its own: source to destination, replacing a file already there,
// complete or not at all.
FileResult<Written> copyFileReplacing(const QString& source, const QString& destination);

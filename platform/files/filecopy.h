#pragma once

#include "platform/files/hiddentemporary.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// Whether two paths name one file (through links too). False when either
// does not exist.
bool sameFile(const QString& a, const QString& b);

// Whether a and b are ordinary files with exactly the same bytes.
bool sameContent(const QString& a, const QString& b);

enum class CopyOutcome { Copied, SameFile, Failed };

struct CopyResult {
    CopyOutcome outcome = CopyOutcome::Failed;
    QString error; // for Failed, in words for the user
};

// What a copy does where a file lies in its destination's place.
enum class CopyOver { Replace, NeverReplace };

// Copies made together, each complete or not at all. Every copy is written
// beside its destination under a hidden name of its own,
// ".<name>.marvolia-copy.<8 hex digits>" (see HiddenTemporary), held locked
// until it is in place; commit() brings them all to the disk with one sync
// (not one per file) and only then lets each take its destination's place.
// A copy that fails at any step leaves its destination as it was and nothing
// beside it. What a copy cut off earlier left beside a destination (the
// program killed, the power gone) is removed when a copy to that destination
// is added; a copy another program is still making is left alone.
class CopyBatch {
public:
    CopyBatch() = default;
    // Copies not yet in place are removed.
    ~CopyBatch();
    CopyBatch(const CopyBatch&) = delete;
    CopyBatch& operator=(const CopyBatch&) = delete;

    // Copies source beside destination. Copied means written, waiting for
    // commit(). A file is never copied onto itself: SameFile. With
    // NeverReplace a copy whose place was taken by the time it is committed
    // fails instead of replacing what is there.
    CopyResult add(const QString& source, const QString& destination,
                   CopyOver over = CopyOver::Replace);

    // Puts every written copy in place. One result per add(), in order: those
    // that were Copied stay so only when the copy reached its destination.
    const std::vector<CopyResult>& commit();

private:
    struct Staged {
        std::unique_ptr<HiddenTemporary> copy;
        bool replace = true;
        std::size_t result = 0; // index into m_results
    };
    void removeLeftovers(const QString& destination);
    void putStagedInPlace();

    std::vector<Staged> m_staged;
    std::vector<CopyResult> m_results;
    QHash<QString, QStringList> m_hidden; // each folder's hidden files, read once
};

// Whether another write is making a copy for name's place in folder right
// now; hidden holds the folder's hidden entries.
bool copyUnderWay(const QString& folder, const QString& name, const QStringList& hidden);

// One copy on its own: source to destination, replacing a file already there,
// complete or not at all.
CopyResult copyFileReplacing(const QString& source, const QString& destination);

#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// Looking for photos that were moved: every file below a folder whose name is
// a missing photo's name, letter case aside.

// How far a search has come, for whoever shows it.
struct SearchProgress {
    qint64 files = 0;   // entries that are not folders, looked at so far
    qint64 folders = 0; // folders read so far
    QString folder;     // the folder being read
};

// Called now and then while searching; false stops the search.
using SearchProgressFn = std::function<bool(const SearchProgress&)>;

struct SearchResult {
    QStringList found;           // per wanted path, the best file found, or empty
    QList<bool> sure;            // per wanted path: found where a folder name matched, and
                                 // in no other row
    QStringList skipped;         // folders that could not be read
    SearchProgress seen;         // everything looked at
    bool stopped = false;        // progress said stop; found is then empty
    bool rootUnreadable = false; // the folder itself could not be read
};

// Searches root and every folder below it for files named like the wanted
// paths' file names (a path written on Windows counts "\" as its separator).
// Of several files with the name, one that no other row holds (held: their
// paths, links resolved) is taken before one that another row holds; then
// the one whose folders match the wanted path's folders from the end the
// longest; then one whose name has the same letter case; then the one nearer
// the top; then the first in path order. Links are followed, but never into a
// folder already seen, and folders reached through links are read after all
// others. Hidden files and folders are left out, as the file list leaves them
// out.
SearchResult findMovedPhotos(const QStringList& wanted, const QString& root,
                             const SearchProgressFn& progress = {}, const QSet<QString>& held = {});

// How many folder names two paths share counted from their ends, letter case
// aside: ("a", "b", "c") and ("x", "B", "c") share 2.
int matchingTailFolders(const QStringList& a, const QStringList& b);

// How often progress is asked: after this many entries.
constexpr int kSearchProgressEvery = 256;

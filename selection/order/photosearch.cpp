#include "selection/order/photosearch.h"

#include "selection/order/pathnames.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <compare>
#include <filesystem>
#include <string>
#include <system_error>
#include <unordered_set>
#include <vector>

namespace fs = std::filesystem;

int matchingTailFolders(const QStringList& a, const QStringList& b) {
    int shared = 0;
    for (qsizetype i = a.size() - 1, j = b.size() - 1; i >= 0 && j >= 0; --i, --j) {
        if (a[i].compare(b[j], Qt::CaseInsensitive) != 0)
            break;
        ++shared;
    }
    return shared;
}

namespace {

// A folder to read: its path as the walk reached it, and the path it really
// has, by which it is told apart from every other folder.
struct Folder {
    fs::path path;
    std::string real;
};

QString decoded(const fs::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::string below(const std::string& real, const std::string& name) {
    return real.ends_with('/') ? real + name : real + '/' + name;
}

class Walk {
public:
    Walk(const QSet<QString>& names, const SearchProgressFn& progress, SearchResult& result)
        : m_names(names), m_progress(progress), m_result(result) {}

    // False when progress said stop.
    bool run(const fs::path& root, const std::string& real) {
        m_seen.insert(real);
        m_folders.push_back({root, real});
        while (!m_folders.empty() || !m_linked.empty()) {
            Folder folder;
            if (!m_folders.empty()) {
                folder = std::move(m_folders.back());
                m_folders.pop_back();
            } else {
                folder.path = std::move(m_linked.back());
                m_linked.pop_back();
                std::error_code error;
                folder.real = fs::canonical(folder.path, error).native();
                if (error || !m_seen.insert(folder.real).second)
                    continue;
            }
            if (!read(folder))
                return false;
        }
        return true;
    }

    QHash<QString, QStringList> found; // folded name -> files with it

private:
    bool step(const fs::path& folder) {
        if (++m_sinceAsked < kSearchProgressEvery || !m_progress)
            return true;
        m_sinceAsked = 0;
        m_result.seen.folder = decoded(folder);
        return m_progress(m_result.seen);
    }

    bool read(const Folder& folder) {
        std::error_code error;
        fs::directory_iterator it(folder.path, error);
        const bool first = m_result.seen.folders == 0 && m_result.skipped.isEmpty();
        if (error) {
            m_result.skipped << decoded(folder.path);
            m_result.rootUnreadable = first;
            return true;
        }
        ++m_result.seen.folders;
        if (!step(folder.path))
            return false;
        for (const fs::directory_iterator end; it != end; it.increment(error)) {
            const fs::directory_entry& entry = *it;
            const std::string& full = entry.path().native();
            const std::string name = full.substr(full.rfind('/') + 1);
            if (name.starts_with('.'))
                continue;
            if (!step(folder.path))
                return false;
            std::error_code kind;
            if (entry.is_symlink(kind)) {
                if (fs::is_directory(entry.path(), kind)) {
                    m_linked.push_back(entry.path());
                    continue;
                }
            } else if (entry.is_directory(kind)) {
                std::string real = below(folder.real, name);
                if (m_seen.insert(real).second)
                    m_folders.push_back({entry.path(), std::move(real)});
                continue;
            }
            ++m_result.seen.files;
            const QString folded = QString::fromUtf8(name).toCaseFolded();
            if (!m_names.contains(folded) || !entry.is_regular_file(kind))
                continue;
            const QString path = decoded(entry.path());
            // A name that is not valid text here could not be opened by it.
            if (QFile::encodeName(path).toStdString() == full)
                found[folded] << path;
        }
        if (error)
            m_result.skipped << decoded(folder.path);
        return true;
    }

    const QSet<QString>& m_names;
    const SearchProgressFn& m_progress;
    SearchResult& m_result;
    std::unordered_set<std::string> m_seen;
    std::vector<Folder> m_folders;
    std::vector<fs::path> m_linked;
    int m_sinceAsked = 0;
};

// How well a file fits a wanted path, better first when compared.
struct Fit {
    bool free = false;     // no other row holds it
    int shared = -1;       // folder names matched from the end
    bool sameCase = false; // the name as written
    qsizetype depth = 0;   // folders down to it
    QString path;

    auto operator<=>(const Fit& other) const {
        if (free != other.free)
            return free <=> other.free;
        if (shared != other.shared)
            return shared <=> other.shared;
        if (sameCase != other.sameCase)
            return sameCase <=> other.sameCase;
        if (depth != other.depth)
            return other.depth <=> depth;
        return QString::compare(other.path, path) <=> 0;
    }
};

// Of the files carrying the wanted name, the one that fits it best.
Fit bestOf(const QString& wanted, const QStringList& candidates, const QSet<QString>& held) {
    const QStringList wantedFolders = folderNamesOf(wanted);
    const QString name = solo_file(wanted);
    Fit best;
    for (const QString& candidate : candidates) {
        const QStringList folders = folderNamesOf(candidate);
        const Fit fit{held.isEmpty() || !held.contains(QFileInfo(candidate).canonicalFilePath()),
                      matchingTailFolders(wantedFolders, folders), solo_file(candidate) == name,
                      folders.size(), candidate};
        if (best.path.isEmpty() || fit > best)
            best = fit;
    }
    return best;
}

} // namespace

SearchResult findMovedPhotos(const QStringList& wanted, const QString& root,
                             const SearchProgressFn& progress, const QSet<QString>& held) {
    SearchResult result;
    result.found.resize(wanted.size());
    result.sure.resize(wanted.size());
    QSet<QString> names;
    for (const QString& path : wanted)
        if (!solo_file(path).isEmpty())
            names.insert(solo_file(path).toCaseFolded());

    std::error_code error;
    const fs::path top(QFile::encodeName(root).toStdString());
    const fs::path real = fs::canonical(top, error);
    if (error || !fs::is_directory(real, error)) {
        result.rootUnreadable = true;
        result.skipped << root;
        return result;
    }
    Walk walk(names, progress, result);
    if (!walk.run(top, real.native())) {
        result.stopped = true;
        return result;
    }
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const Fit best =
            bestOf(wanted[i], walk.found.value(solo_file(wanted[i]).toCaseFolded()), held);
        result.found[i] = best.path;
        result.sure[i] = best.free && best.shared > 0;
    }
    return result;
}

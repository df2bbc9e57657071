#pragma once

#include <QByteArray>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// One file of a folder as the file list shows it.
struct FolderFile {
    QString name;      // as shown; bytes that are not UTF-8 become U+FFFD
    QByteArray native; // the name's bytes on disk
    // Whether the shown name leads back to the file. A name from an old
    // medium (Latin-1 bytes, say) does not: nothing can open it by that text.
    bool usable() const;
};

// Wildcard patterns matched in any letter case, made once: a tree of many
// thousand files would spend most of its walk making them again per name.
class NamePatterns {
public:
    explicit NamePatterns(const QStringList& patterns);
    bool matches(const QString& name) const;

private:
    QList<QRegularExpression> m_patterns;
};

// The files (and links to files) of a folder whose names match one of the
// wildcard patterns in any letter case, hidden ones left out, sorted by name
// without regard to case. Unlike QDir, names that are not valid UTF-8 are
// listed too.
QList<FolderFile> folderFiles(const QString& folder, const QStringList& patterns);

// The file list's order: by name without regard to case, then by the bytes.
bool listedBefore(const FolderFile& a, const FolderFile& b);

// "*.jpg;*.jpeg" as its patterns; blanks around them do not count.
QStringList splitPatterns(const QString& pattern);

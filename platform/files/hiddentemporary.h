#pragma once

#include <QString>

struct stat;

// A hidden file of the program's own beside a destination, in which a write
// makes the destination's new content before putting it in its place.
//
// Its name is unique to the write: "." + the destination's name + a mark +
// "." + eight hex digits made of this process's id and a count of its
// writes (see namePrefix). It is created exclusively and locked for as long
// as it lives, so that another write, of this program or of a second copy of
// it running at the same time, can tell it from what a killed write left:
// only files nobody holds are ever removed (removeIfLeftover).
class HiddenTemporary {
public:
    HiddenTemporary(const QString& destination, const QString& mark);
    // Closes it, and removes it unless it was put in place.
    ~HiddenTemporary();
    HiddenTemporary(const HiddenTemporary&) = delete;
    HiddenTemporary& operator=(const HiddenTemporary&) = delete;

    // Creates it as a new file is created (permissions as the umask says).
    // An unnamed one has no name at all until it is put in place, where the
    // file system allows that, so that a write killed half way leaves
    // nothing behind. False with error() set.
    bool create(bool unnamed);
    // Gives it the owner, group and permissions of the file it is to replace,
    // as far as the system lets: what could not be kept, in words, or empty.
    QString keepOwnership(const struct stat& replaced);
    int handle() const { return m_fd; }

    // Puts it in the destination's place: over what is there, or, with
    // replace false, only while nothing is (EEXIST otherwise). False with
    // error() set; it is then gone.
    bool putInPlace(bool replace);
    // The errno of the step that failed.
    int error() const { return m_error; }
    // Gives up: closes it, and removes it unless it was put in place.
    void discard();

    // The start of the hidden name of every write to fileName's place; a
    // dot and the eight digits follow it.
    static QString namePrefix(const QString& fileName, const QString& mark);
    // Whether a folder's entry is a hidden file of a write to the place
    // whose prefix this is: the prefix, a dot and eight digits.
    static bool isWriteOf(const QString& entry, const QString& prefix);

private:
    bool createNamed();
    bool lock();
    bool giveName();

    QString m_destination;
    QString m_folder;
    QString m_prefix;
    QString m_path; // its name, once it has one
    int m_fd = -1;
    bool m_placed = false;
    int m_error = 0;
};

// Whether the hidden file at path belongs to a write still under way: a
// write holds its lock, or, where the file system keeps no locks, it changed
// after this program started. What cannot be opened counts as under way.
bool writeUnderWay(const QString& path);

// Removes the hidden file at path when it is what a killed write left, that
// is when no write holds it (see writeUnderWay). The check and the removal
// are made under a lock of their own, so that a write starting meanwhile is
// never hit. Anything that is not an ordinary file is left alone.
void removeIfLeftover(const QString& path);

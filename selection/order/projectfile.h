#pragma once

#include "selection/order/framing.h"

#include <QByteArray>
#include <QList>
#include <QString>

// One photo of a project file: the texts of its grid row.
struct ProjectRecord {
    QString file;
    QString copies;
    QString size;
    Framing framing{}; // written only when the user chose one
    bool operator==(const ProjectRecord&) const = default;
};

// A project file: the count line " N " and then three lines per photo, path,
// copies and size. Fields the reader would split or trim are written in
// double quotes. A text that starts with a double quote cannot be stored, nor
// one that holds a double quote and must be quoted; any other double quote
// reads back as it is.

// Whether a field reads back as it is written.
bool storableInProject(const QString& text);

// The index of the first record that cannot be stored, or -1.
int firstUnstorableRecord(const QList<ProjectRecord>& records);

// The file's bytes: UTF-8, CR LF after every line. Every record must be
// storable. Records with a framing of their own add one block after the
// last record (kFramingHead, the number of lines, then one line a record:
// "3 fill 0.5 0.5 0.25" for the cut's side, centre across and down, or
// "5 whole"); without any, the file is exactly the count and the records.
QByteArray projectFileBytes(const QList<ProjectRecord>& records);

// The head of the framing block, at the start of its line.
inline constexpr char kFramingHead[] = "[Marvolia framing]";

// How a field is written: quoted when it holds a comma or a line end, or
// starts with a blank.
QString projectField(const QString& text);

struct ProjectRead {
    int count = 0;                // the number on the count line
    QList<ProjectRecord> records; // at most maxRecords
    int leftOut = 0;              // complete records beyond maxRecords
    QString framingError;         // why the framing block was left out; the records stand
    QString error;                // why the file is unusable; empty when it is fine
    bool ok() const { return error.isEmpty(); }
};

// Reads a project file's text, field by field: blanks before a field are
// skipped; a field in double quotes runs to the next double quote and the
// rest up to the comma or line end is passed over; any other field runs to
// the next comma or line end. The whole text is checked: a count that is not
// a number or a text that ends inside a record is an error. Once the
// counted records are read, a framing block ends the records; a damaged one
// is left out whole and said why in framingError.
ProjectRead readProjectText(const QString& text, int maxRecords);

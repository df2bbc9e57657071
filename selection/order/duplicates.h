#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Rows that order one photo more than once. Rows count from 1, as the grid's.
struct Duplicates {
    QList<QList<int>> samePhoto; // rows naming one file
    QList<QList<int>> sameBytes; // rows whose files, under two names or more, hold the same bytes
    bool isEmpty() const { return samePhoto.isEmpty() && sameBytes.isEmpty(); }
};

// files[0] is row 1's file. Only files of one size are read, each once, their
// contents told apart by fileDigest. Reads files: meant for a worker.
Duplicates findDuplicates(const QStringList& files);

// One line a group, in row order:
//   "Rows 1 and 4: the same photo, a.jpg"
//   "Rows 2, 5 and 6: identical files, a.jpg and a(1).jpg"
// Files are named by their full paths where their names alone are alike.
QStringList duplicateLines(const Duplicates& found, const QStringList& files);

// "1, 2 and 3"
QString together(const QStringList& items);

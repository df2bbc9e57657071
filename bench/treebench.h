#pragma once

#include "benchtable.h"

#include <QString>
#include <QStringList>

#include <vector>

class BenchWindow;

// The file list's "Add all N photos of this folder and its subfolders" on a
// tree of 300 photos of 12 MP in 20 folders, true copies of sources made in
// folder, against the serial sum of the JPEG library's 1/8-scale decode of
// each, the yardstick of a thumbnail.
void addTree(BenchWindow& bench, const QStringList& sources, const QString& folder, int runs,
             std::vector<FlowRuns>& table);

#pragma once

#include "benchtable.h"

#include <QString>

#include <vector>

class BenchWindow;

// The copy to a folder of 100 framed 24 MP photos, half a cut off centre and
// half the whole photo on white, against the serial sum of TurboJPEG's decode
// of each and its quality 95 encode of the same print.
void labFrames(BenchWindow& bench, const QString& folder, int runs, std::vector<FlowRuns>& table);

// The print frame of a 24 MP photo moved in the row editor by keys, the wheel
// and drags: each step's time from the input to the end of its paint,
// against one frame at 60 Hz.
void frameSteps(BenchWindow& bench, const QString& folder, int steps, std::vector<FlowRuns>& table);

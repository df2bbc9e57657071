#pragma once

#include <QString>

#include <vector>

// One measured flow: the flow's times and its reference's, run by run.
struct FlowRuns {
    QString flow;
    QString goal;         // e.g. "<= 1.25"
    double goalRatio = 0; // the goal as a number; 0 when there is none
    std::vector<double> flowMs;
    std::vector<double> referenceMs;
    double goalMs = 0;    // a goal for the flow's own time instead; 0 when none
    bool byWorst = false; // the goal holds for the largest ratio, not the median
};

// A memory figure, from a run of its own.
struct MemoryRun {
    QString flow;
    QString goal;
    double goalMb = 0;
    double peakMb = -1; // negative when it could not be measured
};

double median(std::vector<double> values);

// The table as README.md shows it: per flow the median, min and max of the
// ratio flow / reference, the median times, and whether the goal is met.
QString benchTable(const std::vector<FlowRuns>& flows, const std::vector<MemoryRun>& memory);

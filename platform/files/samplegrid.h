#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

// The columns and rows of a picture that a reader will look at, each list
// ascending and without repeats. A picture loaded for a known use keeps only
// these pixels; an empty grid stands for every pixel.
struct SampleGrid {
    std::vector<int> columns;
    std::vector<int> rows;
    bool empty() const { return columns.empty() || rows.empty(); }
    bool operator==(const SampleGrid&) const = default;
};

// Where the kept pixel for coordinate x lies among the kept ones: the last
// kept at or before floor(x), the first when x lies before all of them. A
// coordinate that was kept finds exactly its own pixel.
inline int keptIndex(const std::vector<int>& kept, double x) {
    const auto at = std::upper_bound(kept.begin(), kept.end(), x);
    return at == kept.begin() ? 0 : static_cast<int>(at - kept.begin()) - 1;
}

// The pixel a coordinate falls in along one side of a picture `pixels` wide
// that stands for `logical` units (the same when logical is 0 or equal):
// floor(x * pixels / logical), so a reduced picture is read where the full
// one would be.
inline int scaledPixel(double x, int pixels, int logical) {
    return static_cast<int>(
        std::floor(logical > 0 && logical != pixels ? x * pixels / logical : x));
}

// Whether everything wanted was kept.
inline bool covers(const SampleGrid& kept, const SampleGrid& wanted) {
    return std::includes(kept.columns.begin(), kept.columns.end(), wanted.columns.begin(),
                         wanted.columns.end()) &&
           std::includes(kept.rows.begin(), kept.rows.end(), wanted.rows.begin(),
                         wanted.rows.end());
}

// Both grids' columns and rows together.
inline SampleGrid joined(const SampleGrid& a, const SampleGrid& b) {
    SampleGrid out;
    std::set_union(a.columns.begin(), a.columns.end(), b.columns.begin(), b.columns.end(),
                   std::back_inserter(out.columns));
    std::set_union(a.rows.begin(), a.rows.end(), b.rows.begin(), b.rows.end(),
                   std::back_inserter(out.rows));
    return out;
}

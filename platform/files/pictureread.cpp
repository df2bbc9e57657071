#include "platform/files/pictureread.h"

#include <algorithm>
#include <numeric>

namespace {

std::vector<int> inside(std::vector<int> v, int size) {
    std::sort(v.begin(), v.end());
    v.erase(std::unique(v.begin(), v.end()), v.end());
    v.erase(std::remove_if(v.begin(), v.end(), [size](int p) { return p < 0 || p >= size; }),
            v.end());
    return v;
}

std::vector<int> every(int size) {
    std::vector<int> v(static_cast<std::size_t>(std::max(0, size)));
    std::iota(v.begin(), v.end(), 0);
    return v;
}

} // namespace

SampleGrid keptGrid(const SampleLayout& layout, QSize upright) {
    SampleGrid grid =
        layout ? layout(upright) : SampleGrid{every(upright.width()), every(upright.height())};
    grid.columns = inside(std::move(grid.columns), upright.width());
    grid.rows = inside(std::move(grid.rows), upright.height());
    if (grid.empty()) // a layout that wants nothing still gets a pixel
        grid = {{0}, {0}};
    return grid;
}

QRgb PictureRead::pixel(int x, int y) const {
    if (kept.empty())
        return image.pixel(x, y);
    return image.pixel(keptIndex(kept.columns, x), keptIndex(kept.rows, y));
}

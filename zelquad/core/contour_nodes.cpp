#include "zelquad/core/contour_nodes.h"

#include <cmath>

namespace zq {

int netRowHalfWidth(int row)
{
    return static_cast<int>(std::sqrt(10.05 * 10.05 - (row - 10) * (row - 10)));
}

std::vector<ContourNode> contourNodes(const DensityGrid& grid)
{
    std::vector<ContourNode> nodes;
    nodes.reserve(kContourNodeCount);
    auto add = [&](int row, int column) {
        nodes.push_back({70 + 4 * column, 120 - 4 * row, static_cast<double>(grid[10 + column][20 - row])});
    };
    for (int row = 0; row <= 20; ++row)
        for (int column = -netRowHalfWidth(row); column <= 0; ++column)
            add(row, column);
    for (int row = 0; row <= 20; ++row)
        for (int column = 1; column <= netRowHalfWidth(row); ++column)
            add(row, column);
    return nodes;
}

} // namespace zq

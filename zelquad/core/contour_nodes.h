// The nodes the density plot is contoured on: the grid nodes inside the net,
// in drawing units of the sheet (net centre (70, 80), one grid step = 4 units).
#pragma once

#include "zelquad/core/fracture_statistics.h"

#include <vector>

namespace zq {

constexpr int kContourNodeCount = 325;

struct ContourNode {
    int x = 0; // drawing units
    int y = 0;
    double density = 0; // percent
};

// Half-width in nodes of grid row 0..20 inside the net (1, 4, 6, 7, 8, 8, 9, 9, 9, 10, 10, 10, 9, ...).
int netRowHalfWidth(int row);

// Numbered in two passes over the rows from the top: first each row's left
// half with its middle node, then each row's right half. The triangle cache
// stores these numbers, so the order is part of its format.
std::vector<ContourNode> contourNodes(const DensityGrid& grid);

} // namespace zq

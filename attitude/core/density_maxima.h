// Density maxima: the highest node inside each traced line's bounding box at
// one contour level, sorted and listed as attitudes.
#pragma once

#include "attitude/core/equal_area_net.h"
#include "attitude/core/net_state.h"

#include <string>
#include <vector>

namespace kv {

// The highest node in the trace's bounding box (nodes from the first to the
// last row, and in each row from the first to the last column). Equal highest
// nodes give the mean of their positions; nodes of 0 tie with the starting
// value 0, so a box of zeros gives the mean of all its nodes with value 0.
DensityMaximum densityMaximumOfTrace(const NetState& state, const std::vector<TracePoint>& trace);

// Highest value first. Rows i < j are exchanged whenever row i's value is
// below row j's, for i from the first row and j after it: rows of equal value
// are never exchanged directly, which fixes their order.
void sortMaxima(std::vector<DensityMaximum>& maxima);

// The text of one maximum: azimuth and angle to two decimals, "237.09/42.13".
// Empty for a value that is not above 0 (its line stays empty).
std::string maximumText(const NetConstants& net, Projection rule, const DensityMaximum& maximum);

} // namespace kv

// Contour levels and contour line tracing over the density grid.
//
// Edges: H(r, c) joins node (r, c) to (r, c+1), its flag is bit 1 of
// cellFlags[r][c]; V(r, c) joins (r, c) to (r+1, c), its flag is bit 2. An edge
// is crossed by level v when (G1 - v)(G2 - v) < 0 in single precision.
//
// Edge codes, the crossing and the direction of travel:
//   1  H(row, col) moving down,  entering cell (row, col)
//   2  V(row, col) moving left,  entering cell (row, col - 1)
//   3  H(row, col) moving up,    entering cell (row - 1, col)
//   4  V(row, col) moving right, entering cell (row, col)
#pragma once

#include "attitude/core/net_state.h"

#include <functional>
#include <vector>

namespace kv {

// The levels of a density maximum m: six steps of m/6 above 12, four of m/4
// above 4, else two of m/2; a step below 1 gives one level. Level 1 is always
// drawn at 1.2; level k >= 2 at k * step (single precision).
struct ContourLevels {
    float step = 0;
    int count = 0;
    float value(int k) const { return k == 1 ? 1.2f : static_cast<float>(k) * step; }
};
ContourLevels contourLevels(float maxDensity);

// Nodes whose count equals the level exactly are raised by 0.001, so no node
// lies on a level.
void raiseTies(NetState& state, float level);

// Recomputes every crossing flag (rows and columns 0..20) for the level.
void setCellFlags(NetState& state, float level);

// Follows one line from the crossed edge (col, row, edgeCode): appends the
// crossing of every edge it passes to state.trace (nearest whole plot units,
// halves to even) and clears the flag of each edge it leaves a cell by. Stops
// at the grid border or in a cell with no crossed edge left. The caller clears
// the trace first and, for a border start, the start edge's flag. An edge
// code other than 1..4 does nothing. Written as a loop: no depth limit.
void traceLine(NetState& state, int col, int row, int edgeCode, float level);

// Every line of one level, in start order: raise the ties, set the flags, then
// the starts of the top, right, bottom and left borders, one further pass
// over the right border (flag with bit 2) and the bottom border (flag with bit
// 1) for lines that end on both the east and the south rim edge, then the
// interior (rows 0..19, columns 1..19, vertical flag). onLine sees each traced
// line right after its trace, in state.trace.
void traceLevel(NetState& state, float level, const std::function<void(const std::vector<TracePoint>&)>& onLine);

} // namespace kv

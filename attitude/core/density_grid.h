// The pole density grid: each node of the 21 x 21 grid over the net counts the
// points (records and rim copies) within 10 plot units of it, a circle of 1% of
// the net's area.
#pragma once

#include "attitude/core/net_state.h"

namespace kv {

// Rewrites the whole grid from poleXY and raises maxDensity to the largest
// count (it does not lower it: the contour command sets it to 0 first).
//
// Each point visits nine candidate nodes in the order (r, c), (r+1, c),
// (r-1, c), (r, c-1), (r+1, c-1), (r-1, c-1), (r, c+1), (r+1, c+1),
// (r-1, c+1), where (r, c) is the top-left node of its cell. A node further
// down or right sits at 0.9 * netRadius from the point's own node, one further
// up or left at 1.1 * netRadius, both products in double precision: 1.1 has no
// exact double, so a node exactly 10 above or left of a point on a grid line
// comes out just beyond the counting circle and is not counted, while one
// exactly 10 below or right is. That one-sided tie is intended.
void countDensity(NetState& state);

} // namespace kv

// Triangulation of the contour nodes by growing triangles edge by edge from
// the first one: each open edge takes the node on its far side that sees it
// under the widest angle. The node set is fixed, so the result is too
// (618 triangles, the first one nodes 0, 1, 5) and it is cached between runs.
#pragma once

#include "zelquad/core/contour_nodes.h"

#include <array>
#include <vector>

namespace zq {

constexpr int kTriangleCount = 618;

using Triangle = std::array<int, 3>; // node numbers: first, second, third
using Triangles = std::vector<Triangle>;

Triangles triangulate(const std::vector<ContourNode>& nodes);

} // namespace zq

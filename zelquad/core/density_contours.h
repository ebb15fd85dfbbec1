// Iso-density lines of the pole density plot: every triangle is cut at each
// level and the cuts are joined end to end into lines, in drawing units.
#pragma once

#include "zelquad/core/triangulation.h"

#include "platform/draw/drawing.h"

#include <vector>

namespace zq {

struct ContourLine {
    int level = 0; // percent
    std::vector<kv::Point> points; // at least two
};

// Levels first, first + step, ... below limit (0, 2, ..., 10 for 0, 12, 2).
std::vector<int> contourLevels(int first, int limit, int step);

// The lines of every level in turn. A node whose density equals a level is
// raised by 0.01 so that no line runs through a node. A line that leaves the
// node set starts at its free end; the lines are joined in one pass over the
// triangles, so one contour may come out in several pieces.
std::vector<ContourLine> densityContours(std::vector<ContourNode> nodes, const Triangles& triangles,
                                         int first, int limit, int step);

} // namespace zq

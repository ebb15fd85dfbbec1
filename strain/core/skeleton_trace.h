// The walk along the line pixels from one start pixel: a depth-first visit of
// the 8-connected line pixels that records four points at fixed step counts
// (a quarter, half, three quarters and the whole of the trace length) and
// marks the pixels it counts as visited.
#pragma once

#include "strain/core/pixel_map.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kv {

// State shared by every level of the walks from one start pixel; cleared
// before each start pixel.
struct ArcWalk {
    std::int32_t stepCount = 0;
    // P1..P4; P1 and P3 are recorded and the walk goes on, P2 and P4 are
    // recorded and that level returns without counting or marking the pixel.
    std::array<std::optional<PixelPos>, 4> points;

    bool complete() const
    {
        for (const auto& p : points)
            if (!p)
                return false;
        return true;
    }
};

// Per-level frame of the explicit stack: the pixel and the next neighbour
// to test. Kept by the caller so that one allocation serves a whole pass.
struct ArcFrame {
    int x = 0;
    int y = 0;
    int nextNeighbour = 0;
};
using ArcStack = std::vector<ArcFrame>;

// One walk from (x, y), as a recursion one level per entered pixel would do
// it, but on an explicit stack so that a large unthinned region cannot
// exhaust the call stack. Neighbours are tried in the order right, left, up,
// down, up-left, up-right, down-right, down-left (y downward), each when its
// turn comes. Pixels outside 2..W−2 × 2..H−2 are never entered. Each pixel
// counted is set to `mark` and, when `marked` is given, appended to it.
// traceLength is in steps (24 in the tool).
void traceArc(PixelMap& map, int x, int y, int traceLength, ArcWalk& walk, ArcStack& stack,
              std::int16_t mark = PixelMap::visited, std::vector<PixelPos>* marked = nullptr);

} // namespace kv

// The engine state of one equal-area net window (the preferred-orientation
// window and the petrofabric window each own one; nothing is shared): the net
// constants, the projected points, the density grid, the crossing flags of the
// contour level being traced, the line being traced and the density maxima.
//
// Grid addressing, used by the density count, the tracer and the maxima: node
// (r, c), r and c from 0 to 21, lies at x = 10c - 100, y = 100 - 10r (row 0 at
// the top, column 0 at the left). Only nodes 0..20 are ever counted; row 21 and
// column 21 stay 0, so every edge towards them is crossed by a line that
// reaches the border.
#pragma once

#include "kit/core/table_cells.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace kv {

// Last table row that can hold a record.
constexpr int kNetTableLastRow = 499;

// The net's constants, all single precision as the windows keep them.
struct NetConstants {
    float netRadius = 100;   // radius of the primitive circle, plot units
    float gridStep = 10;     // node spacing, and radius of the counting circle
    float netRadius2 = 10000; // inside-net limit, a constant of its own (not netRadius squared)
    // netRadius * sqrt(2) rounded to single precision: the equal-area scale.
    float areaScale = static_cast<float>(100.0 * 1.4142135623730951);
};

// A projected point in plot units (x east, y north), single precision.
struct NetPoint {
    float x = 0;
    float y = 0;
    friend bool operator==(const NetPoint& a, const NetPoint& b) { return a.x == b.x && a.y == b.y; }
};

// A crossing point of a traced contour line, rounded to whole plot units.
struct TracePoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TracePoint& a, const TracePoint& b) { return a.x == b.x && a.y == b.y; }
};

// The highest node inside one traced line's bounding box.
struct DensityMaximum {
    float x = 0;
    float y = 0;
    float value = 0;
};

constexpr int kGridNodes = 22; // nodes 0..21 in each direction
constexpr int kFlagCells = 21; // flag entries 0..20 in each direction

struct NetState {
    NetConstants net;

    // From the latest preparation that met no bad record.
    int pointCount = 0; // records N
    int plotCount = 0;  // N plus rim copies
    // plotCount points: the records in table order, then the rim copies in the
    // order of their records. No fixed size: 499 records give up to 998 points.
    std::vector<NetPoint> poleXY;

    // Point counts per node, [row][column]; raised by 0.001 where a contour
    // level fell exactly on a node.
    std::array<std::array<float, kGridNodes>, kGridNodes> densityGrid{};
    float maxDensity = 0;

    // Crossing flags of the current level, [row][column]: 1 when the edge to
    // the node on the right is crossed, 2 when the edge to the node below is.
    std::array<std::array<int, kFlagCells>, kFlagCells> cellFlags{};

    // The line being traced, in order; no fixed size.
    std::vector<TracePoint> trace;

    // Maxima of the latest contour diagram, sorted highest first.
    std::vector<DensityMaximum> maxima;

    float density(int row, int column) const { return densityGrid[row][column]; }
};

} // namespace kv

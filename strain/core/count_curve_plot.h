// The plot of the count curve: axes with ticks, the counts as blue crosses,
// the fitted curve in red and the two extremes as text, on the scale
// (-30, 200)-(200, -30) (y upwards, one unit a degree along x).
#pragma once

#include "kit/core/drawing.h"
#include "strain/core/count_curve_fit.h"

#include <cstdint>

namespace kv {

// The count axis: a count y is drawn at height (y - base) / unit.
struct CountAxis {
    double unit = 1;        // counts per plot unit: the range over 60, 1 for no range
    std::int32_t base = 0;  // y0: a multiple of 10 about 40 units below the smallest count, not below 0
    int tickStep = 1;       // plot units between ticks, at least 1
    std::int32_t labelStep = 10; // counts between labelled (every second) ticks
};

// From the counts of the fitted rows (column 2 of rows 1 to the whole part of
// 180 / step).
CountAxis countAxis(const TableCell& cell, const CountSettings& settings);

Drawing countCurvePlot(const TableCell& cell, const CountSettings& settings, const Polynomial& curve,
                       const CountCurveExtremes& extremes);

} // namespace kv

// The plot of the count curve: axes with ticks, the counts as blue crosses,
// the fitted curve in red and the two extremes as text, on the scale
// (-30, 200)-(200, -30) (y upwards, one unit a degree along x).
#pragma once

#include "platform/draw/drawing.h"
#include "strain/core/count_curve_fit.h"

#include <cstdint>

namespace kv {

// The count axis: a count y is drawn at height (y - base) / unit. Ticks stand
// from 0 to 160 units, every second one long; a long tick is labelled with the
// count at its height when it lies at least 6 units above the last label.
struct CountAxis {
    double unit = 1;        // counts per plot unit: the range over 60, 1 for no range
    std::int32_t base = 0;  // y0: a multiple of 10 about 40 units below the smallest count, not below 0
    int tickStep = 1;       // plot units between ticks: 5 / unit rounded, at least 1
};

// The count at height t, rounded: the label of a long tick.
std::int64_t countAxisLabel(const CountAxis& axis, int t);

// From the counts of the fitted rows (column 2 of rows 1 to the whole part of
// 180 / step).
CountAxis countAxis(const CellText& cell, const CountSettings& settings);

Drawing countCurvePlot(const CellText& cell, const CountSettings& settings, const Polynomial& curve,
                       const CountCurveExtremes& extremes);

} // namespace kv

// The three curvature-index charts: Ki of the measured fold, marked by a small
// circle, against its limb dip, its shortening or its L/h, over the reference
// curves of finite-element fold models for the layer's stress exponents 1
// (dotted), 3 (dashed) and 10 (solid). The user compares the circle with the
// curves to estimate the stress exponent.
#pragma once

#include "fold/core/rheometer_chart.h"

#include <vector>

namespace kv {

enum class KiChart {
    AgainstLimbDip,           // degrees; models with L/h = 12, viscosity ratio 100
    AgainstShortening,        // percent; models with viscosity ratio 100
    AgainstLengthToThickness, // models with limb dip 70 degrees, viscosity ratio 100
};

struct ReferenceCurve {
    int stressExponent = 0;
    LineStyle style = LineStyle::Solid;
    std::vector<Point> points; // (x on the chart's axis, Ki) in drawing order
};

// The chart's three curves in drawing order: exponent 1, 3, then 10.
std::vector<ReferenceCurve> referenceCurves(KiChart chart);

RheometerChart curvatureIndexChart(KiChart chart, const FoldShape& shape);

} // namespace kv

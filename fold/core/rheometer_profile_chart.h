// The profile and curvature chart: the fitted fold profile (black) and its
// curvature (blue) over one wavelength, x from 0 to 360 degrees, both scaled
// so that their largest value reaches the 1.00 mark (120 units).
#pragma once

#include "fold/core/rheometer_chart.h"

#include <string>

namespace kv {

// Units of the chart's y axis that stand for 1.
inline constexpr double kProfileChartUnit = 120.0;

// The series as printed above the chart: "F=1.20sin(x)-0.10sin(3x)+0.05sin(5x)".
// A "+" joins a coefficient above zero only, so a zero one reads "sin(x)0.00".
std::string profileSeriesLabel(const FoldProfile& profile);

// The profile's and the curvature's y on the chart at whole degrees 0..360,
// each scaled by 120 over its largest value; flat at 0 when that value is 0.
std::vector<Point> profileCurvePoints(const FoldProfile& profile);
std::vector<Point> curvatureCurvePoints(const FoldProfile& profile);

RheometerChart profileCurvatureChart(const FoldShape& shape);

} // namespace kv

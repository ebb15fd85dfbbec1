// The strain ellipse of the reverse-wheel method, drawn from the extremes of
// the count curve: long axis 80 units at the direction of the fewest
// boundaries, axial ratio largest / smallest fitted count.
#pragma once

#include "platform/draw/drawing.h"
#include "strain/core/count_curve_fit.h"

#include <optional>
#include <variant>

namespace kv {

enum class StrainEllipseRefusal {
    NoFit,              // no successful fit yet
    NonPositiveMinimum, // the smallest fitted count is 0 or below: no ratio
};

Notice strainEllipseNotice(StrainEllipseRefusal refusal);

// Axial ratio a / c = largest / smallest fitted count.
double strainEllipseRatio(const CountCurveExtremes& extremes);

// On the scale (-150, 150)-(150, -150): the axes, the red ellipse with its long
// axis, "椭圆 a/c =" with the ratio and "长轴方向:" with the direction.
std::variant<Drawing, StrainEllipseRefusal> strainEllipseDrawing(const std::optional<CountCurveExtremes>& fit);

} // namespace kv

// Smoothing of one traced contour line: a parametric cubic spline through the
// traced points, parameterised by chord length, with the end tangents fixed
// at (0.7, 0.7), evaluated at ten points inside each span; drawn only where a
// segment has both ends inside the net (or on its rim).
#pragma once

#include "attitude/core/net_state.h"
#include "platform/draw/drawing.h"

#include <vector>

namespace kv {

// The curve's points: for n traced points, 11(n - 1) + 1 of them (the traced
// points themselves and ten between each pair), in double precision. Empty
// for fewer than two points (nothing is drawn).
std::vector<Point> contourSpline(const std::vector<TracePoint>& trace);

// The tangent vector the spline fits at each traced point (plot units per
// unit of chord length); (0.7, 0.7) at both ends. Empty for fewer than two points.
std::vector<Point> splineTangents(const std::vector<TracePoint>& trace);

// The segments of the curve to draw: runs of consecutive segments whose two
// ends both satisfy x^2 + y^2 <= netRadius2, each run one polyline with its
// points in single precision. A segment leaving the net makes a gap.
std::vector<std::vector<Point>> curveInsideNet(const std::vector<Point>& curve, double netRadius2);

// The drawing of one traced line: its runs inside the net in black, width 1.
Drawing contourLineDrawing(const std::vector<TracePoint>& trace, double netRadius2);

} // namespace kv

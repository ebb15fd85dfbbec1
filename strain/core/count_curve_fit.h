// The count curve of the reverse-wheel method: a polynomial in the rotation
// angle (in tens of degrees) fitted to the boundary counts, and the angles of
// its largest and smallest value. The direction of the fewest boundaries is the
// long axis of the strain ellipse; largest / smallest is its axial ratio.
#pragma once

#include "platform/draw/drawing.h"
#include "strain/core/count_settings.h"
#include "strain/core/poly_fit.h"
#include "kit/core/table_cells.h"
#include "strain/core/notice.h"

#include <optional>
#include <string_view>
#include <variant>
#include <vector>

namespace kv {

enum class FitDegreeCheck {
    Accepted,
    OutOfBounds,        // below 1 or not below the line count + 1: refused without a word
    NotWhole,           // a fractional degree gives no usable system
    NotBelowPointCount, // as many coefficients as points or more: no least-squares fit
};

// The degree box's text, checked against the line count and the number of points.
FitDegreeCheck checkFitDegree(std::string_view degreeText, const CountSettings& settings,
                              std::size_t pointCount);
// The message for a refused degree that gets one (title "提示"); empty text for the others.
Notice fitDegreeNotice(FitDegreeCheck check);
// The message for a singular system.
Notice singularFitNotice();

// Points of the fit: table rows 1 to the whole part of 180 / step (single
// precision); x = angle / 10 in single precision, y = count. With the step 10
// the row of 180 degrees is left out.
std::vector<FitPoint> countFitPoints(const CellText& cell, const CountSettings& settings);

// Angles in degrees of the last local maximum and the last local minimum of
// the curve sampled every 1 degree from 1 to 179 (strict comparisons with the
// samples either side); with none, the angle stays 0 and the value f(0).
struct CountCurveExtremes {
    double maxangle = 0;
    double maxvalue = 0;
    double minangle = 0; // long-axis direction, counter-clockwise from the x axis
    float minvalue = 0;
};

// The samples of the drawn curve: x from 0 by 0.1 (accumulated, so the last
// one lies just below 18) while x <= 18.
std::vector<double> countCurveSamples();

CountCurveExtremes scanCountCurve(const Polynomial& curve);

struct CountCurve {
    Polynomial curve;
    CountCurveExtremes extremes;
    Drawing plot; // on the scale (-30, 200)-(200, -30)
};

// The dialog's fit: points, fit, extremes and plot. A degree the caller has
// not accepted with checkFitDegree must not be passed.
std::variant<CountCurve, PolyFitFailure> fitCountCurve(const CellText& cell, const CountSettings& settings,
                                                       int degree);

} // namespace kv

// The local fit at a start pixel: a polynomial v(u) through the start pixel
// and the four points its walk recorded, and the curvature of that curve at
// the start pixel. u and v are the pixel column and row (y downward) divided
// by 100, so the curvature is in units of 1/(100 pixels): 100/R for a radius
// of R pixels.
#pragma once

#include "platform/draw/drawing.h"
#include "strain/core/pixel_map.h"

#include <array>
#include <optional>
#include <vector>

namespace kv {

// Degree of the fitted polynomial in the tool.
constexpr int kCurvatureFitOrder = 2;

// Start pixel S, then P1, P2, P3, P4.
using FitPoints = std::array<PixelPos, 5>;

struct LocalFit {
    PixelPos start;
    std::vector<double> coefficients; // a1 .. a(N+1): v(u) = a1·u^N + … + a(N+1)
    double uMin = 0;                  // horizontal span of the five points, in u
    double uMax = 0;
    double curvature = 0;             // |v''| / (1 + v'^2)^1.5 at S, per 100 pixels

    double valueAt(double u) const;
};

// Why a start pixel gets no fit.
enum class FitRefusal {
    TooFewDistinctColumns, // fewer than order + 1 distinct x (a vertical run)
    ZeroPivot,             // the elimination met an exactly zero pivot
    NotFinite,             // coefficients, curvature or curve points overflowed
};

struct FitOutcome {
    std::optional<LocalFit> fit;
    FitRefusal refusal = FitRefusal::TooFewDistinctColumns; // meaningful without a fit
};

// Least squares through the five points by normal equations weighted by
// u^(r−1), solved by Gauss–Jordan elimination without pivot search.
FitOutcome fitLocalCurve(const FitPoints& points, int order = kCurvatureFitOrder);

// The fitted curve across the points' horizontal span, in pixel coordinates
// (rounded to single precision), one point per 0.01 of u from uMin while
// u <= uMax: a chain of one-pixel steps.
std::vector<Point> curvePoints(const LocalFit& fit);

} // namespace kv

// Shape and rheology of one folded competent layer, from three heights of its
// profile and three lengths.
//
// The profile is the odd sine series y(x) = a1 sin x + a3 sin 3x + a5 sin 5x.
// Its abscissa x is an angle in degrees: a quarter wavelength runs from the
// inflection point (x = 0, y = 0) to the hinge (x = 90), a whole wavelength from
// 0 to 360. Derivatives are taken with respect to x in radians. Lengths are in
// the user's unit. Values are kept in single precision, rounded where the
// measured results of the tool have always been rounded, so a report shows the
// numbers a user of the tool knows.
#pragma once

#include <optional>
#include <variant>

namespace kv {

// Pi as the rheometer turns profile degrees into radians.
inline constexpr double kRheometerPi = 3.1415926535;

// The six measurements of one fold.
struct FoldMeasurements {
    float y1 = 0;         // profile height at x = 30 degrees
    float y2 = 0;         // profile height at x = 60 degrees
    float y3 = 0;         // profile height at x = 90 degrees (the hinge)
    float arcLength = 0;  // L, length of the folded layer over one wavelength
    float wavelength = 0; // W
    float thickness = 0;  // h, thickness of the competent layer
};

// Coefficients of the profile series.
struct FoldProfile {
    float a1 = 0;
    float a3 = 0;
    float a5 = 0;
};

// What the analysis derives from the measurements.
struct FoldShape {
    FoldProfile profile;
    float limbDip = 0;        // alfa: degrees 0..90, dip of the limb at the inflection point
    float shortening = 0;     // S = 1 - W/L, a fraction (0.2 is 20 %)
    float lengthToThickness = 0; // L/h
    float curvatureIndex = 0; // Ki: fraction of the quarter wavelength, 0..1
};

// Why the measurements give no fold shape.
enum class FoldFault {
    ZeroArcLength,   // L = 0: the shortening divides by it
    ZeroThickness,   // h = 0: L/h divides by it
    BeyondPrecision, // a result too large for single precision
};

// The series through (30, y1), (60, y2) and (90, y3): exact for those three points.
FoldProfile profileThroughThirds(float y1, float y2, float y3);

// Height of the profile at x degrees, in double precision (for drawing).
double profileHeight(const FoldProfile& profile, double xDegrees);

// Signed curvature y'' / (1 + y'^2)^1.5 at x degrees, in single precision;
// negative where the profile bends down.
float profileCurvature(const FoldProfile& profile, float xDegrees);

// Dip of the limb at the inflection point, degrees 0..90: the arctangent of the
// profile's slope at x = 0.
float limbDipDegrees(const FoldProfile& profile);

// Curvature index Ki: where, between the inflection point and the place of the
// largest absolute curvature on the quarter wavelength (whole degrees), the
// absolute curvature is three quarters of that largest value; as a fraction of
// the quarter wavelength. Found by halving until the curvature is within 0.0001
// of the target, or until the halving no longer moves (a steep curvature near
// the hinge) or after 100 halvings. Empty when the curvature is not a number.
std::optional<float> curvatureIndex(const FoldProfile& profile);

// Every result of the measurements, or the reason there is none.
std::variant<FoldShape, FoldFault> analyseFold(const FoldMeasurements& measurements);

// Viscosity ratio M of the competent layer to its matrix: (L/h / 3.46)^3 * NL,
// NL being the stress exponent of the layer. Empty when M is beyond single precision.
std::optional<float> viscosityRatio(float lengthToThickness, float stressExponent);

} // namespace kv

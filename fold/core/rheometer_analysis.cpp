#include "fold/core/rheometer_analysis.h"

#include "platform/text/number_text.h"

#include <cmath>
#include <initializer_list>

namespace kv {

namespace {

float radiansOf(float xDegrees)
{
    return static_cast<float>(static_cast<double>(xDegrees) * kRheometerPi / 180.0);
}

bool allFinite(std::initializer_list<float> values)
{
    for (float v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

FoldProfile profileThroughThirds(float y1, float y2, float y3)
{
    const double root3 = std::sqrt(3.0);
    const double h1 = y1, h2 = y2, h3 = y3;
    FoldProfile p;
    p.a1 = static_cast<float>((root3 * h2 + h1 + h3) / 3.0);
    p.a3 = static_cast<float>((2.0 * h1 - h3) / 3.0);
    p.a5 = static_cast<float>((h1 - root3 * h2 + h3) / 3.0);
    return p;
}

double profileHeight(const FoldProfile& p, double xDegrees)
{
    const double t = xDegrees * kRheometerPi / 180.0;
    return p.a1 * std::sin(t) + p.a3 * std::sin(3.0 * t) + p.a5 * std::sin(5.0 * t);
}

float profileCurvature(const FoldProfile& p, float xDegrees)
{
    const float t = radiansOf(xDegrees);
    // The harmonics' factors multiply in single precision and the angles too,
    // as the tool's own numbers were computed; the sums are then rounded once.
    const double t3 = 3.0f * t, t5 = 5.0f * t;
    const float slope = static_cast<float>(p.a1 * std::cos(double(t)) + (3.0f * p.a3) * std::cos(t3)
                                           + (5.0f * p.a5) * std::cos(t5));
    const float bend = static_cast<float>(-p.a1 * std::sin(double(t)) - (9.0f * p.a3) * std::sin(t3)
                                          - (25.0f * p.a5) * std::sin(t5));
    const double slope2 = double(slope) * double(slope);
    return static_cast<float>(bend / std::pow(1.0 + slope2, 1.5));
}

float limbDipDegrees(const FoldProfile& p)
{
    const float slopeAtInflection = p.a1 + 3.0f * p.a3 + 5.0f * p.a5;
    return static_cast<float>(std::fabs(std::atan(double(slopeAtInflection))) * 180.0 / kRheometerPi);
}

std::optional<float> curvatureIndex(const FoldProfile& p)
{
    // The largest absolute curvature on the quarter wavelength, whole degrees;
    // ties keep the earlier place, the hinge being the first candidate.
    float steep = 90.0f;
    float kmax = std::fabs(profileCurvature(p, 90.0f));
    for (int x = 0; x <= 90; ++x) {
        const float k = std::fabs(profileCurvature(p, float(x)));
        if (!std::isfinite(k))
            return std::nullopt;
        if (k > kmax) {
            kmax = k;
            steep = float(x);
        }
    }
    if (!std::isfinite(kmax))
        return std::nullopt;
    const float target = static_cast<float>(0.75 * kmax);

    // The curvature is zero at the inflection point, so `flat` starts below the
    // target and `steep` above it. In single precision the tolerance can be out
    // of reach where the curvature rises steeply; the halving then stops moving.
    float flat = 0.0f;
    float mid = 0.0f;
    for (int halving = 0; halving < 100; ++halving) {
        const float previous = mid;
        mid = (steep + flat) / 2.0f;
        const float k = std::fabs(profileCurvature(p, mid));
        if (k <= target)
            flat = mid;
        else
            steep = mid;
        if (std::fabs(static_cast<float>(k - target)) < 0.0001f)
            break;
        if (halving > 0 && mid == previous)
            break;
    }
    return mid / 90.0f;
}

std::variant<FoldShape, FoldFault> analyseFold(const FoldMeasurements& m)
{
    if (m.arcLength == 0.0f)
        return FoldFault::ZeroArcLength;
    if (m.thickness == 0.0f)
        return FoldFault::ZeroThickness;

    FoldShape shape;
    shape.profile = profileThroughThirds(m.y1, m.y2, m.y3);
    const FoldProfile& p = shape.profile;
    if (!allFinite({p.a1, p.a3, p.a5}))
        return FoldFault::BeyondPrecision;
    const std::optional<float> ki = curvatureIndex(p);
    if (!ki)
        return FoldFault::BeyondPrecision;
    shape.curvatureIndex = *ki;
    shape.limbDip = limbDipDegrees(p);
    shape.shortening = 1.0f - m.wavelength / m.arcLength;
    shape.lengthToThickness = m.arcLength / m.thickness;
    if (!allFinite({shape.limbDip, shape.shortening, shape.lengthToThickness}))
        return FoldFault::BeyondPrecision;
    return shape;
}

std::optional<float> viscosityRatio(float lengthToThickness, float stressExponent)
{
    const double ratio = std::pow(double(lengthToThickness) / 3.46, 3.0) * double(stressExponent);
    return toSinglePrecision(ratio);
}

} // namespace kv

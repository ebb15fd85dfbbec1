#include "attitude/core/contour_smoothing.h"

#include <cmath>
#include <cstddef>

namespace kv {

namespace {

constexpr int kPointsPerSpan = 10;
constexpr double kEndTangent = 0.7;     // both components, at both ends
constexpr double kTangentScale = 0.6;
constexpr double kChordFloor = 0.005;
constexpr double kPivotThreshold = 0.0001;
constexpr double kPivotSubstitute = 0.001;

struct Vec {
    double v[2] = {0, 0}; // x, y
};

struct Fit {
    std::vector<Vec> p;       // the traced points
    std::vector<double> chord; // floored chords, one per span
    std::vector<Vec> tangent;  // one per point
};

Fit fit(const std::vector<TracePoint>& trace)
{
    Fit out;
    const std::size_t n = trace.size();
    const std::size_t m = n - 1;
    // P[i], i = 0..n-1 (the traced points, 1-based i+1 in the usual writing).
    std::vector<Vec> p(n);
    for (std::size_t i = 0; i < n; ++i)
        p[i] = Vec{{static_cast<double>(trace[i].x), static_cast<double>(trace[i].y)}};

    // Chords L[i] between P[i] and P[i+1], i = 0..m-1.
    std::vector<double> chord(m);
    for (std::size_t i = 0; i < m; ++i) {
        const double dx = p[i + 1].v[0] - p[i].v[0];
        const double dy = p[i + 1].v[1] - p[i].v[1];
        chord[i] = std::sqrt(dx * dx + dy * dy);
        if (chord[i] <= kChordFloor)
            chord[i] = kChordFloor;
    }

    // Tridiagonal system for the tangents M[0..n-1]: M[0] = M[m] = (0.7, 0.7);
    // interior rows lambda M[i-1] + 2 M[i] + mu M[i+1] = C[i]. Forward
    // elimination (u, Y), then back substitution.
    std::vector<double> u(n, 0.0);
    std::vector<Vec> y(n);
    y[0] = Vec{{kEndTangent, kEndTangent}};
    for (std::size_t i = 1; i < m; ++i) {
        const double lambda = chord[i] / (chord[i - 1] + chord[i]);
        const double mu = 1 - lambda;
        double d = 2 - lambda * u[i - 1];
        if (std::fabs(d) <= kPivotThreshold)
            d = kPivotSubstitute;
        u[i] = mu / d;
        for (int k = 0; k < 2; ++k) {
            const double c = 3 * lambda * (p[i].v[k] - p[i - 1].v[k]) / chord[i - 1]
                + 3 * mu * (p[i + 1].v[k] - p[i].v[k]) / chord[i];
            y[i].v[k] = (c - lambda * y[i - 1].v[k]) / d;
        }
    }
    std::vector<Vec> tangent(n);
    tangent[m] = Vec{{kEndTangent, kEndTangent}};
    for (std::size_t i = m; i-- > 0;)
        for (int k = 0; k < 2; ++k)
            tangent[i].v[k] = y[i].v[k] - u[i] * tangent[i + 1].v[k];
    out.p = std::move(p);
    out.chord = std::move(chord);
    out.tangent = std::move(tangent);
    return out;
}

} // namespace

std::vector<Point> splineTangents(const std::vector<TracePoint>& trace)
{
    if (trace.size() < 2)
        return {};
    std::vector<Point> out;
    for (const Vec& t : fit(trace).tangent)
        out.push_back({t.v[0], t.v[1]});
    return out;
}

std::vector<Point> contourSpline(const std::vector<TracePoint>& trace)
{
    const std::size_t n = trace.size();
    if (n < 2)
        return {};
    const std::size_t m = n - 1;
    const Fit f = fit(trace);
    const std::vector<Vec>& p = f.p;
    const std::vector<double>& chord = f.chord;
    const std::vector<Vec>& tangent = f.tangent;

    // Cubic Hermite evaluation, ten points inside each span; t advances by
    // repeated addition of 1/11.
    std::vector<Point> curve;
    curve.reserve(m * (kPointsPerSpan + 1) + 1);
    const double h = 1.0 / (kPointsPerSpan + 1);
    for (std::size_t i = 0; i < m; ++i) {
        curve.push_back({p[i].v[0], p[i].v[1]});
        double t = h;
        for (int j = 0; j < kPointsPerSpan; ++j) {
            const double t2 = t * t;
            const double t3 = t2 * t;
            const double h0 = 1 - 3 * t2 + 2 * t3;
            const double h1 = 3 * t2 - 2 * t3;
            const double h2 = t - 2 * t2 + t3;
            const double h3 = t3 - t2;
            double q[2];
            for (int k = 0; k < 2; ++k)
                q[k] = h0 * p[i].v[k] + h1 * p[i + 1].v[k]
                    + kTangentScale * chord[i] * (h2 * tangent[i].v[k] + h3 * tangent[i + 1].v[k]);
            curve.push_back({q[0], q[1]});
            t = t + h;
        }
    }
    curve.push_back({p[m].v[0], p[m].v[1]});
    return curve;
}

std::vector<std::vector<Point>> curveInsideNet(const std::vector<Point>& curve, double netRadius2)
{
    std::vector<std::vector<Point>> runs;
    if (curve.size() < 2)
        return runs;
    auto single = [](const Point& q) {
        return Point{static_cast<double>(static_cast<float>(q.x)), static_cast<double>(static_cast<float>(q.y))};
    };
    bool open = false; // the last run ends at the previous point
    double previous = curve[0].x * curve[0].x + curve[0].y * curve[0].y;
    for (std::size_t k = 1; k < curve.size(); ++k) {
        const double r = curve[k].x * curve[k].x + curve[k].y * curve[k].y;
        if (previous <= netRadius2 && r <= netRadius2) {
            if (!open)
                runs.push_back({single(curve[k - 1])});
            runs.back().push_back(single(curve[k]));
            open = true;
        } else {
            open = false;
        }
        previous = r;
    }
    return runs;
}

Drawing contourLineDrawing(const std::vector<TracePoint>& trace, double netRadius2)
{
    Drawing d;
    for (std::vector<Point>& run : curveInsideNet(contourSpline(trace), netRadius2))
        d.add(PolylineItem{std::move(run), Stroke{colours::black, 1, LineStyle::Solid}});
    return d;
}

} // namespace kv

#include "strain/core/local_curvature.h"

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

// Row-major (N+1) × (N+2) augmented matrix.
class Augmented {
public:
    explicit Augmented(int order) : rows_(order + 1), cols_(order + 2), v_(static_cast<std::size_t>(rows_ * cols_), 0.0) {}
    int rows() const { return rows_; }
    int cols() const { return cols_; }
    // 1-based, as the equations are written.
    double& operator()(int r, int c) { return v_[static_cast<std::size_t>((r - 1) * cols_ + (c - 1))]; }
    double operator()(int r, int c) const { return v_[static_cast<std::size_t>((r - 1) * cols_ + (c - 1))]; }

private:
    int rows_;
    int cols_;
    std::vector<double> v_;
};

int distinctColumns(const FitPoints& points)
{
    std::vector<int> xs;
    for (const PixelPos& p : points)
        xs.push_back(p.x);
    std::sort(xs.begin(), xs.end());
    return static_cast<int>(std::unique(xs.begin(), xs.end()) - xs.begin());
}

// Column c (c <= N+1) holds the coefficient of u^(N+1−c); row r is the
// equation weighted by u^(r−1); the last column is the right-hand side.
Augmented normalEquations(const FitPoints& points, int order)
{
    Augmented a(order);
    for (int r = 1; r <= a.rows(); ++r)
        for (int c = 1; c <= a.cols(); ++c)
            for (const PixelPos& p : points) {
                const double u = p.x / 100.0;
                const double v = p.y / 100.0;
                if (c == a.cols())
                    a(r, c) += std::pow(u, r - 1) * v;
                else
                    a(r, c) += std::pow(u, order + r - c);
            }
    return a;
}

// Gauss–Jordan on whole copies, every entry of step k from the matrix before
// step k. Empty on an exactly zero pivot.
std::optional<std::vector<double>> eliminate(Augmented a)
{
    Augmented b = a;
    for (int k = 1; k <= a.rows(); ++k) {
        const double pivot = a(k, k);
        if (pivot == 0.0)
            return std::nullopt;
        for (int i = 1; i <= a.rows(); ++i)
            for (int j = 1; j <= a.cols(); ++j)
                b(i, j) = (i == k) ? a(k, j) / pivot : a(i, j) - (a(k, j) * a(i, k)) / pivot;
        a = b;
    }
    std::vector<double> coefficients;
    for (int c = 1; c <= a.rows(); ++c)
        coefficients.push_back(a(c, a.cols()));
    return coefficients;
}

// Coefficients of the derivative, highest power first.
std::vector<double> derivative(const std::vector<double>& coefficients)
{
    std::vector<double> d;
    const int degree = static_cast<int>(coefficients.size()) - 1;
    for (int i = 0; i < degree; ++i)
        d.push_back((degree - i) * coefficients[static_cast<std::size_t>(i)]);
    return d;
}

double evaluate(const std::vector<double>& coefficients, double u)
{
    double v = 0;
    for (double a : coefficients)
        v = v * u + a;
    return v;
}

bool allFinite(const std::vector<double>& values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

FitOutcome refused(FitRefusal why)
{
    FitOutcome out;
    out.refusal = why;
    return out;
}

} // namespace

double LocalFit::valueAt(double u) const { return evaluate(coefficients, u); }

std::vector<Point> curvePoints(const LocalFit& fit)
{
    std::vector<Point> points;
    const auto pixel = [](double value) { return static_cast<double>(static_cast<float>(100 * value)); };
    for (double u = fit.uMin; u <= fit.uMax; u += 0.01) {
        const Point p{pixel(u), pixel(fit.valueAt(u))};
        if (points.empty() || !(points.back() == p))
            points.push_back(p);
    }
    if (points.empty()) // a span of zero width still has its one point
        points.push_back({pixel(fit.uMin), pixel(fit.valueAt(fit.uMin))});
    return points;
}

FitOutcome fitLocalCurve(const FitPoints& points, int order)
{
    if (distinctColumns(points) < order + 1)
        return refused(FitRefusal::TooFewDistinctColumns);
    const auto coefficients = eliminate(normalEquations(points, order));
    if (!coefficients)
        return refused(FitRefusal::ZeroPivot);

    LocalFit fit;
    fit.start = points[0];
    fit.coefficients = *coefficients;
    const double u0 = fit.start.x / 100.0;
    fit.uMin = fit.uMax = u0;
    for (const PixelPos& p : points) {
        fit.uMin = std::min(fit.uMin, p.x / 100.0);
        fit.uMax = std::max(fit.uMax, p.x / 100.0);
    }
    const auto first = derivative(fit.coefficients);
    const double slope = evaluate(first, u0);
    const double bend = evaluate(derivative(first), u0);
    fit.curvature = std::abs(bend / std::pow(1 + slope * slope, 1.5));

    if (!allFinite(fit.coefficients) || !std::isfinite(fit.curvature))
        return refused(FitRefusal::NotFinite);
    for (const Point& p : curvePoints(fit))
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return refused(FitRefusal::NotFinite);
    FitOutcome out;
    out.fit = std::move(fit);
    return out;
}

} // namespace kv

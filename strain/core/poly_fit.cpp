#include "strain/core/poly_fit.h"

#include <cmath>
#include <utility>

namespace kv {

double Polynomial::operator()(double x) const
{
    const int n = degree();
    double sum = 0;
    for (int j = 0; j <= n; ++j)
        sum += coefficients[static_cast<std::size_t>(j)] * std::pow(x, n - j);
    return sum;
}

namespace {

using Matrix = std::vector<std::vector<double>>;

// Row i (from 0) is the normal equation of the coefficient of x^i; column j
// (from 0) multiplies the coefficient of x^(n - j). The last column is the
// right-hand side.
Matrix normalEquations(const std::vector<FitPoint>& points, int n)
{
    const int m = n + 1;
    Matrix a(static_cast<std::size_t>(m), std::vector<double>(static_cast<std::size_t>(m + 1), 0.0));
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < m; ++j)
            for (const FitPoint& p : points)
                a[i][j] += std::pow(p.x, n + i - j);
        for (const FitPoint& p : points)
            a[i][m] += p.y * std::pow(p.x, i);
    }
    return a;
}

// Swaps in the first lower row with a non-zero entry in the pivot column.
bool replaceZeroPivot(Matrix& a, int p)
{
    for (std::size_t r = static_cast<std::size_t>(p) + 1; r < a.size(); ++r)
        if (a[r][p] != 0.0) {
            std::swap(a[r], a[p]);
            return true;
        }
    return false;
}

// One elimination step, every entry computed from the matrix before the step.
Matrix eliminate(const Matrix& a, int p)
{
    Matrix b = a;
    const double pivot = a[p][p];
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < a[i].size(); ++j)
            b[i][j] = static_cast<int>(i) == p ? a[p][j] / pivot : a[i][j] - a[p][j] * a[i][p] / pivot;
    return b;
}

} // namespace

std::variant<Polynomial, PolyFitFailure> polyFit(const std::vector<FitPoint>& points, int degree)
{
    if (degree < 0)
        return PolyFitFailure::Singular;
    Matrix a = normalEquations(points, degree);
    const int m = degree + 1;
    for (int p = 0; p < m; ++p) {
        if (a[p][p] == 0.0 && !replaceZeroPivot(a, p))
            return PolyFitFailure::Singular;
        a = eliminate(a, p);
    }
    Polynomial fit;
    for (int j = 0; j < m; ++j) {
        // A pivot that is zero only by rounding leaves huge or undefined
        // coefficients; they would draw nothing useful and divide by nothing.
        if (!std::isfinite(a[j][m]))
            return PolyFitFailure::Singular;
        fit.coefficients.push_back(a[j][m]);
    }
    return fit;
}

} // namespace kv

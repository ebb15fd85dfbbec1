// Least-squares polynomial fit by the normal equations, solved by Gauss-Jordan
// elimination that swaps rows only for an exactly zero pivot (so results match
// the counts and curves users already have, pivot rounding and all).
#pragma once

#include <variant>
#include <vector>

namespace kv {

struct FitPoint {
    double x = 0;
    double y = 0;
};

// f(x) = c[0] x^N + c[1] x^(N-1) + ... + c[N]: powers in descending order.
struct Polynomial {
    std::vector<double> coefficients;

    int degree() const { return static_cast<int>(coefficients.size()) - 1; }
    // Term by term, each power evaluated afresh (as the fitted curves were drawn).
    double operator()(double x) const;
};

enum class PolyFitFailure {
    Singular, // no row can replace a zero pivot, or the solution is not finite
};

// Fits a polynomial of the given degree (0 or more) to the points.
std::variant<Polynomial, PolyFitFailure> polyFit(const std::vector<FitPoint>& points, int degree);

} // namespace kv

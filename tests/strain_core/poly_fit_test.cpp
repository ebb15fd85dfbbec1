#include "strain/core/poly_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kv {
namespace {

TEST(PolyFit, RecoversExactPolynomialsHighestPowerFirst)
{
    const struct {
        const char* name;
        std::vector<FitPoint> points;
        int degree;
        std::vector<double> coefficients;
    } cases[] = {
        {"line", {{0, 1}, {1, 3}, {2, 5}}, 1, {2, 1}},
        {"zero first pivot needs a row swap", {{-1, 1}, {1, 5}}, 1, {2, 3}},
        {"constant is the mean", {{0, 1}, {5, 2}, {9, 6}}, 0, {3}},
        {"cubic", {{0, 3}, {1, 2.5}, {2, 4}, {3, 13.5}, {4, 37}, {5, 80.5}}, 3, {1, -2, 0.5, 3}},
        {"least squares line", {{0, 0}, {1, 1}, {2, 0}, {3, 1}}, 1, {0.2, 0.2}},
    };
    for (const auto& c : cases) {
        const auto fit = polyFit(c.points, c.degree);
        ASSERT_TRUE(std::holds_alternative<Polynomial>(fit)) << c.name;
        const auto& got = std::get<Polynomial>(fit).coefficients;
        ASSERT_EQ(got.size(), c.coefficients.size()) << c.name;
        for (std::size_t j = 0; j < got.size(); ++j)
            EXPECT_NEAR(got[j], c.coefficients[j], 1e-9) << c.name << " c" << j;
    }
}

TEST(PolyFit, SingularSystemsGiveAReasonNotNumbers)
{
    const struct {
        const char* name;
        std::vector<FitPoint> points;
        int degree;
    } cases[] = {
        {"no points", {}, 2},
        {"one x only", {{2, 1}, {2, 3}, {2, 5}}, 1},
        {"every x zero", {{0, 1}, {0, 2}}, 1},
    };
    for (const auto& c : cases) {
        const auto fit = polyFit(c.points, c.degree);
        ASSERT_TRUE(std::holds_alternative<PolyFitFailure>(fit)) << c.name;
    }
}

} // namespace
} // namespace kv

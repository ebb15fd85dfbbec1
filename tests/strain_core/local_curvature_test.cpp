#include "strain/core/local_curvature.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(LocalCurvature, FitsThroughPointsOfKnownCurves)
{
    struct Case {
        const char* what;
        FitPoints points; // S first
        std::vector<double> coefficients;
        double curvature; // per 100 pixels
    };
    const Case cases[] = {
        // y = x²/100 in pixels is v = u²: at u = 0.2, v' = 0.4 and v'' = 2,
        // so k = 2 / 1.16^1.5 = 1.600821.
        {"parabola v = u²", {{{20, 4}, {0, 0}, {10, 1}, {30, 9}, {40, 16}}}, {1, 0, 0}, 1.600821},
        {"vertex of v = u² + 0.5", {{{0, 50}, {10, 51}, {20, 54}, {-10, 51}, {-20, 54}}}, {1, 0, 0.5}, 2.0},
        {"a 45° line", {{{30, 30}, {36, 36}, {42, 42}, {23, 23}, {17, 17}}}, {0, 1, 0}, 0.0},
        {"a level line", {{{30, 20}, {36, 20}, {42, 20}, {23, 20}, {17, 20}}}, {0, 0, 0.2}, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const FitOutcome out = fitLocalCurve(c.points);
        ASSERT_TRUE(out.fit);
        ASSERT_EQ(out.fit->coefficients.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_NEAR(out.fit->coefficients[i], c.coefficients[i], 1e-9) << "a" << i + 1;
        EXPECT_NEAR(out.fit->curvature, c.curvature, 1e-6);
    }
    // The drawn piece runs across the points' span in one-pixel steps, on the curve.
    const std::vector<Point> chain = curvePoints(*fitLocalCurve(cases[0].points).fit);
    ASSERT_GE(chain.size(), 40u); // the running sum of 0.01 may pass 0.4 just before it
    EXPECT_NEAR(chain[0].y, 0.0, 1e-4);
    EXPECT_NEAR(chain[30].x, 30.0, 1e-4);
    EXPECT_NEAR(chain[30].y, 9.0, 1e-4);
}

TEST(LocalCurvature, VerticalRunsGiveNoFit)
{
    const FitPoints cases[] = {
        {{{30, 20}, {30, 26}, {30, 32}, {30, 13}, {30, 7}}}, // one column
        {{{30, 20}, {31, 26}, {31, 32}, {30, 13}, {30, 7}}}, // two columns
    };
    for (const FitPoints& points : cases) {
        const FitOutcome out = fitLocalCurve(points);
        EXPECT_FALSE(out.fit);
        EXPECT_EQ(out.refusal, FitRefusal::TooFewDistinctColumns);
    }
}

} // namespace
} // namespace kv

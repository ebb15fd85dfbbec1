#include "fold/core/rheometer_analysis.h"

#include <gtest/gtest.h>

#include <variant>

namespace kv {
namespace {

// Expected values from a separate double-precision route: the series' curvature
// written out analytically, the three-quarter point found on a grid of 10^-4
// degree below the largest curvature.
TEST(FoldAnalysis, WorkedProfilesGiveTheirShapeAndCurvatureIndex)
{
    struct Case {
        float y1, y2, y3;
        double a1, a3, a5, limbDip, ki;
    };
    const Case cases[] = {
        {0.5f, 0.866f, 1.0f, 1.0, 0.0, 0.0, 45.0, 0.7486},     // a pure sine; |k| = 0.75 at 67.4 degrees
        {1.0f, 2.0f, 3.0f, 2.4880, -1.0 / 3, 0.1786, 67.22, 0.9713}, // curvature packed near the hinge
        {2.0f, 3.0f, 3.2f, 3.4654, 0.2667, 0.0013, 76.82, 0.6554},
        {3.0f, 2.0f, 1.0f, 2.4880, 5.0 / 3, 0.1786, 83.20, 0.3640}, // largest curvature off the hinge
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.y1 << ", " << c.y2 << ", " << c.y3);
        const auto result = analyseFold({c.y1, c.y2, c.y3, 100, 80, 5});
        ASSERT_TRUE(std::holds_alternative<FoldShape>(result));
        const FoldShape& s = std::get<FoldShape>(result);
        EXPECT_NEAR(s.profile.a1, c.a1, 1e-4);
        EXPECT_NEAR(s.profile.a3, c.a3, 1e-4);
        EXPECT_NEAR(s.profile.a5, c.a5, 1e-4);
        EXPECT_NEAR(s.limbDip, c.limbDip, 0.01);
        EXPECT_NEAR(s.curvatureIndex, c.ki, 0.0005);
        EXPECT_NEAR(s.shortening, 0.2, 1e-6);
        EXPECT_NEAR(s.lengthToThickness, 20.0, 1e-6);
    }
}

TEST(FoldAnalysis, ProfilePassesThroughItsThreeHeights)
{
    const float heights[][3] = {{0.5f, 0.866f, 1.0f}, {1, 2, 3}, {2, 3, 3.2f}, {-4, 0, 7.5f}, {0, 0, 0}};
    for (const auto& y : heights) {
        const FoldProfile p = profileThroughThirds(y[0], y[1], y[2]);
        EXPECT_NEAR(profileHeight(p, 30), y[0], 1e-5);
        EXPECT_NEAR(profileHeight(p, 60), y[1], 1e-5);
        EXPECT_NEAR(profileHeight(p, 90), y[2], 1e-5);
        EXPECT_NEAR(profileHeight(p, 0), 0.0, 1e-6); // the inflection point
    }
}

TEST(FoldAnalysis, CurvatureOfASineBySignAndSize)
{
    // y = sin x: k = -sin x / (1 + cos^2 x)^1.5.
    const FoldProfile sine{1, 0, 0};
    const struct {
        float x;
        double k;
    } cases[] = {{0, 0}, {45, -0.3849}, {90, -1}, {180, 0}, {270, 1}};
    for (const auto& c : cases)
        EXPECT_NEAR(profileCurvature(sine, c.x), c.k, 1e-4) << c.x;
}

TEST(FoldAnalysis, HalvingEndsWhereTheToleranceIsOutOfReach)
{
    // Heights far above the quarter wavelength (pi/2) make the curvature rise so
    // steeply at the hinge that single precision cannot bring it within 0.0001
    // of the target; the halving must still end near the right place.
    const struct {
        float y1, y2, y3;
        double ki;
    } cases[] = {{100, 200, 300, 0.99971}, {1e4f, 2e4f, 3e4f, 0.99999}};
    for (const auto& c : cases) {
        const std::optional<float> ki = curvatureIndex(profileThroughThirds(c.y1, c.y2, c.y3));
        ASSERT_TRUE(ki) << c.y1;
        EXPECT_NEAR(*ki, c.ki, 0.00005) << c.y1;
    }
}

TEST(FoldAnalysis, MeasurementsWithoutAShapeGiveTheirReason)
{
    const struct {
        FoldMeasurements m;
        FoldFault fault;
    } cases[] = {
        {{0.5f, 0.866f, 1, 0, 80, 5}, FoldFault::ZeroArcLength},
        {{0.5f, 0.866f, 1, 100, 80, 0}, FoldFault::ZeroThickness},
        {{0.5f, 0.866f, 1, 3e38f, 80, 0.5f}, FoldFault::BeyondPrecision}, // L/h overflows
        {{3e38f, 3e38f, 3e38f, 100, 80, 5}, FoldFault::BeyondPrecision},  // a1 overflows
    };
    for (const auto& c : cases) {
        const auto result = analyseFold(c.m);
        ASSERT_TRUE(std::holds_alternative<FoldFault>(result));
        EXPECT_EQ(std::get<FoldFault>(result), c.fault);
    }
    // W above L is a lengthening, not a fault.
    const auto stretched = analyseFold({0.5f, 0.866f, 1, 80, 100, 5});
    ASSERT_TRUE(std::holds_alternative<FoldShape>(stretched));
    EXPECT_NEAR(std::get<FoldShape>(stretched).shortening, -0.25, 1e-6);
}

} // namespace
} // namespace kv

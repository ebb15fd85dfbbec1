#include "attitude/core/contour_smoothing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kv {
namespace {

TEST(ContourSmoothing, TwoPointsMakeASlightSCurveOfTwelvePoints)
{
    const std::vector<Point> q = contourSpline({{0, 0}, {10, 0}});
    const double expected[12][2] = {{0, 0},       {0.52, 0.28}, {1.27, 0.40},  {2.20, 0.38},
                                    {3.27, 0.27}, {4.41, 0.09}, {5.59, -0.09}, {6.73, -0.27},
                                    {7.80, -0.38}, {8.73, -0.40}, {9.48, -0.28}, {10, 0}};
    ASSERT_EQ(q.size(), 12u);
    for (std::size_t k = 0; k < 12; ++k) {
        EXPECT_NEAR(q[k].x, expected[k][0], 0.005) << k;
        EXPECT_NEAR(q[k].y, expected[k][1], 0.005) << k;
    }
    EXPECT_EQ(q.front(), (Point{0, 0}));
    EXPECT_EQ(q.back(), (Point{10, 0}));
}

TEST(ContourSmoothing, ThreePointsFitTheInnerTangentBetweenFixedEnds)
{
    const std::vector<TracePoint> trace{{0, 0}, {10, 0}, {20, 10}};
    const std::vector<Point> m = splineTangents(trace);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0], (Point{0.7, 0.7}));
    EXPECT_NEAR(m[1].x, 0.97, 0.005);
    EXPECT_NEAR(m[1].y, 0.09, 0.005);
    EXPECT_EQ(m[2], (Point{0.7, 0.7}));
    EXPECT_EQ(contourSpline(trace).size(), 23u);
}

TEST(ContourSmoothing, OnePointDrawsNothing)
{
    EXPECT_TRUE(contourSpline({{5, 5}}).empty());
    EXPECT_TRUE(contourLineDrawing({{5, 5}}, 10000).items.empty());
}

TEST(ContourSmoothing, RepeatedPointsStayPut)
{
    const std::vector<Point> q = contourSpline({{30, 40}, {30, 40}, {40, 40}});
    ASSERT_EQ(q.size(), 23u);
    for (std::size_t k = 0; k <= 11; ++k) {
        EXPECT_NEAR(q[k].x, 30, 0.01) << k;
        EXPECT_NEAR(q[k].y, 40, 0.01) << k;
    }
}

TEST(ContourSmoothing, FourHundredPointsGiveFourThousandThreeHundredNinetyCurvePoints)
{
    std::vector<TracePoint> trace;
    for (int i = 0; i < 400; ++i)
        trace.push_back({(i % 20) * 5 - 50, (i / 20) * 5 - 50});
    EXPECT_EQ(contourSpline(trace).size(), 4390u);
}

TEST(ContourSmoothing, OnlySegmentsWithBothEndsInsideTheNetAreDrawn)
{
    // Ends exactly on the rim count as inside; a point just outside cuts the run.
    const std::vector<Point> curve{{0, 100}, {60, 80}, {80, 60}, {80.01, 60}, {100, 0}, {0, 0}, {-100, 0}};
    const auto runs = curveInsideNet(curve, 10000);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (std::vector<Point>{{0, 100}, {60, 80}, {80, 60}}));
    EXPECT_EQ(runs[1], (std::vector<Point>{{100, 0}, {0, 0}, {-100, 0}}));
}

TEST(ContourSmoothing, ALineBulgingPastTheRimHasAGap)
{
    // Both traced points inside; the fixed start tangent (0.7, 0.7) swings
    // the curve out past the rim first.
    const std::vector<TracePoint> trace{{0, 99}, {99, 0}};
    const Drawing d = contourLineDrawing(trace, 10000);
    std::size_t segments = 0;
    for (const PolylineItem& p : d.all<PolylineItem>()) {
        segments += p.points.size() - 1;
        for (const Point& q : p.points)
            EXPECT_LE(q.x * q.x + q.y * q.y, 10000.01);
        EXPECT_EQ(p.stroke.colour, colours::black);
        EXPECT_EQ(p.stroke.width, 1);
    }
    EXPECT_LT(segments, 11u);
    EXPECT_GT(segments, 0u);
}

} // namespace
} // namespace kv

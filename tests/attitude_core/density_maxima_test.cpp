#include "attitude/core/density_maxima.h"

#include "attitude/core/net_diagrams.h"
#include "net_test_table.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(DensityMaxima, HighestNodeInTheBoxAndTheMeanOfEqualOnes)
{
    NetState s;
    s.densityGrid[9][10] = 4;
    s.densityGrid[9][11] = 4;
    s.densityGrid[10][10] = 2;
    const DensityMaximum m = densityMaximumOfTrace(s, {{-3, 15}, {16, 8}, {5, -4}});
    EXPECT_EQ(m.value, 4.0f);
    EXPECT_EQ(m.x, 5.0f); // midpoint of (0, 10) and (10, 10)
    EXPECT_EQ(m.y, 10.0f);
}

TEST(DensityMaxima, OnePointTraceLooksAtTheTopLeftNodeOfItsCell)
{
    NetState s;
    s.densityGrid[8][12] = 3;
    const DensityMaximum m = densityMaximumOfTrace(s, {{27, 13}});
    EXPECT_EQ(m.value, 3.0f);
    EXPECT_EQ(m.x, 20.0f);
    EXPECT_EQ(m.y, 20.0f);
}

TEST(DensityMaxima, AnEmptyBoxGivesValueZeroAndNoText)
{
    NetState s;
    const DensityMaximum m = densityMaximumOfTrace(s, {{0, 0}, {10, -10}});
    EXPECT_EQ(m.value, 0.0f);
    // Zeros tie with the starting value 0, whose position (0, 0) is counted
    // too: (0 + 0 + 10 + 0 + 10) / 5 and (0 + 0 + 0 - 10 - 10) / 5.
    EXPECT_EQ(m.x, 4.0f);
    EXPECT_EQ(m.y, -4.0f);
    EXPECT_EQ(maximumText(s.net, Projection::PlanePole, m), "");
}

TEST(DensityMaxima, SortRunsHighestFirstAndKeepsTheOrderItWasWrittenWith)
{
    std::vector<DensityMaximum> rows{{1, 0, 2}, {2, 0, 5}, {3, 0, 2}, {4, 0, 7}, {5, 0, 5}};
    sortMaxima(rows);
    std::vector<float> xs;
    for (const DensityMaximum& r : rows)
        xs.push_back(r.x);
    // Exchanges: (1,2) 2<5 -> 2,1,3,4,5; (1,4) 5<7 -> 4,1,3,2,5; then
    // (2,3) no, (2,4) 2<5 -> 4,2,3,1,5; (2,5) 5=5 no; (3,4) 2=2 no;
    // (3,5) 2<5 -> 4,2,5,1,3; (4,5) 2=2 no.
    EXPECT_EQ(xs, (std::vector<float>{4, 2, 5, 1, 3}));
}

TEST(DensityMaxima, MaximumTextIsTheAttitudeToTwoDecimals)
{
    const NetConstants net;
    EXPECT_EQ(maximumText(net, Projection::PlanePole, {-30, -40, 3}), "216.87/41.41");
    EXPECT_EQ(maximumText(net, Projection::Line, {-30, -40, 3}), "216.87/48.59");
}

TEST(DensityMaxima, ATightClusterOfADozenPlanesHasItsMaximumOnTheCluster)
{
    test::NetTable table;
    const int dips[] = {38, 40, 42, 39, 41, 40, 40, 38, 42, 41, 39, 40};
    for (int i = 0; i < 12; ++i)
        table.rows.push_back({std::to_string(117 + (i % 7)), std::to_string(dips[i])});
    PreferredOrientationEngine engine;
    engine.dataType = "P";
    const NetDiagram d = engine.contourDiagram(table.cells(), "1999-1-2");
    ASSERT_TRUE(d.drawing);
    ASSERT_FALSE(engine.state.maxima.empty());
    const DensityMaximum& top = engine.state.maxima.front();
    EXPECT_EQ(top.value, engine.state.maxDensity);
    const NetAttitude a = attitudeAtNetPoint(engine.state.net, Projection::PlanePole, top.x, top.y);
    EXPECT_NEAR(a.azimuth, 120, 6);
    EXPECT_NEAR(a.angle, 40, 4);
    for (std::size_t i = 1; i < engine.state.maxima.size(); ++i)
        EXPECT_GE(engine.state.maxima[i - 1].value, engine.state.maxima[i].value);
}

} // namespace
} // namespace kv

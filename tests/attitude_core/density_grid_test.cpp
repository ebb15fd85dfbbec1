#include "attitude/core/density_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

namespace kv {
namespace {

using Node = std::pair<int, int>; // row, column

// The nodes with a count after counting these points, and the state.
NetState counted(std::vector<NetPoint> points)
{
    NetState s;
    s.poleXY = std::move(points);
    s.plotCount = static_cast<int>(s.poleXY.size());
    s.pointCount = s.plotCount;
    countDensity(s);
    return s;
}

std::set<Node> countedNodes(const NetState& s)
{
    std::set<Node> out;
    for (int r = 0; r < kGridNodes; ++r)
        for (int c = 0; c < kGridNodes; ++c)
            if (s.density(r, c) != 0)
                out.insert({r, c});
    return out;
}

struct CountCase {
    const char* name;
    NetPoint point;
    std::set<Node> nodes;
};

TEST(DensityGrid, EachPointCountsAtTheNodesWithinTenWithTheOneSidedTie)
{
    const float justAboveMinus50 = std::nextafter(-50.0f, 0.0f);
    const CountCase cases[] = {
        {"centre: the nodes 10 below and right count, not above and left", {0, 0}, {{10, 10}, {11, 10}, {10, 11}}},
        {"inside a cell: its four corners", {5, 5}, {{9, 10}, {9, 11}, {10, 10}, {10, 11}}},
        {"rim copy west of the net", {-105, 0}, {{10, 0}}},
        {"a node on the rim reached through 1.1 is outside", {-90, 0}, {{10, 1}, {11, 1}, {10, 2}}},
        {"vertical plane's pole: (0, 11) lies outside the net", {0, 100}, {{0, 10}, {1, 10}}},
        {"its copy", {0, -100}, {{20, 10}}},
        {"own node one row too far by single rounding", {50, justAboveMinus50}, {{15, 15}, {14, 15}}},
    };
    for (const CountCase& c : cases) {
        const NetState s = counted({c.point});
        EXPECT_EQ(countedNodes(s), c.nodes) << c.name;
        EXPECT_EQ(s.maxDensity, 1.0f) << c.name;
    }
}

TEST(DensityGrid, CountsAddUpAndMaxDensityIsTheLargest)
{
    const NetState s = counted({{5, 5}, {5, 5}, {6, 4}, {-33, 71}});
    EXPECT_EQ(s.density(9, 10), 3.0f);
    EXPECT_EQ(s.maxDensity, 3.0f);
    for (int i = 0; i < kGridNodes; ++i) {
        EXPECT_EQ(s.density(21, i), 0.0f);
        EXPECT_EQ(s.density(i, 21), 0.0f);
    }
}

TEST(DensityGrid, NoPointLeavesTheGridZeroAndMaxDensityAsItWas)
{
    NetState s;
    s.densityGrid[3][3] = 5;
    s.maxDensity = 2;
    countDensity(s);
    EXPECT_TRUE(countedNodes(s).empty());
    EXPECT_EQ(s.maxDensity, 2.0f);
}

} // namespace
} // namespace kv

#include "strain/core/skeleton_trace.h"

#include "tests/strain_core/line_maps.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

// A horizontal line from x = 5 to 60 on row 20 of an 80 × 40 map; the walk
// goes right first (the first neighbour in its order), then left.
PixelMap horizontalLine()
{
    PixelMap map(80, 40);
    test::fillBox(map, 5, 20, 60, 20);
    return map;
}

TEST(SkeletonTrace, RecordsPointsAtSixAndTwelveStepsOnEachSide)
{
    struct Case {
        const char* what;
        int startX;
        std::array<int, 4> pointX; // P1..P4, all on row 20
    };
    const Case cases[] = {
        // The other side is entered with the count 12: 7 and 13 steps from S.
        {"middle of the line", 30, {36, 42, 23, 17}},
        // 12 pixels on the left: the first walk ends at 24, the second records S.
        {"twelve pixels left of S", 17, {23, 29, 10, 17}},
        // 11 pixels on the right: P2 is S's left neighbour and the second walk
        // carries on from it.
        {"eleven pixels right of S", 49, {55, 48, 43, 37}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PixelMap map = horizontalLine();
        ArcWalk walk;
        ArcStack stack;
        traceArc(map, c.startX, 20, 24, walk, stack);
        traceArc(map, c.startX, 20, 24, walk, stack);
        ASSERT_TRUE(walk.complete());
        for (std::size_t i = 0; i < 4; ++i)
            EXPECT_EQ(*walk.points[i], (MapPixel{c.pointX[i], 20})) << "P" << i + 1;
        // P2 and P4 end their walk without being marked.
        EXPECT_EQ(map.at(walk.points[1]->x, 20), c.startX == 49 ? PixelMap::visited : PixelMap::line);
        EXPECT_EQ(map.at(c.startX, 20), PixelMap::visited);
    }
}

TEST(SkeletonTrace, NearTheEndSomePointStaysUnrecorded)
{
    for (int startX : {16, 50, 5}) {
        SCOPED_TRACE(startX);
        PixelMap map = horizontalLine();
        ArcWalk walk;
        ArcStack stack;
        traceArc(map, startX, 20, 24, walk, stack);
        traceArc(map, startX, 20, 24, walk, stack);
        EXPECT_FALSE(walk.complete());
    }
}

TEST(SkeletonTrace, WalkOverAMillionPixelRegionVisitsEachOnce)
{
    // An unthinned block: after P4 the walk goes on through every pixel it can
    // reach, far deeper than a call stack would allow.
    const int side = 1203;
    PixelMap map(side, side);
    test::fillBox(map, 0, 0, side - 1, side - 1);
    ArcWalk walk;
    ArcStack stack;
    traceArc(map, 2, 2, 24, walk, stack);
    const std::int64_t inner = static_cast<std::int64_t>(side - 3) * (side - 3); // x, y in 2..W−2
    EXPECT_EQ(walk.stepCount, inner);
    EXPECT_TRUE(walk.complete());
    EXPECT_EQ(countCells(map, PixelMap::visited), static_cast<std::size_t>(inner));
    EXPECT_EQ(map.at(1, 1), PixelMap::line); // outside the walkable frame
    EXPECT_EQ(map.at(side - 2, 5), PixelMap::visited);
    EXPECT_EQ(map.at(side - 1, 5), PixelMap::line);
}

TEST(SkeletonTrace, StartOutsideTheWalkableFrameRecordsNothing)
{
    // On an 11 × 11 map only x and y in 2..9 can be entered.
    struct Case {
        MapPixel start;
        bool entered;
    };
    const Case cases[] = {{{1, 5}, false}, {{5, 1}, false}, {{10, 5}, false}, {{5, 10}, false},
                          {{2, 2}, true},  {{9, 9}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start.x << "," << c.start.y);
        PixelMap map(11, 11);
        test::fillBox(map, 0, 0, 10, 10);
        ArcWalk walk;
        ArcStack stack;
        traceArc(map, c.start.x, c.start.y, 24, walk, stack);
        EXPECT_EQ(map.at(c.start.x, c.start.y), c.entered ? PixelMap::visited : PixelMap::line);
        EXPECT_EQ(walk.stepCount > 0, c.entered);
    }
}

} // namespace
} // namespace kv

#include "strain/core/skeleton_trace.h"

#include "tests/strain_core/line_maps.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(SkeletonTrace, RecordsPointsAtSixAndTwelveStepsOnEachSide)
{
    // A line from x = 5 to 60 on row 20 of an 80 × 40 map; the walk goes right
    // first (the first neighbour in its order), then left.
    struct Case {
        const char* what;
        int startX;
        std::array<int, 4> pointX; // P1..P4 on row 20; 0 when not recorded
    };
    const Case cases[] = {
        // The left side is entered with the count 12: 7 and 13 steps from S.
        {"middle of the line", 30, {36, 42, 23, 17}},
        // 12 pixels on the left: the first walk ends at 24, the second records S.
        {"twelve pixels left of S", 17, {23, 29, 10, 17}},
        // 11 pixels on the right: P2 is S's left neighbour, and the second walk
        // carries on from it.
        {"eleven pixels right of S", 49, {55, 48, 43, 37}},
        {"eleven pixels left of S", 16, {22, 28, 9, 0}},
        {"ten pixels right of S", 50, {56, 48, 0, 0}},
        {"line end", 5, {11, 17, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PixelMap map(80, 40);
        test::fillBox(map, 5, 20, 60, 20);
        ArcWalk walk;
        ArcStack stack;
        traceArc(map, c.startX, 20, 24, walk, stack);
        traceArc(map, c.startX, 20, 24, walk, stack);
        for (std::size_t i = 0; i < 4; ++i) {
            const auto expected = c.pointX[i] ? std::optional<PixelPos>({c.pointX[i], 20}) : std::nullopt;
            EXPECT_EQ(walk.points[i], expected) << "P" << i + 1;
        }
        EXPECT_EQ(map.at(c.startX, 20), PixelMap::visited);
        // A P2 that ends a walk is left unmarked.
        EXPECT_EQ(map.at(walk.points[1]->x, 20), c.startX == 49 ? PixelMap::visited : PixelMap::line);
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
    for (const PixelPos p : {PixelPos{1, 5}, PixelPos{5, 1}, PixelPos{side - 1, 5}, PixelPos{5, side - 1}})
        EXPECT_EQ(map.at(p.x, p.y), PixelMap::line) << p.x << "," << p.y;
}

} // namespace
} // namespace kv

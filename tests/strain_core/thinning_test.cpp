#include "strain/core/thinning.h"

#include "tests/strain_core/line_maps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

using test::mapFromArt;

int thinToTheEnd(PixelMap& map)
{
    int clicks = 0;
    while (clicks < 200 && !thinOnce(map).deleted.empty())
        ++clicks;
    return clicks;
}

TEST(Thinning, SmallShapesFollowTheDeletionRules)
{
    struct Case {
        const char* what;
        std::vector<std::string> before;
        std::vector<std::string> after; // after one click
    };
    const Case cases[] = {
        {"a lone pixel (no neighbours) stays",
         {".....", ".....", "..#..", ".....", "....."},
         {".....", ".....", "..#..", ".....", "....."}},
        {"a line end (one neighbour) stays",
         {"......", "......", "..##..", "......", "......"},
         {"......", "......", "..##..", "......", "......"}},
        {"a 2 x 2 square goes at once",
         {"......", "......", "..##..", "..##..", "......", "......"},
         {"......", "......", "......", "......", "......", "......"}},
        // (3,3) has P2, P5 and P8 set: A = 3 keeps it through the first
        // sub-pass, while P2 and P8, touching each other, go.
        {"three separate runs round a pixel keep it",
         {".......", ".......", "...#...", "..##...", "....#..", ".......", "......."},
         {".......", ".......", ".......", "...#...", "....#..", ".......", "......."}},
        {"only the inner corner of a square on the far border goes",
         {"...##...", "...##...", "........", "##......", "##......", "........", "......##", "......##"},
         {"...##...", "...##...", "........", "##......", "##......", "........", ".......#", "......##"}},
        {"a visited mark counts but is never deleted",
         {"......", "......", "..22..", "..22..", "......", "......"},
         {"......", "......", "..22..", "..22..", "......", "......"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PixelMap map = mapFromArt(c.before);
        thinOnce(map);
        EXPECT_EQ(map.cells, mapFromArt(c.after).cells);
    }
}

TEST(Thinning, ThickShapesThinToConnectedOnePixelLines)
{
    struct Case {
        const char* what;
        PixelMap map;
        int holes; // background groups inside the shape
        double centreX, centreY, skeletonMin, skeletonMax; // skeleton stays in this band
        bool radial; // band is a distance from the centre rather than a row offset
    };
    PixelMap bar(80, 30);
    test::fillBox(bar, 10, 11, 69, 17); // 7 rows thick, centre row 14
    PixelMap ring(80, 80);
    test::fillRing(ring, 40, 40, 20, 27);
    const Case cases[] = {
        {"a bar seven pixels thick", bar, 0, 0, 14, -1, 1, false},
        {"a ring from radius 20 to 27", ring, 1, 40, 40, 21.5, 25.5, true},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t before = countCells(c.map, PixelMap::line);
        const int clicks = thinToTheEnd(c.map);
        EXPECT_GE(clicks, 3); // each click peels about one pixel off each side
        EXPECT_LE(clicks, 6);
        EXPECT_FALSE(test::hasSolidTwoByTwo(c.map));
        EXPECT_EQ(test::componentCount(c.map), 1);
        EXPECT_EQ(test::componentCount(c.map, true), 1 + c.holes);
        EXPECT_LT(countCells(c.map, PixelMap::line), before / 4);
        for (int y = 0; y < c.map.height; ++y)
            for (int x = 0; x < c.map.width; ++x) {
                if (!c.map.at(x, y))
                    continue;
                const double d = c.radial ? std::hypot(x - c.centreX, y - c.centreY) : y - c.centreY;
                EXPECT_TRUE(d >= c.skeletonMin && d <= c.skeletonMax) << "pixel " << x << "," << y;
            }
    }
}

TEST(Thinning, ReportsTheDeletedPixelsForRepainting)
{
    PixelMap map = mapFromArt({"......", "......", "..##..", "..##..", "......", "......"});
    const ThinningStep step = thinOnce(map);
    ASSERT_EQ(step.deleted.size(), 4u);
    for (const MapPixel p : {MapPixel{2, 2}, MapPixel{3, 2}, MapPixel{2, 3}, MapPixel{3, 3}})
        EXPECT_NE(std::find(step.deleted.begin(), step.deleted.end(), p), step.deleted.end());
    EXPECT_TRUE(thinOnce(map).deleted.empty());
}

} // namespace
} // namespace kv

#include "strain/core/thinning.h"

#include "tests/strain_core/line_maps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kv {
namespace {

TEST(Thinning, SmallShapesFollowTheDeletionRules)
{
    struct Case {
        const char* what;
        std::vector<std::string> before, after; // after one click
    };
    const Case cases[] = {
        {"a lone pixel and a line end stay",
         {"......", "......", "..#...", "......", "..##..", "......"},
         {"......", "......", "..#...", "......", "..##..", "......"}},
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
        // Both ends have two neighbours, next to each other (A = 1): they go
        // in the first sub-pass; the corner's two are apart (A = 2).
        {"an L of three thins to its corner",
         {"......", "......", "..##..", "...#..", "......", "......"},
         {"......", "......", "...#..", "......", "......", "......"}},
        // The middle has six neighbours in one run and its right one clear:
        // it goes in the first sub-pass with the corners and ends; of the
        // seven only the two with two runs round them stay.
        {"a pixel with six neighbours goes",
         {".......", ".......", "..###..", "..##...", "..##...", ".......", "......."},
         {".......", ".......", "...#...", "..#....", ".......", ".......", "......."}},
        {"a ring round a one-pixel hole stays: two runs round every pixel",
         {"......", "......", "..###.", "..#.#.", "..###.", "......"},
         {"......", "......", "..###.", "..#.#.", "..###.", "......"}},
        // Border pixels are never looked at, also where a row is background
        // right up to them.
        {"a corner on the far border of a width 4n + 3 keeps its border pixels",
         {".......", ".......", "......#", ".....##", ".......", ".......", "......."},
         {".......", ".......", "......#", "......#", ".......", ".......", "......."}},
        {"a visited mark counts but is never deleted",
         {"......", "......", "..22..", "..22..", "......", "......"},
         {"......", "......", "..22..", "..22..", "......", "......"}},
        // Each end has one line neighbour and the mark (two in the sum, set,
        // and no 0-to-1 step into it): three, one run, so both go.
        {"a line end beside a visited mark goes",
         {"......", "......", "..2...", "..##..", "......", "......"},
         {"......", "......", "..2...", "......", "......", "......"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PixelMap map = test::mapFromArt(c.before);
        const ThinningStep step = thinOnce(map);
        EXPECT_EQ(map.cells, test::mapFromArt(c.after).cells);
        EXPECT_EQ(step.deleted.size(),
                  countCells(test::mapFromArt(c.before), PixelMap::line) - countCells(map, PixelMap::line));
        for (const PixelPos& p : step.deleted)
            EXPECT_EQ(map.at(p.x, p.y), PixelMap::background);
    }
}

TEST(Thinning, FilledSquareWithAOnePixelHoleThinsToTheRingRoundTheHole)
{
    // The hole's four side neighbours start with seven line neighbours, one
    // too many to be deleted, and are kept; the square wears down to the
    // eight pixels round the hole (with seven allowed, 16 would remain).
    PixelMap map(13, 13);
    test::fillBox(map, 3, 3, 9, 9);
    map.set(6, 6, PixelMap::background);
    int clicks = 0;
    while (clicks < 100 && !thinOnce(map).deleted.empty())
        ++clicks;
    PixelMap ring(13, 13);
    test::fillBox(ring, 5, 5, 7, 7);
    ring.set(6, 6, PixelMap::background);
    EXPECT_EQ(map.cells, ring.cells);
}

TEST(Thinning, ThickBarAndRingThinToConnectedOnePixelLines)
{
    struct Case {
        const char* what;
        PixelMap map;
        int backgroundGroups;
        bool radial;               // band measured from (40, 40) rather than from row 14
        double bandMin, bandMax;   // where the skeleton may lie
    };
    PixelMap bar(80, 30);
    test::fillBox(bar, 10, 11, 69, 17); // 7 rows thick, centre row 14
    PixelMap ring(80, 80);
    test::fillRing(ring, 40, 40, 20, 27);
    const Case cases[] = {
        {"a bar seven pixels thick", bar, 1, false, -1, 1},
        {"a ring from radius 20 to 27", ring, 2, true, 21.5, 25.5},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t before = countCells(c.map, PixelMap::line);
        int clicks = 0;
        while (clicks < 100 && !thinOnce(c.map).deleted.empty())
            ++clicks;
        EXPECT_GE(clicks, 3); // about one pixel off each side per click
        EXPECT_LE(clicks, 5);
        EXPECT_FALSE(test::hasSolidTwoByTwo(c.map));
        EXPECT_EQ(test::componentCount(c.map, true), 1);
        EXPECT_EQ(test::componentCount(c.map, false), c.backgroundGroups);
        EXPECT_LT(countCells(c.map, PixelMap::line), before / 4);
        for (int y = 0; y < c.map.height; ++y)
            for (int x = 0; x < c.map.width; ++x)
                if (c.map.at(x, y)) {
                    const double d = c.radial ? std::hypot(x - 40, y - 40) : y - 14;
                    EXPECT_TRUE(d >= c.bandMin && d <= c.bandMax) << x << "," << y;
                }
    }
}

} // namespace
} // namespace kv

// The pass resets only what it must around each start pixel; these tests hold
// it against the plain rule: after both walks, every visited mark in the
// square window of half-width 24 around the start pixel (clipped to
// 2..W−1 × 2..H−1) goes back to 1, wherever it came from.
#include "strain/core/curvature_pass.h"

#include "strain/core/skeleton_trace.h"
#include "tests/strain_core/line_maps.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

struct PlainResult {
    std::vector<PixelPos> fitted;
    std::vector<double> curvatures;
};

PlainResult plainPass(PixelMap& map)
{
    PlainResult out;
    ArcStack stack;
    const int half = 24;
    for (int x = 1; x <= map.width - 1; ++x)
        for (int y = 1; y <= map.height - 1; ++y) {
            if (map.at(x, y) != PixelMap::line)
                continue;
            ArcWalk walk;
            traceArc(map, x, y, half, walk, stack);
            traceArc(map, x, y, half, walk, stack);
            for (int dy = -half; dy <= half; ++dy)
                for (int dx = -half; dx <= half; ++dx) {
                    const int px = x + dx, py = y + dy;
                    if (px >= 2 && px <= map.width - 1 && py >= 2 && py <= map.height - 1
                        && map.at(px, py) == PixelMap::visited)
                        map.set(px, py, PixelMap::line);
                }
            if (!walk.complete())
                continue;
            const FitOutcome fit = fitLocalCurve({PixelPos{x, y}, *walk.points[0], *walk.points[1],
                                                  *walk.points[2], *walk.points[3]});
            if (fit.fit) {
                out.fitted.push_back({x, y});
                out.curvatures.push_back(fit.fit->curvature);
            }
        }
    return out;
}

// Branches, crossings, an unthinned blob that leaves marks far from its
// windows, and marks left by an earlier run.
PixelMap tangledMap()
{
    PixelMap map(300, 220);
    test::drawCircle(map, 90, 100, 60);
    test::drawCircle(map, 200, 110, 35);
    test::drawCircle(map, 140, 100, 45);
    test::fillBox(map, 150, 5, 150, 215);
    test::fillBox(map, 5, 60, 295, 60);
    test::fillBox(map, 230, 150, 290, 175);
    test::fillRing(map, 60, 170, 10, 14);
    for (int x = 100; x < 140; x += 3)
        map.set(x, 30, PixelMap::visited);
    return map;
}

TEST(CurvaturePassMarks, SameResultAsResettingTheWholeWindow)
{
    PixelMap ours = tangledMap();
    PixelMap plain = ours;
    for (int run = 1; run <= 2; ++run) { // the second run starts from the marks of the first
        SCOPED_TRACE(run);
        const CurvaturePass pass = runCurvaturePass(ours);
        const PlainResult expected = plainPass(plain);
        EXPECT_EQ(ours.cells, plain.cells);
        ASSERT_EQ(pass.fits.size(), expected.fitted.size());
        for (std::size_t i = 0; i < pass.fits.size(); ++i) {
            EXPECT_EQ(pass.fits[i].start, expected.fitted[i]);
            EXPECT_EQ(pass.fits[i].curvature, expected.curvatures[i]);
        }
        EXPECT_GT(countCells(ours, PixelMap::visited), 0u); // the blob left marks behind
        EXPECT_EQ(countCells(ours, PixelMap::background) + countCells(ours, PixelMap::line)
                      + countCells(ours, PixelMap::visited),
                  ours.cells.size());
    }
}

} // namespace
} // namespace kv

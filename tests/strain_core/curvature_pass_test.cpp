#include "strain/core/curvature_pass.h"

#include "strain/core/curvature_drawing.h"
#include "strain/core/skeleton_trace.h"
#include "tests/strain_core/line_maps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

double medianCurvatureNearTopAndBottom(const CurvaturePass& pass, int cx, int r)
{
    std::vector<double> ks;
    for (const LocalFit& fit : pass.fits)
        if (std::abs(fit.start.x - cx) < r / 2.0)
            ks.push_back(fit.curvature);
    if (ks.empty())
        return -1;
    std::nth_element(ks.begin(), ks.begin() + static_cast<long>(ks.size() / 2), ks.end());
    return ks[ks.size() / 2];
}

TEST(CurvaturePass, DrawnCircleHasCurvatureOneHundredOverRadius)
{
    struct Case {
        int radius;
        double expected; // 100 / r: the pass measures per 100 pixels
        double tolerance;
    };
    const Case cases[] = {{50, 2.0, 0.2}, {100, 1.0, 0.15}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.radius);
        const int size = 2 * c.radius + 41, centre = size / 2;
        PixelMap map(size, size);
        test::drawCircle(map, centre, centre, c.radius);
        const CurvaturePass pass = runCurvaturePass(map);
        const double median = medianCurvatureNearTopAndBottom(pass, centre, c.radius);
        EXPECT_NEAR(median, c.expected, c.tolerance);
        // Every listed point lies on the ring, in scan order, measured from the bottom.
        ASSERT_FALSE(pass.rows.empty());
        for (std::size_t i = 0; i < pass.rows.size(); ++i) {
            const CurvatureRow& row = pass.rows[i];
            EXPECT_GT(row.curvature, kListedCurvatureAbove);
            EXPECT_NEAR(std::hypot(row.x - centre, (size - row.heightAboveBottom) - centre), c.radius, 1.0);
            if (i > 0) {
                const CurvatureRow& before = pass.rows[i - 1];
                EXPECT_TRUE(before.x < row.x || (before.x == row.x && before.heightAboveBottom > row.heightAboveBottom));
            }
        }
    }
}

TEST(CurvaturePass, StraightLinesFitWithNothingListed)
{
    struct Case {
        const char* what;
        int x0, y0, x1, y1;
        int firstFitted, lastFitted; // by column; -1 when no pixel may be fitted
    };
    const Case cases[] = {
        // Needs 12 pixels on the right and 12 (ending at the second walk) or
        // 11 (P2 on the left) on the left.
        {"level line from 5 to 60", 5, 20, 60, 20, 17, 49},
        {"vertical line", 30, 3, 30, 36, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PixelMap map(80, 40);
        test::drawSegment(map, c.x0, c.y0, c.x1, c.y1);
        const std::vector<std::int16_t> before = map.cells;
        const CurvaturePass pass = runCurvaturePass(map);
        EXPECT_TRUE(pass.rows.empty());
        if (c.firstFitted < 0) {
            EXPECT_TRUE(pass.fits.empty());
            EXPECT_GT(pass.refusedFits, 0); // the walks found their points, the fit refused
        } else {
            ASSERT_EQ(pass.fits.size(), static_cast<std::size_t>(c.lastFitted - c.firstFitted + 1));
            EXPECT_EQ(pass.fits.front().start.x, c.firstFitted);
            EXPECT_EQ(pass.fits.back().start.x, c.lastFitted);
            for (const LocalFit& fit : pass.fits)
                EXPECT_NEAR(fit.curvature, 0.0, 1e-9);
        }
        // On a simple line every mark lies inside its start pixel's window.
        EXPECT_EQ(map.cells, before);
        const Drawing drawing = curvatureDrawing(pass.fits);
        EXPECT_EQ(drawing.all<PolylineItem>().size(), pass.fits.size());
        EXPECT_EQ(drawing.all<CircleItem>().size(), pass.fits.size());
    }
}

TEST(CurvaturePass, RowTextsAreTheTableCells)
{
    struct Case {
        CurvatureRow row;
        const char* x;
        const char* height;
        const char* curvature;
    };
    const Case cases[] = {
        {{10, 290, 0.5}, "10", "290", "0.50"},
        {{7, 1, 0.051}, "7", "1", "0.05"},
        {{123, 4000, 1.236}, "123", "4000", "1.24"},
        {{2, 3, 17.0}, "2", "3", "17.00"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.row.xText(), c.x);
        EXPECT_EQ(c.row.heightText(), c.height);
        EXPECT_EQ(c.row.curvatureText(), c.curvature);
    }
}

TEST(CurvaturePass, DrawingPutsCircleOfRadiusKOnTheStartPixel)
{
    PixelMap map(160, 160);
    test::drawCircle(map, 80, 80, 50);
    const CurvaturePass pass = runCurvaturePass(map);
    const Drawing drawing = curvatureDrawing(pass.fits);
    const auto circles = drawing.all<CircleItem>();
    const auto curves = drawing.all<PolylineItem>();
    ASSERT_EQ(circles.size(), pass.fits.size());
    for (std::size_t i = 0; i < circles.size(); ++i) {
        EXPECT_EQ(circles[i].stroke.colour, colours::green);
        EXPECT_EQ(circles[i].radius, pass.fits[i].curvature);
        EXPECT_NEAR(std::hypot(circles[i].centre.x - 80, circles[i].centre.y - 80), 50, 1.0);
        EXPECT_EQ(curves[i].stroke.colour, colours::red);
        // Near the top and bottom, where the ring is a function of x, the red
        // piece passes by its start pixel (on the steep sides the fit in v
        // misses it: the fit measures vertical distances).
        if (std::abs(circles[i].centre.x - 80) >= 25)
            continue;
        double nearest = 1e9;
        for (const Point& p : curves[i].points)
            nearest = std::min(nearest, std::hypot(p.x - circles[i].centre.x, p.y - circles[i].centre.y));
        EXPECT_LT(nearest, 1.5);
    }
}

} // namespace
} // namespace kv

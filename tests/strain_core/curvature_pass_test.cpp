#include "strain/core/curvature_pass.h"

#include "strain/core/curvature_drawing.h"
#include "tests/strain_core/line_maps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

TEST(CurvaturePass, DrawnCircleHasCurvatureOneHundredOverRadius)
{
    struct Case {
        int radius;
        double expected; // 100 / r: the pass measures per 100 pixels
        double tolerance;
    };
    for (const Case& c : {Case{50, 2.0, 0.2}, Case{100, 1.0, 0.15}}) {
        SCOPED_TRACE(c.radius);
        const int size = 2 * c.radius + 41, centre = size / 2;
        PixelMap map(size, size);
        test::drawCircle(map, centre, centre, c.radius);
        const CurvaturePass pass = runCurvaturePass(map);

        // Single pixels scatter; where the ring is a function of x the median holds.
        std::vector<double> ks;
        for (const LocalFit& fit : pass.fits)
            if (std::abs(fit.start.x - centre) < c.radius / 2.0)
                ks.push_back(fit.curvature);
        ASSERT_GT(ks.size(), static_cast<std::size_t>(c.radius));
        std::nth_element(ks.begin(), ks.begin() + static_cast<long>(ks.size() / 2), ks.end());
        EXPECT_NEAR(ks[ks.size() / 2], c.expected, c.tolerance);

        // Rows: on the ring, measured from the bottom edge, in scan order.
        ASSERT_FALSE(pass.rows.empty());
        for (std::size_t i = 0; i < pass.rows.size(); ++i) {
            const CurvatureRow& row = pass.rows[i];
            EXPECT_GT(row.curvature, kListedCurvatureAbove);
            EXPECT_NEAR(std::hypot(row.x - centre, (size - row.heightAboveBottom) - centre), c.radius, 1.0);
            if (i > 0) {
                const CurvatureRow& prev = pass.rows[i - 1];
                EXPECT_TRUE(prev.x < row.x || (prev.x == row.x && prev.heightAboveBottom > row.heightAboveBottom));
            }
        }
        // Each fit draws a red piece and a green circle of radius k on its pixel.
        const Drawing drawing = curvatureDrawing(pass.fits);
        const auto circles = drawing.all<CircleItem>();
        ASSERT_EQ(circles.size(), pass.fits.size());
        EXPECT_EQ(drawing.all<PolylineItem>().size(), pass.fits.size());
        EXPECT_EQ(drawing.all<PolylineItem>().front().stroke.colour, colours::red);
        EXPECT_EQ(circles.front().stroke.colour, colours::green);
        EXPECT_EQ(circles.back().radius, pass.fits.back().curvature);
        EXPECT_EQ(circles.back().centre, (Point{double(pass.fits.back().start.x), double(pass.fits.back().start.y)}));
    }
}

TEST(CurvaturePass, StraightLinesListNothing)
{
    struct Case {
        const char* what;
        int x0, y0, x1, y1; // a horizontal or vertical run
        int firstFitted, lastFitted; // columns; 0 when no pixel is fitted
    };
    const Case cases[] = {
        {"level line from 5 to 60", 5, 20, 60, 20, 17, 49},
        {"vertical line", 30, 3, 30, 36, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PixelMap map(80, 40);
        test::fillBox(map, c.x0, c.y0, c.x1, c.y1);
        const std::vector<std::int16_t> before = map.cells;
        const CurvaturePass pass = runCurvaturePass(map);
        EXPECT_TRUE(pass.rows.empty());
        EXPECT_EQ(pass.fits.size(), static_cast<std::size_t>(c.lastFitted - c.firstFitted + (c.firstFitted ? 1 : 0)));
        if (!pass.fits.empty()) {
            EXPECT_EQ(pass.fits.front().start.x, c.firstFitted);
            EXPECT_EQ(pass.fits.back().start.x, c.lastFitted);
        }
        for (const LocalFit& fit : pass.fits)
            EXPECT_NEAR(fit.curvature, 0.0, 1e-9);
        // A vertical run finds its points, but the fit is refused.
        EXPECT_EQ(pass.refusedFits > 0, c.firstFitted == 0);
        // On a simple line every mark lies inside its start pixel's window.
        EXPECT_EQ(map.cells, before);
    }
}

} // namespace
} // namespace kv

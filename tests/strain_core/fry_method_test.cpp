#include "strain/core/fry_method.h"

#include "platform/text/number_text.h"
#include "tests/support/strained_centres.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace kv {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

CellText tableOf(const Rows& rows)
{
    return [rows](int row, int column) -> std::string {
        if (row < 1 || row > static_cast<int>(rows.size()))
            return "";
        return column == 1 ? rows[row - 1].first : rows[row - 1].second;
    };
}

Rows centreRows(const std::vector<std::pair<double, double>>& centres)
{
    Rows rows;
    for (const auto& [x, y] : centres)
        rows.emplace_back(cellText(static_cast<float>(std::round(x))), cellText(static_cast<float>(std::round(y))));
    return rows;
}

// n centres on a lattice with the given spacing.
Rows lattice(int n, double spacing)
{
    Rows rows;
    for (int i = 0; i < n; ++i)
        rows.emplace_back(cellText(spacing * (1 + i % 5)), cellText(spacing * (1 + i / 5)));
    return rows;
}

TEST(FryMethod, PixelVectorDirectionRunsCounterclockwiseFromXWith360ForNone)
{
    const struct {
        int dx, dy;
        double degrees;
    } cases[] = {{1, 0, 0},   {0, 1, 90},   {1, 1, 45},    {2, 1, 26.565}, {1, 2, 63.435},
                 {-1, 1, 135}, {-1, -1, 225}, {1, -1, 315}, {-1, 0, 180},   {0, -1, 270}, {0, 0, 360}};
    for (const auto& c : cases)
        EXPECT_NEAR(directionDegrees(c.dx, c.dy), c.degrees, 5e-4) << c.dx << "," << c.dy;
}

TEST(FryMethod, CentresOfAKnownStrainGiveItsRatioAndDirection)
{
    // About one placement in twenty falls outside these bounds (the sector
    // minima are few and whole-unit directions are coarse); these ten do not.
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        const auto centres = test::strainedCentres(seed, 199, {2, 30}, 500, 45);
        ASSERT_EQ(centres.size(), 199u);
        const FryRun run = runFryMethod(tableOf(centreRows(centres)));
        ASSERT_TRUE(run.ellipse) << "seed " << seed;
        EXPECT_EQ(run.ellipse->centreCount, 199);
        EXPECT_GE(run.ellipse->rs, 1.6f) << "seed " << seed;
        EXPECT_LE(run.ellipse->rs, 2.2f) << "seed " << seed;
        EXPECT_NEAR(run.ellipse->fi, 30, 10) << "seed " << seed;
    }
}

TEST(FryMethod, StopsWithAReasonAndKeepsTheCloud)
{
    Rows missingY = lattice(25, 20);
    missingY[6].second = "";
    Rows gapAtRow5 = lattice(35, 20);
    gapAtRow5[4].first = "";
    Rows line; // every pair along one direction: five sectors stay empty
    for (int i = 0; i < 25; ++i)
        line.emplace_back(std::to_string(10 * i + 5), "40");
    const struct {
        const char* name;
        Rows rows;
        FryStop stop;
        int pointCount;
        bool plotShown;
    } cases[] = {
        {"19 centres", lattice(19, 20), FryStop::TooFewCentres, 19, false},
        {"gap in row 5", gapAtRow5, FryStop::TooFewCentres, 4, false},
        {"x without y", missingY, FryStop::MissingY, 6, false},
        {"every centre at 0.5 or less", Rows(20, {"0.5", "0.25"}), FryStop::ZeroScale, 20, false},
        {"empty sectors", line, FryStop::EmptySector, 25, true},
    };
    for (const auto& c : cases) {
        const FryRun run = runFryMethod(tableOf(c.rows));
        ASSERT_TRUE(run.stop) << c.name;
        EXPECT_EQ(*run.stop, c.stop) << c.name;
        EXPECT_EQ(run.pointCount, c.pointCount) << c.name;
        EXPECT_EQ(run.plotShown, c.plotShown) << c.name;
        EXPECT_EQ(run.plot.items.empty(), !c.plotShown) << c.name; // the cloud stays
        EXPECT_FALSE(run.ellipse) << c.name;
    }
}

TEST(FryMethod, CoordinatesBeyond16BitsAreScaledNotOverflowed)
{
    const auto centres = test::strainedCentres(3, 150, {2, 30}, 20000, 2000);
    const FryRun run = runFryMethod(tableOf(centreRows(centres)));
    ASSERT_TRUE(run.ellipse);
    for (const DotItem& dot : run.plot.all<DotItem>()) {
        ASSERT_GT(dot.at.x, 0);
        ASSERT_LT(dot.at.x, 299);
    }
}

TEST(FryMethod, LargestCoordinateOf600ScalesByTwoIntoThePlot)
{
    // Three triangles and eleven centres at (600, 600), so far apart that only
    // the pairs inside each group are drawn. The largest coordinate, 600, is
    // 300 plot units: every pixel vector is halved. Each sector's nearest
    // pair is 25 units long, so the curve is flat at 25: both axes 25.
    Rows rows = {{"60", "60"},   {"108", "74"}, {"46", "108"},  // (24, 7), (-7, 24), (-31, 17)
                 {"520", "60"},  {"560", "90"}, {"480", "90"},  // (20, 15), (-20, 15), (-40, 0)
                 {"80", "500"},  {"94", "548"}, {"32", "514"}}; // (7, 24), (-24, 7), (-31, -17)
    for (int i = 0; i < 11; ++i)
        rows.emplace_back("600", "600");
    const FryRun run = runFryMethod(tableOf(rows));
    ASSERT_TRUE(run.ellipse);
    EXPECT_EQ(run.ellipse->largest, 25);
    EXPECT_EQ(run.ellipse->smallest, 25);
    EXPECT_EQ(run.ellipse->rs, 1.0f);

    // Every pair both ways about the plot centre (149.5, 149.5), and the
    // 11 x 10 pairs of the equal centres on it.
    std::vector<std::pair<double, double>> expected(110, {149.5, 149.5});
    const double vectors[][2] = {{24, 7}, {-7, 24}, {-31, 17}, {20, 15}, {-20, 15},
                                 {-40, 0}, {7, 24},  {-24, 7},  {-31, -17}};
    for (const auto& v : vectors) {
        expected.emplace_back(149.5 + v[0], 149.5 + v[1]);
        expected.emplace_back(149.5 - v[0], 149.5 - v[1]);
    }
    std::vector<std::pair<double, double>> dots;
    for (const DotItem& dot : run.plot.all<DotItem>())
        dots.emplace_back(dot.at.x, dot.at.y);
    std::sort(expected.begin(), expected.end());
    std::sort(dots.begin(), dots.end());
    EXPECT_EQ(dots, expected);
}

TEST(FryMethod, FirstExtremaAreTakenOneSampleAfterThePeak)
{
    // Maximum at 12 (120 degrees, 516), minimum at 3 (30 degrees, 151.5).
    const Polynomial cubic{{-1, 22.5, -108, 300}};
    const FryExtremes e = scanSectorCurve(cubic);
    EXPECT_EQ(e.fi, 120);      // 10 x 12.01 = 120.1
    EXPECT_EQ(e.largest, 516); // f(12.01) = 515.99865
    EXPECT_EQ(e.smallest, 152); // f(3.01) = 151.50135
    // A rising line has neither: both distances are f(-0.01) and Fi is 0.
    const FryExtremes none = scanSectorCurve(Polynomial{{2, 10}});
    EXPECT_EQ(none.fi, 0);
    EXPECT_EQ(none.largest, 10);
    EXPECT_EQ(none.smallest, 10);
}

TEST(FryMethod, ResultLineTexts)
{
    FryEllipse e;
    e.rs = 1.6f, e.fi = 35, e.centreCount = 25;
    EXPECT_EQ(fryResultText(e), "Rs=1.60   Fi =35.00   N= 25 ");
    e.rs = 0.85f, e.fi = 0, e.centreCount = 20;
    EXPECT_EQ(fryResultText(e), "Rs=.85   Fi =.00   N= 20 ");
}

} // namespace
} // namespace kv

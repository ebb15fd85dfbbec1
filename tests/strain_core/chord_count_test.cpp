#include "strain/core/chord_count.h"

#include "tests/support/strain_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kv {
namespace {

using test::kBlack;
using test::kWhite;

TEST(Arccos1, GivesTheWrittenEndsAndClampsRoundingOverflow)
{
    const struct {
        double x, radians;
    } cases[] = {
        {1.0, 0.0},
        {-1.0, -3.1415926535},
        {0.0, 1.5707963267948966},
        {0.5, 1.0471975511965976},
        {-0.5, 2.0943951023931957},
        {1.0 + 4e-16, 0.0},
        {-1.0 - 4e-16, -3.1415926535},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(arccos1(c.x), c.radians, 1e-15) << "x = " << c.x;
}

// A 100 x 9 picture, white, with the given columns painted.
PixelImage columns(const std::vector<std::pair<int, std::uint32_t>>& painted)
{
    PixelImage image(100, 9, kWhite);
    for (const auto& [x, colour] : painted)
        for (int y = 0; y < image.height; ++y)
            image.set(x, y, colour);
    return image;
}

TEST(Brline, CountsEverySecondColourChangeAlongTheWalk)
{
    const std::uint32_t grey16 = 0xEFEFEF; // 255 - 16 in every channel: no change
    const std::uint32_t grey17 = 0xFFFFEE; // 255 - 17 in red only: a change
    const struct {
        const char* name;
        PixelImage picture;
        float x0, y0, x1, y1;
        int boundaries;
    } cases[] = {
        {"three thin lines", columns({{20, kBlack}, {40, kBlack}, {60, kBlack}}), 5, 4, 95, 4, 3},
        {"backwards", columns({{20, kBlack}, {40, kBlack}, {60, kBlack}}), 95, 4, 5, 4, 3},
        {"starting on a line", columns({{20, kBlack}, {40, kBlack}, {60, kBlack}}), 20, 4, 95, 4, 3},
        {"ending inside a band", columns({{30, kBlack}, {31, kBlack}, {32, kBlack}}), 5, 4, 31, 4, 1},
        {"difference of 16 is none", columns({{50, grey16}}), 5, 4, 95, 4, 0},
        {"difference of 17 is one", columns({{50, grey17}}), 5, 4, 95, 4, 1},
        {"steep diagonal", columns({{20, kBlack}, {22, kBlack}}), 18, 0, 24, 8, 2},
        {"zero length", columns({{20, kBlack}}), 20, 4, 20.3f, 4.2f, 0},
        {"uniform", columns({}), 0, 0, 99, 8, 0},
    };
    for (auto c : cases) {
        EXPECT_EQ(brline(c.picture, c.x0, c.y0, c.x1, c.y1), c.boundaries) << c.name;
    }
}

TEST(Brline, PaintsEachVisitedPixelRedAndRecordsWhatWasThere)
{
    PixelImage picture = columns({{20, kBlack}});
    std::vector<PaintedPixel> painted;
    brline(picture, 10, 4, 30, 4, &painted);
    ASSERT_EQ(painted.size(), 21u); // the start pixel, then 20 steps
    for (int x = 10; x <= 30; ++x)
        EXPECT_EQ(picture.at(x, 4), 0x0000FFu) << x;
    EXPECT_EQ(painted[10].before, kBlack); // x = 20
    // The walk now meets only red: nothing to count.
    EXPECT_EQ(brline(picture, 10, 4, 30, 4), 0);
}

TEST(BoundaryCount, StripesAt30DegreesCountFewestAt30NotAt150)
{
    const PixelImage picture = test::stripes(400, 300, 30, 6);
    BoundaryCount count(picture, {13, 10});
    ASSERT_EQ(count.orientations(), 19);
    std::vector<int> counts;
    for (int k = 0; k < count.orientations(); ++k)
        counts.push_back(count.countOrientation(k).count);
    int fewest = 0, most = 0;
    for (int k = 0; k < 19; ++k) {
        if (counts[k] < counts[fewest])
            fewest = k;
        if (counts[k] > counts[most])
            most = k;
    }
    EXPECT_EQ(fewest, 3);
    EXPECT_EQ(most, 12); // across the stripes, at 120 degrees
    EXPECT_LT(counts[3] * 5, counts[15]);
    EXPECT_EQ(counts[0], counts[18]); // 180 degrees repeats 0
}

TEST(BoundaryCount, LeavesTheDisplayAsStoredBetweenOrientations)
{
    const PixelImage picture = test::stripes(200, 150, 75, 4);
    BoundaryCount count(picture, {9, 20});
    const int first = count.countOrientation(2).count;
    EXPECT_EQ(count.countOrientation(2).count, first);
    EXPECT_GT(first, 0);
}

TEST(BoundaryCount, OneChordRunsThroughTheCentreAndTurnsCounterClockwise)
{
    const PixelImage picture(200, 100, kWhite);
    BoundaryCount count(picture, {1, 90});
    const CountCircle circle = countCircle(200, 100);
    EXPECT_DOUBLE_EQ(circle.radius, 45);
    const struct {
        int k;
        double x0, y0, x1, y1; // first end (from arccos1(-1)), second end
    } cases[] = {
        {0, 57, 50, 143, 50},
        {1, 100, 93, 100, 7}, // 90 degrees: the second end goes up the screen
    };
    for (const auto& c : cases) {
        const OrientationCount result = count.countOrientation(c.k);
        ASSERT_EQ(result.chords.size(), 1u);
        const LineItem& chord = result.chords[0];
        EXPECT_NEAR(chord.from.x, c.x0, 1e-4) << c.k;
        EXPECT_NEAR(chord.from.y, c.y0, 1e-4) << c.k;
        EXPECT_NEAR(chord.to.x, c.x1, 1e-4) << c.k;
        EXPECT_NEAR(chord.to.y, c.y1, 1e-4) << c.k;
        EXPECT_EQ(result.count, 0);
    }
}

TEST(BoundaryCount, TableTextsAreShortestCellTexts)
{
    OrientationCount result;
    result.angleDegrees = 3 * 22.5f;
    result.count = 40157;
    EXPECT_EQ(countAngleText(result), "67.5");
    EXPECT_EQ(countValueText(result), "40157");
}

} // namespace
} // namespace kv

#include "strain/core/chord_count.h"

#include "tests/support/strain_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace kv {
namespace {

using test::kBlack;
using test::kWhite;

TEST(ArcCosineClamped, GivesTheCountsEndsAndClampsRoundingOverflow)
{
    const double cases[][2] = {{1.0, 0.0}, {-1.0, -3.1415926535}, {0.0, 1.5707963267948966},
                               {0.5, 1.0471975511965976}, {1.0 + 4e-16, 0.0}, {-1.0 - 4e-16, -3.1415926535}};
    for (const auto& c : cases)
        EXPECT_NEAR(arcCosineClamped(c[0]), c[1], 1e-15) << "x = " << c[0];
}

// A 100 x 9 white picture with the given columns painted.
PixelImage columns(const std::vector<std::pair<int, std::uint32_t>>& painted)
{
    PixelImage image(100, 9, kWhite);
    for (const auto& [x, colour] : painted)
        for (int y = 0; y < image.height; ++y)
            image.set(x, y, colour);
    return image;
}

TEST(BoundariesOnChord, CountsEverySecondColourChangeAlongTheWalk)
{
    const auto lines = columns({{20, kBlack}, {40, kBlack}, {60, kBlack}});
    const struct {
        const char* name;
        PixelImage picture;
        float x0, y0, x1, y1;
        int boundaries;
    } cases[] = {
        {"three thin lines", lines, 5, 4, 95, 4, 3},
        {"backwards", lines, 95, 4, 5, 4, 3},
        {"starting on a line", lines, 20, 4, 95, 4, 3},
        {"ending inside a band", columns({{30, kBlack}, {31, kBlack}, {32, kBlack}}), 5, 4, 31, 4, 1},
        {"difference of 16 is none", columns({{50, 0xEFEFEF}}), 5, 4, 95, 4, 0},
        {"difference of 17 is one", columns({{50, 0xFFFFEE}}), 5, 4, 95, 4, 1},
        {"steep diagonal", columns({{20, kBlack}, {22, kBlack}}), 18, 0, 24, 8, 2},
        {"zero length", columns({{20, kBlack}}), 20, 4, 20.3f, 4.2f, 0},
    };
    for (auto c : cases)
        EXPECT_EQ(countBoundariesOnChord(c.picture, c.x0, c.y0, c.x1, c.y1), c.boundaries) << c.name;
}

TEST(BoundariesOnChord, PaintsEachVisitedPixelRedAndRecordsWhatWasThere)
{
    PixelImage picture = columns({{20, kBlack}});
    std::vector<PaintedPixel> painted;
    countBoundariesOnChord(picture, 10, 4, 30, 4, &painted);
    ASSERT_EQ(painted.size(), 21u); // the start pixel, then 20 steps
    EXPECT_EQ(painted[10].before, kBlack);
    EXPECT_EQ(picture.at(30, 4), 0x0000FFu);
    EXPECT_EQ(countBoundariesOnChord(picture, 10, 4, 30, 4), 0); // nothing but red now
}

TEST(BoundaryCount, StripesAt30DegreesCountFewestAt30NotAt150)
{
    PixelImage picture = test::stripes(400, 300, 30, 6);
    const PixelImage stored = picture;
    BoundaryCount count(picture, {13, 10});
    ASSERT_EQ(count.orientations(), 19);
    std::vector<int> counts;
    for (int k = 0; k < count.orientations(); ++k)
        counts.push_back(count.countOrientation(k).count);
    const auto fewest = std::min_element(counts.begin(), counts.end()) - counts.begin();
    const auto most = std::max_element(counts.begin(), counts.end()) - counts.begin();
    EXPECT_EQ(fewest, 3);
    EXPECT_EQ(most, 12); // across the stripes
    EXPECT_LT(counts[3] * 5, counts[15]);
    EXPECT_EQ(counts[0], counts[18]); // 180 degrees repeats 0
    // The red chords of one orientation are gone before the next.
    EXPECT_EQ(count.countOrientation(3).count, counts[3]);
    EXPECT_TRUE(picture.rgb == stored.rgb);
}

TEST(BoundaryCount, GridOfLinesGivesExactCountsAndChordsPerOrientation)
{
    // 200 x 200: one-pixel black columns at x = 10, 30, ..., 190 and rows at
    // y = 5, 35, ..., 185. The circle has radius 90 about (100, 100); three
    // chords 45 apart, their ends 88 from the centre (two pixels inside), so
    // the outer chords reach 88 cos 30 = 76.21 either side of their middle.
    PixelImage picture(200, 200, kWhite);
    for (int i = 0; i < 200; ++i) {
        for (int x = 10; x < 200; x += 20)
            picture.set(x, i, kBlack);
        for (int y = 5; y < 200; y += 30)
            picture.set(i, y, kBlack);
    }
    constexpr double a = 23.79, b = 176.21; // 100 -+ 76.21
    struct Chord {
        double x0, y0, x1, y1;
    };
    const struct {
        int count; // columns crossed by a row chord, rows by a column chord
        std::vector<Chord> chords;
    } expected[] = {
        // 0 degrees: rows 56, 100, 144; columns 30..170 on each: 8 + 8 + 8.
        {24, {{a, 56, b, 56}, {12, 100, 188, 100}, {a, 144, b, 144}}},
        // 90 degrees: columns 56, 100, 144; rows 35..155 on the outer two,
        // 35..185 on the middle one, which runs from 188 up to 12: 5 + 6 + 5.
        {16, {{56, b, 56, a}, {100, 188, 100, 12}, {144, b, 144, a}}},
        // 180 degrees: the rows again, each walked the other way.
        {24, {{b, 144, a, 144}, {188, 100, 12, 100}, {b, 56, a, 56}}},
    };
    BoundaryCount count(picture, {3, 90});
    ASSERT_EQ(count.orientations(), 3);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const OrientationCount result = count.countOrientation(k);
        EXPECT_EQ(result.count, expected[k].count);
        ASSERT_EQ(result.chords.size(), expected[k].chords.size());
        for (std::size_t i = 0; i < result.chords.size(); ++i) {
            const LineItem& got = result.chords[i];
            const Chord& want = expected[k].chords[i];
            EXPECT_NEAR(got.from.x, want.x0, 0.01) << "chord " << i;
            EXPECT_NEAR(got.from.y, want.y0, 0.01) << "chord " << i;
            EXPECT_NEAR(got.to.x, want.x1, 0.01) << "chord " << i;
            EXPECT_NEAR(got.to.y, want.y1, 0.01) << "chord " << i;
        }
    }
}

} // namespace
} // namespace kv

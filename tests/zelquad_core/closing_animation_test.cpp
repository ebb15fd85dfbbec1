#include "zelquad/core/closing_animation.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

std::vector<kv::PolygonItem> boxes(int step, double w, double h)
{
    return closingAnimationStep(step, w, h).all<kv::PolygonItem>();
}

TEST(ClosingAnimation, HorizontalBandCountRoundsHalvesToEven)
{
    // n = height / 200 to the nearest whole number, halves to even; bands k = 0..n.
    const struct { double height; std::size_t bands; } cases[] = {
        {100, 1}, {150, 2}, {300, 3}, {500, 3}, {700, 5}, {7200, 37}};
    for (const auto& c : cases)
        EXPECT_EQ(boxes(5, 9600, c.height).size(), c.bands) << c.height;
}

TEST(ClosingAnimation, BlindsCloseThenBlueThenGreyBandsOpen)
{
    const kv::Colour blind{15, 0, 0};
    const kv::Colour grey{192, 192, 192};
    // Step 20: every horizontal band 200 twips deep, the window's width rounded.
    auto closed = boxes(20, 1000.5, 400);
    ASSERT_EQ(closed.size(), 3u);
    EXPECT_EQ(closed[1].points[0], (kv::Point{0, 200}));
    EXPECT_EQ(closed[1].points[2], (kv::Point{1000, 400}));
    EXPECT_EQ(*closed[1].fill, blind);
    EXPECT_EQ(boxes(0, 1000, 400)[2].points[2], (kv::Point{1000, 400})); // zero deep at first

    auto blue = boxes(21, 1000.5, 400);
    ASSERT_EQ(blue.size(), 1u);
    EXPECT_EQ(blue[0].points[2], (kv::Point{1000.5, 400}));
    EXPECT_EQ(*blue[0].fill, kv::colours::blue);

    auto opening = boxes(23, 1000, 400); // second opening step: 10 twips wide
    ASSERT_EQ(opening.size(), 6u);       // 1000 / 200 = 5
    EXPECT_EQ(opening[2].points[0], (kv::Point{400, 0}));
    EXPECT_EQ(opening[2].points[2], (kv::Point{410, 400}));
    EXPECT_EQ(*opening[2].fill, grey);
    EXPECT_EQ(boxes(42, 1000, 400)[0].points[2], (kv::Point{200, 400}));

    EXPECT_TRUE(boxes(43, 1000, 400).empty());
    EXPECT_TRUE(boxes(-1, 1000, 400).empty());
    EXPECT_EQ(boxes(0, 1e12, 1e12).size(), 1000001u); // capped, never an overflow
}

} // namespace
} // namespace zq

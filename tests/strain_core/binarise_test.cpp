#include "strain/core/binarise.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kv {
namespace {

std::uint32_t rgb(int r, int g, int b) { return static_cast<std::uint32_t>(r | (g << 8) | (b << 16)); }

TEST(Binarise, GreyAgainstThresholdIsStrictlyBelow)
{
    struct Case {
        const char* what;
        std::uint32_t colour;
        int grey; // 0.31 R + 0.59 G + 0.11 B by hand, halves to even
        int threshold;
        bool line;
    };
    const Case cases[] = {
        {"grey 126 weighs 127.26", rgb(126, 126, 126), 127, 128, true},
        {"grey 127 weighs 128.27", rgb(127, 127, 127), 128, 128, false},
        {"white weighs 2.55 more than 255", rgb(255, 255, 255), 258, 258, false},
        {"white is black only from 259", rgb(255, 255, 255), 258, 259, true},
        {"black stays white at 0", rgb(0, 0, 0), 0, 0, false},
        {"black is a line at 1", rgb(0, 0, 0), 0, 1, true},
        {"15.5 rounds to even 16", rgb(50, 0, 0), 16, 16, false},
        {"46.5 rounds to even 46", rgb(150, 0, 0), 46, 47, true},
        {"red is the low byte", rgb(0, 0, 200), 22, 23, true},
        {"negative threshold whitens all", rgb(0, 0, 0), 0, -5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(greyOf(c.colour), c.grey);
        PixelImage picture(5, 3, 0xFFFFFF);
        picture.set(3, 1, c.colour);
        const PixelMap map = binarise(picture, c.threshold);
        ASSERT_EQ(map.width, 5);
        ASSERT_EQ(map.height, 3);
        EXPECT_EQ(map.at(3, 1), c.line ? PixelMap::line : PixelMap::background);
        EXPECT_EQ(map.at(0, 0), c.threshold > 258 ? PixelMap::line : PixelMap::background);
    }
}

TEST(Binarise, ThresholdAnswerOutsideSixteenBitsOrNotANumberIsRefused)
{
    struct Case {
        std::string answer;
        std::optional<std::int16_t> threshold;
    };
    const Case cases[] = {
        {"", std::nullopt},         // Cancel
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"1 2", std::nullopt},
        {".", std::nullopt},
        {"-", std::nullopt},
        {"1e", std::nullopt},
        {" 128 ", 128},
        {"127.5", 128},
        {"126.5", 126},
        {"+40", 40},
        {"1e2", 100},
        {"-32768", -32768},
        {"32767", 32767},
        {"32767.5", std::nullopt},
        {"40000", std::nullopt},
        {"-32769", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("answer \"" + c.answer + "\"");
        EXPECT_EQ(parseThreshold(c.answer), c.threshold);
    }
}

TEST(Binarise, MapShowsVisitedPixelsBlackAndReadsBackUnchanged)
{
    PixelMap map(4, 2);
    map.set(1, 0, PixelMap::line);
    map.set(2, 1, PixelMap::visited);
    const PixelImage shown = mapToImage(map);
    EXPECT_EQ(shown.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(shown.at(1, 0), 0x000000u);
    EXPECT_EQ(shown.at(2, 1), 0x000000u);

    // Binarising the shown picture again keeps its black pixels as lines.
    const PixelMap again = binarise(shown, 128);
    EXPECT_EQ(again.at(1, 0), PixelMap::line);
    EXPECT_EQ(again.at(2, 1), PixelMap::line);
    EXPECT_EQ(countCells(again, PixelMap::line), 2u);
}

} // namespace
} // namespace kv

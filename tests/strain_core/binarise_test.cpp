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
        {"white weighs 258", rgb(255, 255, 255), 258, 258, false},
        {"white is black only from 259", rgb(255, 255, 255), 258, 259, true},
        {"black stays white at 0", rgb(0, 0, 0), 0, 0, false},
        {"15.5 rounds to even 16", rgb(50, 0, 0), 16, 16, false},
        {"46.5 rounds to even 46", rgb(150, 0, 0), 46, 47, true},
        {"red is the low byte", rgb(0, 0, 200), 22, 23, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(greyOf(c.colour), c.grey);
        PixelImage picture(5, 3, 0xFFFFFF);
        picture.set(3, 1, c.colour);
        const PixelMap map = binarise(picture, c.threshold);
        ASSERT_EQ(map.width * map.height, 15);
        EXPECT_EQ(map.at(3, 1), c.line ? PixelMap::line : PixelMap::background);
        EXPECT_EQ(countCells(map, PixelMap::line), c.threshold > 258 ? 15u : c.line ? 1u : 0u);
        // What the window shows reads back as the same map.
        EXPECT_EQ(binarise(mapToImage(map), 128).cells, map.cells);
    }
}

TEST(Binarise, ThresholdAnswerOutsideSixteenBitsOrNotANumberIsRefused)
{
    const std::pair<std::string, std::optional<std::int16_t>> cases[] = {
        {"", std::nullopt}, // Cancel
        {"   ", std::nullopt}, {"abc", std::nullopt}, {"12abc", std::nullopt}, {"1 2", std::nullopt},
        {".", std::nullopt}, {"-", std::nullopt}, {"1e", std::nullopt},
        {" 128 ", 128}, {"127.5", 128}, {"126.5", 126}, {"+40", 40}, {"1e2", 100},
        {"-32768", -32768}, {"32767", 32767}, {"32767.5", std::nullopt}, {"40000", std::nullopt},
    };
    for (const auto& [answer, threshold] : cases)
        EXPECT_EQ(parseThreshold(answer), threshold) << "answer \"" << answer << "\"";
}

} // namespace
} // namespace kv

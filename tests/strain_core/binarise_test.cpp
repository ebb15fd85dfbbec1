#include "strain/core/binarise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

namespace kv {
namespace {

std::uint32_t rgb(int r, int g, int b) { return static_cast<std::uint32_t>(r | (g << 8) | (b << 16)); }
std::uint32_t argb(int r, int g, int b) { return 0xFF000000u | static_cast<std::uint32_t>(b | (g << 8) | (r << 16)); }

TEST(Binarise, GreyAgainstThresholdIsStrictlyBelow)
{
    struct Case {
        const char* what;
        int r, g, b;
        int grey; // 0.31 R + 0.59 G + 0.11 B by hand, halves to even
        int threshold;
        bool line;
    };
    const Case cases[] = {
        {"grey 126 weighs 127.26", 126, 126, 126, 127, 128, true},
        {"grey 127 weighs 128.27", 127, 127, 127, 128, 128, false},
        {"white weighs 258", 255, 255, 255, 258, 258, false},
        {"white is black only from 259", 255, 255, 255, 258, 259, true},
        {"black stays white at 0", 0, 0, 0, 0, 0, false},
        {"15.5 rounds to even 16", 50, 0, 0, 16, 16, false},
        {"46.5 rounds to even 46", 150, 0, 0, 46, 47, true},
        {"blue weighs 0.11 whichever byte holds it", 0, 0, 200, 22, 23, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(greyOf(rgb(c.r, c.g, c.b)), c.grey);
        // A row of a stored 32-bit picture: white, with the colour fourth.
        const std::uint32_t row[5] = {argb(255, 255, 255), argb(255, 255, 255), argb(255, 255, 255),
                                argb(c.r, c.g, c.b), argb(255, 255, 255)};
        std::int16_t cells[5];
        GreyMemo memo;
        binariseArgbRow(row, 5, c.threshold, memo, cells);
        EXPECT_EQ(cells[3], c.line ? PixelMap::line : PixelMap::background);
        EXPECT_EQ(std::count(cells, cells + 5, PixelMap::line), c.threshold > 258 ? 5 : c.line ? 1 : 0);
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

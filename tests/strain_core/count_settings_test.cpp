#include "strain/core/count_settings.h"

#include <gtest/gtest.h>

#include <optional>

namespace kv {
namespace {

TEST(CountSettings, DialogTextsAreCheckedInTheWrittenOrder)
{
    using R = CountSettingsRefusal;
    const struct {
        const char* lines;
        const char* step;
        std::optional<R> refusal;
    } cases[] = {
        {"13", "10", std::nullopt},
        {"12.6", "7", std::nullopt},  // rounds to 13
        {"0.91", "0.91", std::nullopt}, // 198 steps: 199 rows exactly
        {"0", "10", R::EvenLineCount},
        {"-3", "10", R::EvenLineCount},
        {"4", "10", R::EvenLineCount},
        {"12.5", "10", R::EvenLineCount}, // rounds to 12
        {"lines", "10", R::EvenLineCount},
        {"4", "0", R::EvenLineCount},     // the line count is looked at first
        {"13", "0", R::NonPositiveStep},
        {"13", "-1", R::NonPositiveStep},
        {"13", "step", R::NonPositiveStep},
        {"10001", "10", R::TooManyLines},
        {"1e300", "10", R::TooManyLines},
        {"13", "0.9", R::StepTooSmall}, // 200 steps: 201 rows
        {"13", "1e-50", R::StepOutOfRange},
        {"13", "1e39", R::StepOutOfRange},
    };
    for (const auto& c : cases) {
        const auto result = checkCountSettings(c.lines, c.step);
        if (c.refusal) {
            ASSERT_TRUE(std::holds_alternative<R>(result)) << c.lines << " / " << c.step;
            EXPECT_EQ(std::get<R>(result), *c.refusal) << c.lines << " / " << c.step;
        } else {
            EXPECT_TRUE(std::holds_alternative<CountSettings>(result)) << c.lines << " / " << c.step;
        }
    }
}

TEST(CountSettings, KeepsTheTypedValuesAndRoundsOnlyWhenCounting)
{
    const auto settings = std::get<CountSettings>(checkCountSettings("12.6", "45.5"));
    EXPECT_FLOAT_EQ(settings.nlines, 12.6f);
    EXPECT_EQ(chordCount(settings), 13);
    EXPECT_EQ(orientationCount(settings), 5); // 180 / 45.5 = 3.96 rounds to 4
    EXPECT_EQ(orientationCount({13, 7}), 27);
    EXPECT_EQ(orientationCount({13, 10}), 19);
    EXPECT_EQ(countSettingsNotice(CountSettingsRefusal::EvenLineCount).text, "反向轮直线数目应为奇数，请重新选择！");
    EXPECT_EQ(countSettingsNotice(CountSettingsRefusal::NonPositiveStep).title, "错误！");
}

} // namespace
} // namespace kv

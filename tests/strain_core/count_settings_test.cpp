#include "strain/core/count_settings.h"

#include <gtest/gtest.h>

#include <optional>

namespace kv {
namespace {

TEST(CountSettings, DialogTextsAreCheckedLineCountFirst)
{
    using R = CountSettingsRefusal;
    const struct {
        const char* lines;
        const char* step;
        std::optional<R> refusal;
    } cases[] = {
        {"13", "10", std::nullopt},       {"0.91", "0.91", std::nullopt}, // 199 rows exactly
        {"0", "10", R::EvenLineCount},    {"-3", "10", R::EvenLineCount},
        {"12.5", "10", R::EvenLineCount}, {"lines", "10", R::EvenLineCount},
        {"4", "0", R::EvenLineCount},     {"13", "-1", R::NonPositiveStep},
        {"13", "x", R::NonPositiveStep},  {"10001", "10", R::TooManyLines},
        {"13", "0.9", R::StepTooSmall},   {"13", "1e39", R::StepOutOfRange},
    };
    for (const auto& c : cases) {
        const auto result = checkCountSettings(c.lines, c.step);
        if (c.refusal)
            EXPECT_EQ(std::get<R>(result), *c.refusal) << c.lines << " / " << c.step;
        else
            EXPECT_TRUE(std::holds_alternative<CountSettings>(result)) << c.lines << " / " << c.step;
    }
    // Kept as typed; the count rounds 12.6 to 13 chords and 180 / 45.5 = 3.96 to 4 steps.
    const auto settings = std::get<CountSettings>(checkCountSettings("12.6", "45.5"));
    EXPECT_FLOAT_EQ(settings.nlines, 12.6f);
    EXPECT_EQ(chordCount(settings), 13);
    EXPECT_EQ(orientationCount(settings), 5);
}

} // namespace
} // namespace kv

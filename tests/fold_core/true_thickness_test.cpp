#include "fold/core/true_thickness.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(TrueThickness, ThicknessAcrossTheStratum)
{
    // alpha dip, theta dip direction, beta traverse inclination, phi traverse direction, L
    const struct {
        const char* name;
        Traverse traverse;
        const char* text;
    } cases[] = {
        {"level traverse down the dip: L sin 30", {30, 90, 0, 90, 100}, "50"},
        {"traverse against the dip", {45, 0, 30, 180, 10}, "9.66"},
        {"vertical stratum, level traverse across it", {90, 0, 0, 0, 12.5}, "12.5"},
        {"traverse in the bedding", {30, 90, 30, 90, 100}, "0"},
        {"along the dip, beta below alpha: L sin(50 - 20)", {50, 120, 20, 120, 10}, "5"},
        {"along the dip, beta above alpha: L |sin(30 - 60)|", {30, 200, 60, 200, 8}, "4"},
        {"against the dip: L sin(50 + 20)", {50, 120, 20, 300, 10}, "9.4"},
        {"against the dip: L sin(60 + 30)", {60, 45, 30, 225, 20}, "20"},
        {"level, 60 degrees off the dip: L sin alpha cos 60", {40, 90, 0, 30, 10}, "3.21"},
        {"level along the strike stays in the bed", {40, 90, 0, 0, 10}, "0"},
        {"all boxes empty", {}, "0"},
    };
    for (const auto& c : cases) {
        const std::optional<float> h = trueThickness(c.traverse);
        ASSERT_TRUE(h) << c.name;
        EXPECT_EQ(thicknessText(*h), c.text) << c.name;
    }
    EXPECT_FALSE(trueThickness({0, 0, 0, 0, 1e39}));
    EXPECT_EQ(thicknessText(0.5f), ".5");
    EXPECT_EQ(thicknessText(12.345f), "12.35"); // the half as typed, not as stored
}

TEST(TrueThickness, BoxValidators)
{
    const char* dipMessage = "出错，倾角介于0—90度！";
    const char* directionMessage = "出错，倾向介于0—360度！";
    const char* distanceMessage = "出错，测线斜距应大于0！";
    const struct {
        ThicknessBox box;
        const char* text;
        const char* message; // nullptr: accepted
    } cases[] = {
        {ThicknessBox::StratumDip, "0", nullptr},
        {ThicknessBox::StratumDip, "90", nullptr},
        {ThicknessBox::StratumDip, " 45 ", nullptr},
        {ThicknessBox::StratumDip, "", nullptr},
        {ThicknessBox::StratumDip, "abc", nullptr},
        {ThicknessBox::StratumDip, "95", dipMessage},
        {ThicknessBox::StratumDip, "-1", dipMessage},
        {ThicknessBox::TraverseInclination, "90.01", dipMessage},
        {ThicknessBox::StratumDipDirection, "360", nullptr},
        {ThicknessBox::StratumDipDirection, "360.5", directionMessage},
        {ThicknessBox::TraverseDirection, "-0.1", directionMessage},
        {ThicknessBox::TraverseDirection, "1e39", directionMessage},
        {ThicknessBox::SlopeDistance, "0", nullptr},
        {ThicknessBox::SlopeDistance, "1e38", nullptr},
        {ThicknessBox::SlopeDistance, "-0.5", distanceMessage},
        {ThicknessBox::SlopeDistance, "1e39", distanceMessage},
        {ThicknessBox::SlopeDistance, "1e400", distanceMessage},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> refusal = thicknessBoxRefusal(c.box, c.text);
        if (c.message) {
            EXPECT_EQ(refusal.value_or("accepted"), c.message) << c.text;
        } else {
            EXPECT_FALSE(refusal) << c.text;
        }
    }
}

TEST(TrueThickness, ReportHasSixCaptionedLines)
{
    const ThicknessBoxTexts texts{"30", "90", "0", "90", "100", "50"};
    const std::string gap(4, ' '); // a caption is five characters, ten columns wide
    const std::vector<std::string> expected{
        "岩层倾角：" + gap + "30", "测线倾角：" + gap + "0",   "岩层倾向：" + gap + "90",
        "测线倾向：" + gap + "90", "测线斜距：" + gap + "100", "岩层厚度：" + gap + "50",
    };
    EXPECT_EQ(thicknessReportLines(texts), expected);

    const Traverse t = traverseOfTexts({"30", "90", "", "abc", "1 00", ""});
    EXPECT_EQ(t.stratumDip, 30);
    EXPECT_EQ(t.stratumDipDirection, 90);
    EXPECT_EQ(t.traverseInclination, 0);
    EXPECT_EQ(t.traverseDirection, 0);
    EXPECT_EQ(t.slopeDistance, 100);
}

} // namespace
} // namespace kv

#include "fold/core/three_point.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kv {
namespace {

TEST(ThreePoint, StrikeDipAndQuadrantOfThePlane)
{
    const struct {
        const char* name;
        ThreePoints points;
        const char* text;
    } cases[] = {
        {"x + y + z = 1 descends north-east", {{{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}}, "走向：315.0     倾角：54.7     倾向：NE"},
        {"rising to the south only", {{{0, 0, 1}, {0, 1, 1}, {1, 0, 0}}}, "走向：90.0     倾角：45.0     倾向：N"},
        {"descending south-west", {{{0, 0, 1}, {1, 0, 2}, {0, 1, 2}}}, "走向：315.0     倾角：54.7     倾向：SW"},
        {"the same plane through the origin", {{{0, 0, 0}, {1, 0, 1}, {0, 1, 1}}}, "走向：315.0     倾角：54.7     倾向：SW"},
        {"north-south strike dipping 45 east (strike -0)", {{{0, 0, 0}, {1, 0, 0}, {0, 1, -1}}},
         "走向：.0     倾角：45.0     倾向：E"},
        {"north-east strike dipping south-east", {{{0, 0, 0}, {1, 0, 1}, {0, 1, -1}}}, "走向：45.0     倾角：54.7     倾向：SE"},
        {"horizontal", {{{0, 0, 5}, {1, 0, 5}, {0, 1, 5}}}, "走向：90.0     倾角：.0     倾向："},
        {"vertical north-south plane", {{{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}}, "走向：.0     倾角：90.0     倾向：无"},
        {"vertical east-west plane", {{{0, 0, 0}, {0, 1, 0}, {0, 0, 1}}}, "走向：90.0     倾角：90.0     倾向：无"},
    };
    for (const auto& c : cases) {
        const std::optional<PlaneThroughPoints> plane = planeThroughPoints(c.points);
        ASSERT_TRUE(plane) << c.name;
        EXPECT_EQ(threePointResultText(*plane), c.text) << c.name;
    }
}

TEST(ThreePoint, PointsThatHoldNoPlane)
{
    const struct {
        const char* name;
        ThreePoints points;
    } cases[] = {
        {"empty window", {}},
        {"collinear", {{{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}}},
        {"two points coincide", {{{3, 4, 5}, {3, 4, 5}, {0, 1, 0}}}},
        {"coefficients beyond single precision", {{{0, 0, 0}, {1e20, 0, 0}, {0, 1e20, 1e20}}}},
        {"infinite coordinate", {{{0, 0, 0}, {INFINITY, 0, 0}, {0, 1, 0}}}},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(planeThroughPoints(c.points)) << c.name;
    EXPECT_STREQ(kThreePointFaultMessage, "坐标数据有误！");
}

TEST(CoordinateFile, WrittenInPrintZonesAndReadBackIntoTheBoxes)
{
    const ThreePoints points{{{0, 0, 1}, {1, 0, 0}, {-0.5, 1234.5678, 0}}};
    const std::string zone0 = " 0" + std::string(12, ' ');
    const std::vector<std::string> expected{
        zone0 + zone0 + " 1 ",
        " 1" + std::string(12, ' ') + zone0 + " 0 ",
        "-.5" + std::string(11, ' ') + " 1234.5678" + std::string(4, ' ') + " 0 ",
        "走向：315.0     倾角：54.7     倾向：NE",
    };
    const std::vector<std::string> lines = coordinateFileLines(points, expected[3]);
    EXPECT_EQ(lines, expected);

    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    const std::optional<CoordinateFileRead> read = parseCoordinateFile(text);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->points, points);
    const std::array<std::string, 9> boxes{"0", "0", "1", "1", "0", "0", "-0.5", "1234.5678", "0"};
    EXPECT_EQ(read->boxTexts, boxes);
}

TEST(CoordinateFile, ReadingTakesNineValuesOrNothing)
{
    const auto read = parseCoordinateFile("1,2,3,4\n5 6 7\nabc,9,10,11\n");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->points[2][1], 0); // a word counts as 0
    EXPECT_EQ(read->points[2][2], 9);
    for (const char* broken : {"", "1,2,3\n4,5,6\n", "1,2,3,4,5,6,7,8,1e400\n", "1 2 3 4 5 6 7 8"})
        EXPECT_FALSE(parseCoordinateFile(broken)) << broken;
    EXPECT_STREQ(kCoordinateFileFaultMessage, "坐标数据出错！");
}

} // namespace
} // namespace kv

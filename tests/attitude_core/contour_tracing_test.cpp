#include "attitude/core/contour_tracing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace kv {
namespace {

using Line = std::vector<TracePoint>;

NetState gridOf(std::initializer_list<std::tuple<int, int, float>> nodes)
{
    NetState s;
    for (const auto& [r, c, v] : nodes)
        s.densityGrid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = v;
    return s;
}

std::vector<Line> linesOfLevel(NetState& s, float level)
{
    std::vector<Line> lines;
    traceLevel(s, level, [&](const Line& l) { lines.push_back(l); });
    return lines;
}

// Consecutive crossings lie on edges of one cell: never more than a cell apart.
bool stepsAreCellSized(const Line& l)
{
    for (std::size_t i = 1; i < l.size(); ++i)
        if (std::abs(l[i].x - l[i - 1].x) > 10 || std::abs(l[i].y - l[i - 1].y) > 10)
            return false;
    return true;
}

struct LevelCase {
    float maxDensity;
    int count;
    std::vector<float> values;
};

TEST(ContourLevels, LevelTableFromTheMaximumDensity)
{
    const LevelCase cases[] = {
        {0, 1, {1.2f}},
        {1, 1, {1.2f}},
        {1.9f, 1, {1.2f}},
        {2, 2, {1.2f, 2}},
        {4, 2, {1.2f, 4}},
        {4.5f, 4, {1.2f, 2.25f, 3.375f, 4.5f}},
        {12, 4, {1.2f, 6, 9, 12}},
        {13, 6, {1.2f, 13.0f / 6 * 2, 13.0f / 6 * 3, 13.0f / 6 * 4, 13.0f / 6 * 5, 13.0f / 6 * 6}},
    };
    for (const LevelCase& c : cases) {
        const ContourLevels levels = contourLevels(c.maxDensity);
        ASSERT_EQ(levels.count, c.count) << c.maxDensity;
        for (int k = 1; k <= levels.count; ++k)
            EXPECT_EQ(levels.value(k), c.values[static_cast<std::size_t>(k - 1)]) << c.maxDensity << " level " << k;
    }
    EXPECT_EQ(contourLevels(1).step, 1.5f);
    EXPECT_NEAR(contourLevels(13).value(6), 13, 1e-5);
}

TEST(ContourTracing, TiesAreRaisedAboveTheLevel)
{
    NetState s = gridOf({{4, 4, 6}, {4, 5, 5}});
    raiseTies(s, 6);
    EXPECT_EQ(s.density(4, 4), static_cast<float>(6.0 + 0.001));
    EXPECT_EQ(s.density(4, 5), 5.0f);
    setCellFlags(s, 6);
    EXPECT_EQ(s.cellFlags[4][4], 3); // the raised node is above the level
    EXPECT_EQ(s.cellFlags[4][3], 1);
    EXPECT_EQ(s.cellFlags[3][4], 2);
}

TEST(ContourTracing, OneRaisedNodeGivesOneClosedFivePointLine)
{
    // A peak of 3 at any interior node, the rim columns and rows 1 and 19
    // included: level 1.2 cuts its four edges 6 units from it (node (r, c)
    // lies at x = 10 c - 100, y = 100 - 10 r).
    for (int r = 1; r <= 19; ++r)
        for (int c = 1; c <= 19; ++c) {
            NetState s = gridOf({{r, c, 3}});
            const std::vector<Line> lines = linesOfLevel(s, 1.2f);
            ASSERT_EQ(lines.size(), 1u) << "peak at row " << r << ", column " << c;
            const int x = 10 * c - 100, y = 100 - 10 * r;
            EXPECT_EQ(lines[0], (Line{{x, y + 6}, {x + 6, y}, {x, y - 6}, {x - 6, y}, {x, y + 6}}))
                << "peak at row " << r << ", column " << c;
        }
}

TEST(ContourTracing, SaddleLeavesTowardsTheHigherNodeOfTheEntryEdge)
{
    struct Case {
        float topLeft, topRight;
        TracePoint second;
    };
    const Case cases[] = {{0, 3, {-40, 44}}, {3, 0, {-50, 44}}};
    for (const Case& c : cases) {
        NetState s = gridOf({{5, 5, c.topLeft}, {5, 6, c.topRight}, {6, 5, c.topRight}, {6, 6, c.topLeft}});
        setCellFlags(s, 1.2f);
        s.cellFlags[5][5] -= 1; // the caller clears the start edge
        traceLine(s, 5, 5, 1, 1.2f);
        ASSERT_GE(s.trace.size(), 2u);
        EXPECT_EQ(s.trace[0], (TracePoint{c.topLeft == 0 ? -46 : -44, 50}));
        EXPECT_EQ(s.trace[1], c.second) << c.topLeft;
    }
}

TEST(ContourTracing, ALineFromTheTopBorderEndsOnTheLeftBorder)
{
    NetState s;
    for (int r = 0; r <= 2; ++r)
        for (int c = 0; c <= 2; ++c)
            s.densityGrid[r][c] = 5;
    const std::vector<Line> lines = linesOfLevel(s, 1.2f);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].front(), (TracePoint{-72, 100}));
    EXPECT_EQ(lines[0].back(), (TracePoint{-100, 72}));
    EXPECT_TRUE(stepsAreCellSized(lines[0]));
}

TEST(ContourTracing, ALineEndingOnTheEastAndSouthRimIsTracedWhole)
{
    // A high block in the lower right with a low corner: the corner's line
    // ends on a right-border flag of 3 and a bottom-border flag of 3.
    NetState s;
    for (int r = 15; r <= 20; ++r)
        for (int c = 15; c <= 20; ++c)
            s.densityGrid[r][c] = (r >= 18 && c >= 18) ? 0 : 5;
    const std::vector<Line> lines = linesOfLevel(s, 1.2f);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].front(), (TracePoint{100, -42})); // the block's outer line, from the right scan
    EXPECT_EQ(lines[0].back(), (TracePoint{42, -100}));
    // The corner's line, from its east rim edge to its south rim edge.
    EXPECT_EQ(lines[1], (Line{{100, -78}, {90, -78}, {80, -78}, {78, -80}, {78, -90}, {78, -100}}));
    for (const Line& l : lines)
        EXPECT_TRUE(stepsAreCellSized(l));
}

TEST(ContourTracing, AFlagOfThreeOffersBothItsEdges)
{
    // Moving left into a cell whose top and west edges are both still
    // flagged and whose bottom is clear: the line goes on through the top.
    NetState s = gridOf({{5, 5, 5}, {5, 6, 0}, {6, 5, 0}, {6, 6, 0}, {4, 5, 5}, {5, 4, 5}});
    setCellFlags(s, 1.2f);
    s.cellFlags[6][5] = 0; // bottom edge of the cell already used
    s.trace.clear();
    traceLine(s, 6, 5, 2, 1.2f);
    ASSERT_GE(s.trace.size(), 2u);
    EXPECT_EQ(s.trace[1].y, 50); // H(5,5): the top edge
}

TEST(ContourTracing, CrossingsRoundHalvesToEven)
{
    // x = 10 col - 100 + 10 t with t = 0.25 or 0.75: 12.5, 17.5, 7.5, -2.5.
    struct Case {
        int col;
        float left, right;
        int x;
    };
    const Case cases[] = {{11, 0, 4, 12}, {11, 4, 0, 18}, {10, 4, 0, 8}, {9, 4, 0, -2}};
    for (const Case& c : cases) {
        NetState s = gridOf({{5, c.col, c.left}, {5, c.col + 1, c.right}});
        setCellFlags(s, 1);
        traceLine(s, c.col, 5, 1, 1);
        ASSERT_FALSE(s.trace.empty());
        EXPECT_EQ(s.trace[0].x, c.x);
    }
}

TEST(ContourTracing, AnEdgeCodeOutsideOneToFourDoesNothing)
{
    NetState s = gridOf({{10, 10, 3}});
    setCellFlags(s, 1.2f);
    for (int code : {0, 5, -1}) {
        traceLine(s, 10, 9, code, 1.2f);
        EXPECT_TRUE(s.trace.empty());
    }
}

TEST(ContourTracing, ALineOfMoreThanFourHundredPointsIsKeptWhole)
{
    // A comb: teeth down the odd columns from row 1 to row 19, joined along row 1.
    NetState s;
    for (int c = 1; c <= 19; ++c)
        s.densityGrid[1][c] = 5;
    for (int c = 1; c <= 19; c += 2)
        for (int r = 1; r <= 19; ++r)
            s.densityGrid[r][c] = 5;
    const std::vector<Line> lines = linesOfLevel(s, 1.2f);
    ASSERT_EQ(lines.size(), 1u);
    const Line& l = lines[0];
    EXPECT_GE(l.size(), 401u);
    EXPECT_EQ(l.front(), l.back()); // closed
    EXPECT_TRUE(stepsAreCellSized(l));
}

} // namespace
} // namespace kv

#include "zelquad/core/fracture_statistics.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace zq {
namespace {

CheckedRecords checked(std::vector<kv::Attitude> records)
{
    auto r = CheckedRecords::check(std::move(records));
    EXPECT_TRUE(std::holds_alternative<CheckedRecords>(r));
    return std::get<CheckedRecords>(std::move(r));
}

using NodeValues = std::map<std::pair<int, int>, int>;

// Every node not listed reads 0.
void expectGrid(const DensityGrid& grid, const NodeValues& expected)
{
    for (int i = 0; i < kGridNodes; ++i)
        for (int j = 0; j < kGridNodes; ++j) {
            const auto it = expected.find({i, j});
            EXPECT_EQ(grid[i][j], it == expected.end() ? 0 : it->second) << "node " << i << "," << j;
        }
}

TEST(FractureStatistics, OneHorizontalPlaneFillsTheFirstClassesAndTheCentreNode)
{
    const FractureStatistics st = computeStatistics(checked({{0, 0}}));
    EXPECT_EQ(st.recordCount, 1);
    expectGrid(st.density, {{{10, 10}, 100}}); // its neighbours lie exactly 1 away
    EXPECT_EQ(st.strike[0].count, 1);
    EXPECT_EQ(st.strike[0].mean, 270);
    EXPECT_EQ(st.dipDirection[1].count, 1);
    EXPECT_EQ(st.dipDirection[1].mean, 0);
    EXPECT_EQ(st.dipPercent[1], 100);
    EXPECT_EQ(st.strikeRoseScale, 40);
    EXPECT_EQ(st.dipDirectionRoseScale, 40);
}

TEST(FractureStatistics, EightRecordsRoundGridHalvesUpAndDipHalvesToEven)
{
    // Six horizontal planes; 90/45 has its pole at (5.41, 0) between nodes 15
    // and 16 of row 10; 200/30 has its pole at (-1.25, -3.44), within 1 of all
    // four nodes (8..9, 6..7) around it.
    std::vector<kv::Attitude> records(6, {0, 0});
    records.push_back({90, 45});
    records.push_back({200, 30});
    const FractureStatistics st = computeStatistics(checked(records));
    EXPECT_EQ(st.recordCount, 8);
    expectGrid(st.density, {{{10, 10}, 75},
                            {{15, 10}, 13}, {{16, 10}, 13},
                            {{8, 6}, 13}, {{8, 7}, 13}, {{9, 6}, 13}, {{9, 7}, 13}});
    const std::array<int, 10> dips = {0, 75, 0, 0, 12, 12, 0, 0, 0, 0};
    EXPECT_EQ(st.dipPercent, dips);

    const std::map<int, std::pair<int, double>> strikes = {{0, {6, 270}}, {2, {1, 290}}, {9, {1, 0}}};
    for (int b = 0; b <= 18; ++b) {
        const auto it = strikes.find(b);
        EXPECT_EQ(st.strike[b].count, it == strikes.end() ? 0 : it->second.first) << "strike class " << b;
        EXPECT_EQ(st.strike[b].mean, it == strikes.end() ? 0 : it->second.second) << "strike class " << b;
    }
    const std::map<int, std::pair<int, double>> directions = {{1, {6, 0}}, {10, {1, 90}}, {21, {1, 200}}};
    for (int d = 0; d <= 36; ++d) {
        const auto it = directions.find(d);
        EXPECT_EQ(st.dipDirection[d].count, it == directions.end() ? 0 : it->second.first) << "class " << d;
        EXPECT_EQ(st.dipDirection[d].mean, it == directions.end() ? 0 : it->second.second) << "class " << d;
    }
    EXPECT_DOUBLE_EQ(st.strikeRoseScale, 40.0 / 6);
    EXPECT_DOUBLE_EQ(st.dipDirectionRoseScale, 40.0 / 6);
}

TEST(FractureStatistics, ClassMeansRoundHalvesUp)
{
    const FractureStatistics st = computeStatistics(checked({{10, 5}, {11, 5}}));
    EXPECT_EQ(st.dipDirection[2].count, 2);
    EXPECT_EQ(st.dipDirection[2].mean, 11); // 10.5
    EXPECT_EQ(st.strike[1].count, 2);
    EXPECT_EQ(st.strike[1].mean, 281);      // 280.5
}

TEST(FractureStatistics, EachRoseIsScaledByItsOwnFullestClass)
{
    // 10/30, 10/40, 190/30: all three strike 280 (class 1, 3 records); the
    // dip directions fill class 2 twice and class 20 once.
    const FractureStatistics st = computeStatistics(checked({{10, 30}, {10, 40}, {190, 30}}));
    EXPECT_EQ(st.strike[1].count, 3);
    EXPECT_EQ(st.dipDirection[2].count, 2);
    EXPECT_EQ(st.dipDirection[20].count, 1);
    EXPECT_DOUBLE_EQ(st.strikeRoseScale, 40.0 / 3);
    EXPECT_DOUBLE_EQ(st.dipDirectionRoseScale, 20);
}

TEST(FractureStatistics, PoleOnTheRimAlsoCountsAtTheOppositeRim)
{
    // 0/90 is read as 0/89.5: its pole lies at (0, 9.956), within 1 of nodes
    // (10, 19) and (10, 20); the rim node (10, 20) shares its count with (10, 0).
    const FractureStatistics st = computeStatistics(checked({{0, 90}}));
    expectGrid(st.density, {{{10, 19}, 100}, {{10, 20}, 100}, {{10, 0}, 100}});
    EXPECT_EQ(st.dipPercent[9], 100);
    EXPECT_EQ(st.strike[0].mean, 270);
}

TEST(FractureStatistics, LimitsStayInsideTheLastClass)
{
    // 360/90 is read as 359.5/89.5: dip-direction class 36, dip class 9, strike 89.5 in class 17.
    const FractureStatistics st = computeStatistics(checked({{360, 90}, {359, 89}}));
    EXPECT_EQ(st.dipDirection[36].count, 2);
    EXPECT_EQ(st.dipDirection[36].mean, 359); // 359.25
    EXPECT_EQ(st.dipPercent[9], 100);
    EXPECT_EQ(st.strike[17].count, 2);
    EXPECT_EQ(st.strike[17].mean, 89);        // 89.25
}

TEST(FractureStatistics, StrikeFoldsOntoTheUpperHalfCircle)
{
    const struct {
        double dipDirection;
        double strike;
        int strikeClass;
    } cases[] = {
        {0, 270, 0}, {180, 270, 0}, {5, 275, 0}, {185, 275, 0}, {10, 280, 1},
        {89.5, 359.5, 8}, {90, 0, 9}, {270, 0, 9}, {100, 10, 10}, {359.5, 89.5, 17}, {179.5, 89.5, 17},
    };
    for (const auto& c : cases) {
        const FoldedStrike f = foldedStrike(c.dipDirection);
        EXPECT_EQ(f.strike, c.strike) << c.dipDirection;
        EXPECT_EQ(f.strikeClass, c.strikeClass) << c.dipDirection;
    }
}

} // namespace
} // namespace zq

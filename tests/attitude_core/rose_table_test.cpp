#include "attitude/core/rose_table.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace kv {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

// A table holding the given rows from row 1 on; every other cell is empty.
// Remembers the deepest row read.
struct FakeTable {
    Rows rows;
    int deepestRow = 0;

    CellText cells()
    {
        return [this](int row, int column) -> std::string {
            EXPECT_GE(row, 1);
            EXPECT_TRUE(column == 1 || column == 2);
            if (row > deepestRow)
                deepestRow = row;
            if (row > static_cast<int>(rows.size()))
                return "";
            const auto& r = rows[static_cast<std::size_t>(row - 1)];
            return column == 1 ? r.first : r.second;
        };
    }
};

TEST(JointTableScan, ReadsWholeDegreesHalvesToEvenUntilTheFirstEmptyRow)
{
    FakeTable table{{{" 45 ", "30"}, {"44.5", "45.5"}, {"359.5", "12.5"}, {"-10", "abc"}, {"", "77"}, {"5", "5"}}};
    const JointTableScan scan = scanJointTable(table.cells());
    ASSERT_EQ(scan.jointCount(), 4);
    const std::vector<std::pair<std::int64_t, std::int64_t>> expected{{45, 30}, {44, 46}, {360, 12}, {-10, 0}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(scan.records[i].dipDirection, expected[i].first) << "record " << i + 1;
        EXPECT_EQ(scan.records[i].dip, expected[i].second) << "record " << i + 1;
    }
    EXPECT_FALSE(scan.badRecord());
    EXPECT_FALSE(scan.noRecord);
    EXPECT_EQ(scan.stopRow, 5);
}

TEST(JointTableScan, BlanksOnlyInTheDipDirectionEndTheScan)
{
    FakeTable table{{{"10", "20"}, {"   ", "30"}, {"40", "50"}}};
    const JointTableScan scan = scanJointTable(table.cells());
    EXPECT_EQ(scan.jointCount(), 1);
    EXPECT_FALSE(scan.badRecord());
    EXPECT_EQ(scan.stopRow, 2);
}

struct BadRowCase {
    const char* name;
    Rows rows;
    bool blankDip;
    bool badNumber;
    std::int64_t records;
};

class JointTableBadRow : public ::testing::TestWithParam<BadRowCase> {};

TEST_P(JointTableBadRow, KeepsTheRecordsAboveTheBadRow)
{
    const BadRowCase& c = GetParam();
    FakeTable table{c.rows};
    const JointTableScan scan = scanJointTable(table.cells());
    EXPECT_EQ(scan.blankDip, c.blankDip);
    EXPECT_EQ(scan.badNumber, c.badNumber);
    EXPECT_TRUE(scan.badRecord());
    EXPECT_EQ(scan.jointCount(), c.records);
    EXPECT_EQ(scan.noRecord, c.records == 0);
    EXPECT_EQ(scan.stopRow, c.records + 1);
    EXPECT_EQ(table.deepestRow, c.records + 1) << "the scan reads no row below the bad one";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JointTableBadRow,
    ::testing::Values(
        BadRowCase{"BlankDipInRow3", {{"10", "20"}, {"30", "40"}, {"50", "  "}, {"60", "70"}}, true, false, 2},
        BadRowCase{"BlankDipInRow1", {{"10", ""}, {"30", "40"}}, true, false, 0},
        BadRowCase{"HugeDip", {{"10", "20"}, {"30", "1e30"}, {"60", "70"}}, false, true, 1},
        BadRowCase{"HugeDipDirection", {{"1e19", "20"}}, false, true, 0},
        BadRowCase{"InfiniteOverflowInDipDirection", {{"10", "20"}, {"1e999", "5"}}, false, true, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JointTableScan, LargeNumbersThatFitAWholeNumberAreKept)
{
    FakeTable table{{{"40000", "-40000"}}};
    const JointTableScan scan = scanJointTable(table.cells());
    ASSERT_EQ(scan.jointCount(), 1);
    EXPECT_EQ(scan.records[0].dipDirection, 40000);
    EXPECT_EQ(scan.records[0].dip, -40000);
    EXPECT_FALSE(scan.badRecord());
}

TEST(JointTableScan, EmptyTableHasNoRecord)
{
    FakeTable table;
    const JointTableScan scan = scanJointTable(table.cells());
    EXPECT_TRUE(scan.noRecord);
    EXPECT_FALSE(scan.badRecord());
    EXPECT_EQ(scan.stopRow, 1);
}

TEST(JointTableScan, FullTableStopsAfterRow499WithoutReadingRow500)
{
    FakeTable table;
    for (int i = 1; i <= 520; ++i)
        table.rows.push_back({std::to_string(i % 360), "30"});
    const JointTableScan scan = scanJointTable(table.cells());
    EXPECT_EQ(scan.jointCount(), 499);
    EXPECT_EQ(scan.records.back().dipDirection, 499 % 360);
    EXPECT_EQ(scan.stopRow, 500);
    EXPECT_EQ(table.deepestRow, 499);
    EXPECT_FALSE(scan.badRecord());
}

} // namespace
} // namespace kv

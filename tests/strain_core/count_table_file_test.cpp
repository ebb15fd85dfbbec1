#include "strain/core/count_table_file.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace kv {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

CellText tableOf(const Rows& rows)
{
    return [rows](int row, int column) -> std::string {
        if (row < 1 || row > static_cast<int>(rows.size()))
            return "";
        return column == 1 ? rows[row - 1].first : rows[row - 1].second;
    };
}

TEST(CountTableFile, WritesPrintTextInZonesUpToTheFirstEmptyAngle)
{
    const auto lines = std::get<std::vector<std::string>>(countTableLines(tableOf({
        {"20", "157"},
        {"-22.5", "2.5"},   // halves to even
        {"30", "3.5"},
        {"40", ""},         // an empty count is 0
        {"-1.234567E+20", "40000"}, // fills the first zone: the count starts right after it
        {"", "9"},
        {"50", "7"},
    })));
    const std::string tenBlanks(10, ' ');
    const std::vector<std::string> expected{
        " 20 " + tenBlanks + " 157 ",
        "-22.5 " + std::string(8, ' ') + " 2 ",
        " 30 " + tenBlanks + " 4 ",
        " 40 " + tenBlanks + " 0 ",
        "-1.234567E+20  40000 ",
    };
    EXPECT_EQ(lines, expected);
}

TEST(CountTableFile, EmptyTableGivesNoLineAndHugeCountsAreRefused)
{
    EXPECT_TRUE(std::get<std::vector<std::string>>(countTableLines(tableOf({}))).empty());
    const auto refused = countTableLines(tableOf({{"0", "1"}, {"10", "3e9"}}));
    ASSERT_TRUE(std::holds_alternative<CountTableUnwritable>(refused));
    EXPECT_EQ(std::get<CountTableUnwritable>(refused).row, 2);
}

} // namespace
} // namespace kv

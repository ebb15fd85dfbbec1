#include "strain/core/centre_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
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

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

TEST(CentreFile, WritesCellTextsInZonesUpToTheFirstBlankCell)
{
    const auto lines = centreFileLines(tableOf({
        {"120", "85"},
        {"12345678901234", "7.5"}, // fills the first zone
        {"-3", " 4 "},
        {"9", "  "},
        {"10", "11"},
    }));
    const std::vector<std::string> expected{
        "120" + std::string(11, ' ') + "85",
        // Filling the zone, it would run into the y: quoted, it ends at its quote.
        "\"12345678901234\"" + std::string(12, ' ') + "7.5",
        "-3" + std::string(12, ' ') + " 4 ",
    };
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, expected);
}

TEST(CentreFile, ReadsBackWhatItWrote)
{
    const Rows table{{"120", "85"}, {"12.5", "-0.25"}, {"7", "abc"}};
    const auto read = std::get<CentreTable>(parseCentreFile(joined(*centreFileLines(tableOf(table)))));
    EXPECT_EQ(read.rows, table);
    EXPECT_FALSE(read.truncated);

    const auto items = std::get<CentreTable>(parseCentreFile("7.50, 3\r\n1E2 4\r\n"));
    EXPECT_EQ(items.rows, (Rows{{"7.5", "3"}, {"100", "4"}}));
    EXPECT_TRUE(std::get<CentreTable>(parseCentreFile("")).rows.empty());
}

// A word read into the table ran to the line end when written back before
// the y, and the file then held an x without its y.
TEST(CentreFile, TextsThatWouldNotReadBackAreQuotedOrRefused)
{
    const struct {
        const char* x;
        const char* y;
        const char* line;   // nullptr: nothing is written
        const char* backX;  // the cell texts read back
        const char* backY;
    } cases[] = {
        {"abc", "5", "\"abc\"         5", "abc", "5"},
        {"1 2", "3", "\"1 2\"         3", "1 2", "3"},
        {"1.5e", "x y", "\"1.5e\"        x y", "1.5e", "x y"},
        {"7", "a,b", "7             \"a,b\"", "7", "a,b"},
        {"7.50", "045", "7.50          045", "7.5", "45"}, // numbers as typed stay as they are
        {"a\"b", "1", nullptr, nullptr, nullptr},
        {"1", "x\r\ny", nullptr, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        const auto lines = centreFileLines(tableOf({{c.x, c.y}}));
        ASSERT_EQ(lines.has_value(), c.line != nullptr) << c.x << " " << c.y;
        if (!lines)
            continue;
        EXPECT_EQ(*lines, std::vector<std::string>{c.line});
        const auto read = std::get<CentreTable>(parseCentreFile(joined(*lines)));
        EXPECT_EQ(read.rows, (Rows{{c.backX, c.backY}})) << c.x << " " << c.y;
    }
}

TEST(CentreFile, RefusesOddCountsAndKeepsOnly199)
{
    EXPECT_EQ(std::get<CentreFileRefusal>(parseCentreFile("1 2\r\n3\r\n")), CentreFileRefusal::OddItemCount);
    std::string many;
    for (int i = 0; i < 250; ++i)
        many += std::to_string(i) + " " + std::to_string(2 * i) + "\r\n";
    const auto read = std::get<CentreTable>(parseCentreFile(many));
    EXPECT_EQ(read.rows.size(), 199u);
    EXPECT_TRUE(read.truncated);
    EXPECT_EQ(read.rows.back(), (CentreRow{"198", "396"}));
}

TEST(CentreFile, UnreadableFilesGiveAReason)
{
    EXPECT_EQ(std::get<CentreFileRefusal>(readCentreFile("/nonexistent/centres.txt")), CentreFileRefusal::CannotOpen);
    const std::string path = ::testing::TempDir() + "centres_bad_encoding.txt";
    std::ofstream(path, std::ios::binary) << "1 2\r\n\xff\xfe\r\n";
    EXPECT_EQ(std::get<CentreFileRefusal>(readCentreFile(path)), CentreFileRefusal::BadEncoding);
    std::remove(path.c_str());
}

} // namespace
} // namespace kv

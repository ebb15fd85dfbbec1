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
        "12345678901234" "7.5",
        "-3" + std::string(12, ' ') + " 4 ",
    };
    EXPECT_EQ(lines, expected);
}

TEST(CentreFile, ReadsBackWhatItWrote)
{
    const Rows table{{"120", "85"}, {"12.5", "-0.25"}, {"7", "abc"}};
    const auto read = std::get<CentreTable>(parseCentreFile(joined(centreFileLines(tableOf(table)))));
    EXPECT_EQ(read.rows, table);
    EXPECT_FALSE(read.truncated);

    const auto items = std::get<CentreTable>(parseCentreFile("7.50, 3\r\n1E2 4\r\n"));
    EXPECT_EQ(items.rows, (Rows{{"7.5", "3"}, {"100", "4"}}));
    EXPECT_TRUE(std::get<CentreTable>(parseCentreFile("")).rows.empty());
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

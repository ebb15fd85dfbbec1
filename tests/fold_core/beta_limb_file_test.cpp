#include "fold/core/beta_limb_file.h"

#include "cell_table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kv {
namespace {

using test::cellsOf;

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

TEST(BetaLimbFile, WrittenLinesReadBackIntoTheSameTable)
{
    const BetaFileWrite written =
        formatBetaLimbFile("2", "1", true, cellsOf({{"250", "30"}, {"260.5", "35.5"}, {"80", "60"}, {"99", "9"}}));
    ASSERT_TRUE(written.ok());
    // counts in print zones (second from column 15), the flag, records of rows 1 to 3 only
    const std::vector<std::string> expected{
        " 2" + std::string(12, ' ') + " 1 ",
        "y",
        " 250" + std::string(10, ' ') + " 30 ",
        " 260.5" + std::string(8, ' ') + " 36 ",
        " 80" + std::string(11, ' ') + " 60 ",
    };
    EXPECT_EQ(written.lines, expected);
    EXPECT_EQ(written.pointCount, 3);

    const BetaFileRead read = parseBetaLimbFile(joined(written.lines));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.contents.leftCountText, "2");
    EXPECT_EQ(read.contents.rightCountText, "1");
    EXPECT_TRUE(read.contents.overturned);
    EXPECT_EQ(read.contents.pointCount, 3);
    const std::vector<std::vector<std::string>> rows{{"250", "30"}, {"260.5", "36"}, {"80", "60"}};
    EXPECT_EQ(read.contents.rows, rows);
}

TEST(BetaLimbFile, FlagCountsAndRecordsAsRead)
{
    const struct {
        const char* text;
        bool overturned;
        const char* left;
        const char* right;
        int pointCount;
        std::size_t rows;
    } cases[] = {
        {"1,1\r\nY\r\n10,20\r\n30,40\r\n", true, "1", "1", 2, 2},
        {"1 1\nn\n10 20\n30 40\n", false, "1", "1", 2, 2},
        {"1,1\nyes\n10,20\n30,40\n", false, "1", "1", 2, 2},
        {"1,1\n\n10,20\n", false, "1", "1", 2, 1},                 // an empty flag line
        {"1,1\ny\n10,20\n30,40\n50,60\n", true, "1", "1", 2, 3},   // more records than counted
        {"2.5,1\nn\n", false, "2.5", "1", 4, 0},                     // 3.5 rounds to 4
        {"300,300\nn\n", false, "300", "300", 499, 0},
        {"1,1\nn\n123.456789,40\n", false, "1", "1", 2, 1},
    };
    for (const auto& c : cases) {
        const BetaFileRead read = parseBetaLimbFile(c.text);
        ASSERT_TRUE(read.ok()) << c.text;
        EXPECT_EQ(read.contents.overturned, c.overturned) << c.text;
        EXPECT_EQ(read.contents.leftCountText, c.left) << c.text;
        EXPECT_EQ(read.contents.rightCountText, c.right) << c.text;
        EXPECT_EQ(read.contents.pointCount, c.pointCount) << c.text;
        EXPECT_EQ(read.contents.rows.size(), c.rows) << c.text;
    }
    // a record is read in single precision
    EXPECT_EQ(parseBetaLimbFile("1,1\nn\n123.456789,40\n").contents.rows.at(0)[0], "123.4568");
}

TEST(BetaLimbFile, BrokenFilesGiveAReasonAndTheRecordsBeforeTheFault)
{
    std::string tooMany = "1,1\nn\n";
    for (int i = 0; i < 500; ++i)
        tooMany += "10,20\n";
    const struct {
        std::string text;
        BetaFileReadFault fault;
        bool countsRead;
        std::size_t rows; // records kept for the table
    } cases[] = {
        {"", BetaFileReadFault::BadCounts, false, 0},
        {"abc,1\nn\n", BetaFileReadFault::BadCounts, false, 0},
        {"1\n", BetaFileReadFault::BadCounts, false, 0},
        {"1e39,1\nn\n10,20\n", BetaFileReadFault::BadCounts, false, 0},
        {"1,1\nn\n10,20\n30\n", BetaFileReadFault::BadRecord, true, 1},
        {"1,1\nn\n10,20\n10,abc\n20,30\n", BetaFileReadFault::BadRecord, true, 1},
        {"1,1\nn\n10,1e39\n", BetaFileReadFault::BadRecord, true, 0},
        {"1,1\nn\n10,1e400\n", BetaFileReadFault::BadRecord, true, 0},
        {tooMany, BetaFileReadFault::TooManyRecords, true, 499},
    };
    for (const auto& c : cases) {
        const BetaFileRead read = parseBetaLimbFile(c.text);
        EXPECT_EQ(read.fault, c.fault) << c.text.substr(0, 30);
        EXPECT_EQ(read.countsRead, c.countsRead) << c.text.substr(0, 30);
        EXPECT_EQ(read.contents.rows.size(), c.rows) << c.text.substr(0, 30);
        if (c.rows > 0) {
            EXPECT_EQ(read.contents.rows[0], (std::vector<std::string>{"10", "20"}));
        }
    }
}

TEST(BetaLimbFile, TablesThatCannotBeSavedWriteNothing)
{
    const struct {
        const char* name;
        std::string left;
        test::Rows rows;
        BetaFileWriteFault fault;
    } cases[] = {
        {"empty dip", "2", {{"10", "20"}, {"30", ""}}, BetaFileWriteFault::BadRecord},
        {"dip beyond 16 bits", "2", {{"10", "20"}, {"30", "40000"}}, BetaFileWriteFault::BadRecord},
        {"dip direction beyond single", "2", {{"1e39", "20"}, {"30", "40"}}, BetaFileWriteFault::BadRecord},
        {"count beyond any double", "1e400", {{"10", "20"}}, BetaFileWriteFault::BadCounts},
    };
    for (const auto& c : cases) {
        const BetaFileWrite written = formatBetaLimbFile(c.left, "1", false, cellsOf(c.rows));
        EXPECT_EQ(written.fault, c.fault) << c.name;
        EXPECT_TRUE(written.lines.empty()) << c.name;
    }
    // the records end at the first empty dip direction, whatever the counts say
    const BetaFileWrite shortTable = formatBetaLimbFile("5", "5", false, cellsOf({{"10", "20"}, {"", "30"}}));
    ASSERT_TRUE(shortTable.ok());
    EXPECT_EQ(shortTable.lines.size(), 3u);
    EXPECT_EQ(shortTable.pointCount, 10);
}

TEST(BetaLimbFile, PointCountStaysWithinTheTable)
{
    const struct {
        double sum;
        int count;
    } cases[] = {{2, 2}, {2.5, 2}, {3.5, 4}, {-3, 0}, {499.4, 499}, {500, 499}, {1e30, 499}, {-INFINITY, 0}, {NAN, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(pointCountOfSum(c.sum), c.count) << c.sum;
}

} // namespace
} // namespace kv

#include "strain/core/grid_data_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <sys/stat.h>

namespace kv {
namespace {

std::string pointsText(const std::string& header, int count, double shift = 0)
{
    std::string text = header + "\r\n";
    for (int i = 0; i < count; ++i)
        text += std::to_string(i * 1.5 + shift) + ", " + std::to_string(-i + shift) + "\r\n";
    return text;
}

TEST(GridDataFile, ReadsAMatchingPair)
{
    const auto data = std::get<GridData>(parseGridDataFiles(pointsText("12 3 4", 12), pointsText("12,3,4", 12, 0.5)));
    EXPECT_EQ(data.rows, 3);
    EXPECT_EQ(data.cols, 4);
    ASSERT_EQ(data.points.size(), 12u);
    EXPECT_FLOAT_EQ(data.points[11].x0, 16.5f);
    EXPECT_FLOAT_EQ(data.points[11].y1, -10.5f);
    EXPECT_EQ(gridCountText(data.rows), "3");
    EXPECT_EQ(gridCoordinateText(data.points[11].y1), "-10.5");
}

TEST(GridDataFile, RefusesPairsThatDisagreeOrFallShort)
{
    const struct {
        const char* name;
        std::string initial, deformed;
    } cases[] = {
        {"rows and cols swapped", pointsText("12 3 4", 12), pointsText("12 4 3", 12)},
        {"count is not rows x cols", pointsText("11 3 4", 11), pointsText("11 3 4", 11)},
        {"more than 499 points", pointsText("600 20 30", 600), pointsText("600 20 30", 600)},
        {"one point more than 499", pointsText("500 20 25", 500), pointsText("500 20 25", 500)},
        {"product beyond 16 bits", pointsText("0 200 200", 0), pointsText("0 200 200", 0)},
        {"too few points", pointsText("12 3 4", 12), pointsText("12 3 4", 11)},
        {"a point that is not a number", pointsText("2 1 2", 1) + "x, 3\r\n", pointsText("2 1 2", 2)},
        {"empty", "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::get<GridDataRefusal>(parseGridDataFiles(c.initial, c.deformed)), GridDataRefusal::BadData)
            << c.name;
    EXPECT_EQ(std::get<GridDataRefusal>(readGridDataFiles("/nonexistent/a.txt", "/nonexistent/b.txt")),
              GridDataRefusal::CannotOpen);
}

// The count alone matched such headers, so "1 -1 -1" gave one point of a
// grid that the table then refused to save.
TEST(GridDataFile, RefusesGridsWithoutRowsOrColumns)
{
    const struct {
        const char* name;
        const char* header;
        int points;
    } cases[] = {
        {"no rows or cols", "0 0 0", 0},
        {"no rows", "0 0 5", 0},
        {"no cols", "0 5 0", 0},
        {"negative rows and cols", "1 -1 -1", 1},
        {"negative rows", "-2 -1 2", 0},
        {"negative count too", "-4 2 -2", 2},
    };
    for (const auto& c : cases) {
        const auto read = parseGridDataFiles(pointsText(c.header, c.points), pointsText(c.header, c.points));
        const auto* refusal = std::get_if<GridDataRefusal>(&read);
        ASSERT_TRUE(refusal) << c.name;
        EXPECT_EQ(*refusal, GridDataRefusal::BadData) << c.name;
    }
    EXPECT_EQ(std::get<GridData>(parseGridDataFiles(pointsText("1 1 1", 1), pointsText("1 1 1", 1))).points.size(), 1u);
}

struct Table {
    std::map<std::pair<int, int>, std::string> cells;
    CellText cell() const
    {
        return [this](int row, int column) {
            const auto it = cells.find({row, column});
            return it == cells.end() ? std::string() : it->second;
        };
    }
};

// rows x cols in row 1, then `complete` rows of points (x0 = k, y0 = -k, x1 = k + 0.5, y1 = 2.25).
Table table(const char* rows, const char* cols, int complete)
{
    Table t;
    t.cells[{1, 5}] = rows;
    t.cells[{1, 6}] = cols;
    for (int k = 1; k <= complete; ++k) {
        t.cells[{k, 1}] = std::to_string(k);
        t.cells[{k, 2}] = std::to_string(-k);
        t.cells[{k, 3}] = std::to_string(k + 0.5);
        t.cells[{k, 4}] = "2.25";
    }
    return t;
}

TEST(GridDataFile, SavesExactlyRowsTimesColsCompletePoints)
{
    const auto data = std::get<GridData>(gridDataFromTable(table("2", "2", 10).cell()));
    const GridDataLines lines = gridDataFileLines(data);
    const std::string header = " 4 " + std::string(11, ' ') + " 2 " + std::string(11, ' ') + " 2 ";
    ASSERT_EQ(lines.initial.size(), 5u);
    EXPECT_EQ(lines.initial[0], header);
    EXPECT_EQ(lines.deformed[0], header);
    EXPECT_EQ(lines.initial[4], " 4 " + std::string(11, ' ') + "-4 ");
    EXPECT_EQ(lines.deformed[4], " 4.5 " + std::string(9, ' ') + " 2.25 ");

    Table missingY = table("3", "4", 12);
    missingY.cells.erase({5, 2});
    Table word = table("2", "2", 4);
    word.cells[{3, 3}] = "3 apples";
    for (const Table& refused : {table("3", "4", 10), missingY, word, table("-2", "-2", 4), table("two", "2", 4)})
        EXPECT_EQ(std::get<GridDataRefusal>(gridDataFromTable(refused.cell())), GridDataRefusal::BadData);
}

TEST(GridDataFile, WrittenPairReadsBack)
{
    const std::string dir = ::testing::TempDir();
    const std::string a = dir + "grid_before.txt", b = dir + "grid_after.txt";
    const auto data = std::get<GridData>(gridDataFromTable(table("3", "2", 6).cell()));
    ASSERT_FALSE(writeGridDataFiles(a, b, data));
    const auto back = std::get<GridData>(readGridDataFiles(a, b));
    EXPECT_EQ(back.rows, 3);
    EXPECT_EQ(back.cols, 2);
    ASSERT_EQ(back.points.size(), 6u);
    EXPECT_FLOAT_EQ(back.points[5].x1, 6.5f);
    EXPECT_FLOAT_EQ(back.points[5].y0, -6.f);

    const std::string folder = dir + "grid_folder";
    ::mkdir(folder.c_str(), 0755);
    EXPECT_EQ(writeGridDataFiles(a, folder, GridData{1, 1, {{9, 9, 9, 9}}}), GridDataRefusal::CannotWrite);
    EXPECT_EQ(std::get<GridData>(readGridDataFiles(a, b)).points.size(), 6u); // the pair as it was
}

} // namespace
} // namespace kv

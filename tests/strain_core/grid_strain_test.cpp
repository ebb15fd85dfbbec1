#include "strain/core/grid_strain.h"

#include "platform/text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <sys/stat.h>

namespace kv {
namespace {

using Deform = std::function<std::pair<double, double>(double, double)>;
using Cells = std::map<std::pair<int, int>, std::string>;

CellText tableOf(const Cells& cells)
{
    return [cells](int row, int column) {
        const auto it = cells.find({row, column});
        return it == cells.end() ? std::string() : it->second;
    };
}

// A rows x cols grid of spacing 10, grid row 1 on top (y upwards), moved by `deform`.
Cells grid(int rows, int cols, const Deform& deform)
{
    Cells t{{{1, 5}, std::to_string(rows)}, {{1, 6}, std::to_string(cols)}};
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) {
            const int k = (r - 1) * cols + c;
            const double x = 10.0 * (c - 1), y = 10.0 * (rows - r);
            const auto [x1, y1] = deform(x, y);
            t[{k, 1}] = cellText(x), t[{k, 2}] = cellText(y), t[{k, 3}] = cellText(x1), t[{k, 4}] = cellText(y1);
        }
    return t;
}

const Deform same = [](double x, double y) { return std::make_pair(x, y); };

TEST(GridStrain, KnownDeformationsGiveTheirStrains)
{
    const double a = 10 * 3.14159265358979 / 180;
    const struct {
        const char* name;
        Deform deform;
        double strainX, strainY, shear, rotation;
    } cases[] = {
        {"rotation of 10 degrees",
         [a](double x, double y) { return std::make_pair(x * std::cos(a) - y * std::sin(a), x * std::sin(a) + y * std::cos(a)); },
         0, 0, 0, 10},
        // w = -0.05 / sqrt(1.01); rotation asin(w); both strains 1 - sqrt(1 - w^2).
        {"simple shear of 0.1", [](double x, double y) { return std::make_pair(x + 0.1 * y, y); },
         0.0012383905679757, 0.0012383905679757, 0.0497518595104995, -2.851748863061154},
        {"stretch of 1.25 along x", [](double x, double y) { return std::make_pair(1.25 * x + 3, y - 7); },
         0.2, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const auto points = std::get<std::vector<GridPointStrain>>(strainAtGridPoints(tableOf(grid(3, 4, c.deform)), true));
        ASSERT_EQ(points.size(), 6u) << c.name; // (3 - 1) x (4 - 1)
        for (const GridPointStrain& p : points) {
            EXPECT_NEAR(p.strainX, c.strainX, 1e-9) << c.name;
            EXPECT_NEAR(p.strainY, c.strainY, 1e-9) << c.name;
            EXPECT_NEAR(p.shear, c.shear, 1e-9) << c.name;
            EXPECT_NEAR(p.rotation, c.rotation, 1e-6) << c.name; // pi taken as 3.1415926
        }
        EXPECT_EQ(points[0].yText, "10"); // grid row 2, column 1
    }
}

TEST(GridStrain, LinesKeepTheTableTexts)
{
    Cells t = grid(2, 2, same);
    t[{3, 1}] = "0.00"; // point 3 (grid row 2, column 1) as the user typed it
    t[{3, 3}] = "0.000";
    const GridStrainLines lines = gridStrainLines(std::get<std::vector<GridPointStrain>>(strainAtGridPoints(tableOf(t), true)));
    const std::string line = "0.00" + std::string(10, ' ') + "0" + std::string(13, ' ') + " 0 ";
    for (const auto* file : {&lines.strainX, &lines.strainY, &lines.shear, &lines.rotation})
        EXPECT_EQ(*file, std::vector<std::string>{line});
    EXPECT_EQ(std::get<std::vector<GridPointStrain>>(strainAtGridPoints(tableOf(t), false))[0].xText, "0.000");
}

TEST(GridStrain, CountsAndFailures)
{
    const Deform quarterTurn = [](double x, double y) { return std::make_pair(-y, x); }; // |w| = 1
    const Deform collapse = [](double, double) { return std::make_pair(5.0, 5.0); };
    const struct {
        const char* name;
        Cells table;
        Cells changes;
        std::optional<GridStrainFailure> failure;
        std::size_t points;
    } cases[] = {
        {"one grid row writes nothing", grid(1, 4, same), {}, std::nullopt, 0},
        {"3.5 rows read as 4", grid(4, 2, same), {{{1, 5}, "3.5"}}, std::nullopt, 3},
        {"2.5 rows read as 2", grid(4, 2, same), {{{1, 5}, "2.5"}}, std::nullopt, 1},
        {"3 apples", grid(3, 2, same), {{{1, 5}, "3 apples"}}, std::nullopt, 2},
        {"both negative", grid(2, 2, same), {{{1, 5}, "-2"}, {{1, 6}, "-2"}}, GridStrainFailure::NoGrid, 0},
        {"empty rows", grid(2, 2, same), {{{1, 5}, ""}}, GridStrainFailure::NoGrid, 0},
        {"rows beyond 16 bits", grid(2, 2, same), {{{1, 5}, "40000"}}, GridStrainFailure::BadData, 0},
        {"more than 499 points", grid(2, 2, same), {{{1, 5}, "25"}, {{1, 6}, "20"}}, GridStrainFailure::BadData, 0},
        {"coordinate not a number", grid(2, 2, same), {{{3, 2}, "y"}}, GridStrainFailure::BadData, 0},
        {"coinciding points", grid(2, 2, collapse), {}, GridStrainFailure::BadData, 0},
        {"quarter turn", grid(2, 2, quarterTurn), {}, GridStrainFailure::BadData, 0},
        {"overflowing length", grid(2, 2, same), {{{4, 3}, "1e308"}, {{4, 4}, "-1e308"}}, GridStrainFailure::BadData, 0},
    };
    for (auto c : cases) {
        for (const auto& [at, text] : c.changes)
            c.table[at] = text;
        const auto result = strainAtGridPoints(tableOf(c.table), true);
        if (c.failure)
            EXPECT_EQ(std::get<GridStrainFailure>(result), *c.failure) << c.name;
        else
            EXPECT_EQ(std::get<std::vector<GridPointStrain>>(result).size(), c.points) << c.name;
    }
    EXPECT_EQ(gridStrainNotice(GridStrainFailure::NoGrid).title, "错误！");
    EXPECT_EQ(gridStrainNotice(GridStrainFailure::BadData).title, "错误");
}

std::string fileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(GridStrain, WritesAllFourFilesOrNone)
{
    const std::string dir = ::testing::TempDir() + "grid_strain_files/";
    ::mkdir(dir.c_str(), 0755);
    const GridStrainFileNames names{dir + "Lex.txt", dir + "Ley.txt", dir + "Lexy.txt", dir + "Lzj.txt"};
    for (const std::string* name : {&names.strainX, &names.strainY, &names.shear, &names.rotation})
        std::ofstream(*name) << "earlier run";
    const GridStrainLines lines{{"a"}, {"b"}, {"c"}, {"d"}};

    GridStrainFileNames blocked = names; // the last target is a folder
    blocked.rotation = dir + "folder";
    ::mkdir(blocked.rotation.c_str(), 0755);
    EXPECT_EQ(writeGridStrainFiles(blocked, lines), FileError::CannotWrite);
    EXPECT_EQ(fileText(names.strainX), "earlier run");
    int entries = 0; // the four files and the folder: nothing half-written beside them
    if (DIR* d = ::opendir(dir.c_str())) {
        while (const dirent* e = ::readdir(d))
            entries += e->d_name[0] != '.';
        ::closedir(d);
    }
    EXPECT_EQ(entries, 5);

    EXPECT_EQ(writeGridStrainFiles(names, lines), FileError::None);
    EXPECT_EQ(fileText(names.strainX), "a\r\n");
    EXPECT_EQ(fileText(names.rotation), "d\r\n");
}

} // namespace
} // namespace kv

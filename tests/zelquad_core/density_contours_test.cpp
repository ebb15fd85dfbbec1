#include "zelquad/core/cad_script.h"
#include "zelquad/core/density_contours.h"
#include "zelquad/core/triangle_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace zq {
namespace {

namespace fs = std::filesystem;

std::vector<ContourNode> emptyNodes() { return contourNodes(DensityGrid{}); }

FractureStatistics statisticsOf(std::vector<kv::Attitude> records)
{
    return computeStatistics(std::get<CheckedRecords>(CheckedRecords::check(std::move(records))));
}

double cross(const ContourNode& o, const ContourNode& a, const ContourNode& b)
{
    return double(a.x - o.x) * (b.y - o.y) - double(a.y - o.y) * (b.x - o.x);
}

// Area of the convex hull of the nodes (monotone chain), worked apart from the triangulation.
double hullArea(std::vector<ContourNode> p)
{
    std::sort(p.begin(), p.end(), [](auto& a, auto& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    std::vector<ContourNode> h(2 * p.size());
    std::size_t k = 0;
    for (std::size_t i = 0; i < p.size(); h[k++] = p[i++])
        while (k >= 2 && cross(h[k - 2], h[k - 1], p[i]) <= 0)
            --k;
    for (std::size_t i = p.size() - 1, t = k + 1; i > 0; h[k++] = p[--i])
        while (k >= t && cross(h[k - 2], h[k - 1], p[i - 1]) <= 0)
            --k;
    double area = 0;
    for (std::size_t i = 0; i + 1 < k; ++i)
        area += double(h[i].x) * h[i + 1].y - double(h[i + 1].x) * h[i].y;
    return std::fabs(area) / 2;
}

TEST(ContourNodes, NumberedInTwoPassesOverTheRowsInsideTheNet)
{
    const auto nodes = emptyNodes();
    ASSERT_EQ(nodes.size(), 325u);
    const struct { int n, x, y; } cases[] = {{0, 66, 120}, {1, 70, 120}, {91, 70, 80}, {172, 70, 40}, {173, 74, 120}, {324, 74, 40}};
    for (const auto& c : cases) {
        EXPECT_EQ(nodes[c.n].x, c.x) << c.n;
        EXPECT_EQ(nodes[c.n].y, c.y) << c.n;
    }
    const int widths[] = {1, 4, 6, 7, 8, 8, 9, 9, 9, 10, 10, 10, 9, 9, 9, 8, 8, 7, 6, 4, 1};
    for (int row = 0; row <= 20; ++row)
        EXPECT_EQ(netRowHalfWidth(row), widths[row]) << row;
    // The density of grid node (10 + j, 20 - i) goes with row i, column j.
    DensityGrid grid{};
    grid[0][10] = 7; // row 10, column -10: x 30, y 80
    for (const ContourNode& n : contourNodes(grid))
        EXPECT_EQ(n.density, n.x == 30 && n.y == 80 ? 7 : 0);
}

TEST(Triangulation, GrowsTheSame618TrianglesCoveringTheNodeSetOnce)
{
    const auto nodes = emptyNodes();
    const Triangles t = triangulate(nodes);
    ASSERT_EQ(t.size(), 618u);
    EXPECT_EQ(t.front(), (Triangle{0, 1, 5}));
    double area = 0;
    std::map<std::pair<int, int>, int> edgeUse;
    for (const Triangle& tri : t) {
        area += std::fabs(cross(nodes[tri[0]], nodes[tri[1]], nodes[tri[2]])) / 2;
        for (int k = 0; k < 3; ++k) {
            const int a = tri[k], b = tri[(k + 1) % 3];
            ++edgeUse[{std::min(a, b), std::max(a, b)}];
        }
    }
    // No gap and no overlap: the areas add up to the hull, and no edge borders three triangles.
    EXPECT_DOUBLE_EQ(area, hullArea(nodes));
    for (const auto& [edge, uses] : edgeUse)
        EXPECT_LE(uses, 2) << edge.first << "-" << edge.second;
}

class TriangleCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = fs::temp_directory_path() / ("zq_cache_" + std::to_string(::getpid()));
        fs::remove_all(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    void writeCache(const std::string& text)
    {
        fs::create_directories(folder);
        std::ofstream(folder / "ZelData.zel", std::ios::binary) << text;
    }
    std::string cacheText()
    {
        std::ifstream in(folder / "ZelData.zel", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::string lines(const std::string& line, int count)
    {
        std::string s;
        for (int i = 0; i < count; ++i)
            s += line + "\r\n";
        return s;
    }
    fs::path folder;
};

TEST_F(TriangleCacheTest, BuiltOnceThenReadBack)
{
    const auto nodes = emptyNodes();
    const Triangles built = cachedTriangulation(nodes, folder.string());
    EXPECT_EQ(built, triangulate(nodes));
    const std::string text = cacheText();
    EXPECT_EQ(text.substr(0, 7), "0,1,5\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 619); // the triangles and the check line
    EXPECT_EQ(readTriangleCache((folder / "ZelData.zel").string(), nodes), built);
    EXPECT_EQ(cachedTriangulation(nodes, folder.string()), built);
    EXPECT_EQ(cacheText(), text);
}

// Node numbers in range are not enough: the run contours with whatever it
// takes, so only the very cache it wrote for these nodes is taken.
TEST_F(TriangleCacheTest, CacheThatIsNotExactlyTheTriangulationIsRebuilt)
{
    const auto nodes = emptyNodes();
    cachedTriangulation(nodes, folder.string());
    const std::string written = cacheText();
    const std::size_t checkStart = written.rfind("\r\n", written.size() - 3) + 2;
    const std::string triangleLines = written.substr(0, checkStart);
    const std::string check = written.substr(checkStart);
    auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        return text.replace(text.find(from), from.size(), to);
    };
    std::vector<ContourNode> moved = nodes;
    moved[7].x += 1;
    const struct {
        const char* name;
        std::string text;
        std::vector<ContourNode> nodes;
    } cases[] = {
        {"one triangle repeated", lines("0,1,5", 618), nodes},
        {"one triangle repeated, with the sound check", lines("0,1,5", 618) + check, nodes},
        {"the triangles without their check", triangleLines, nodes},
        {"a node number changed", replaced(written, "0,1,5\r\n", "0,1,6\r\n"), nodes},
        {"two triangles swapped", replaced(written, "0,1,5\r\n0,5,4\r\n", "0,5,4\r\n0,1,5\r\n"), nodes},
        {"a triangle left out", written.substr(7), nodes},
        {"the check changed", triangleLines + replaced(check, check.substr(0, 1), check[0] == '0' ? "1" : "0"), nodes},
        {"the check in capitals and short", triangleLines + "ABC\r\n", nodes},
        {"written for other nodes", written, moved},
    };
    for (const auto& c : cases) {
        writeCache(c.text);
        EXPECT_FALSE(readTriangleCache((folder / "ZelData.zel").string(), c.nodes)) << c.name;
        const Triangles expected = triangulate(c.nodes);
        EXPECT_EQ(cachedTriangulation(c.nodes, folder.string()), expected) << c.name;
        EXPECT_EQ(readTriangleCache((folder / "ZelData.zel").string(), c.nodes), expected) << c.name << ": rewritten";
    }
}

TEST_F(TriangleCacheTest, CorruptOrTruncatedCacheIsRebuilt)
{
    const auto nodes = emptyNodes();
    const Triangles sound = triangulate(nodes);
    const std::string cases[] = {
        "",
        lines("0,1,5", 617),
        lines("0,1,5", 619),
        lines("0,1,5", 617) + "0,1,325\r\n",
        lines("0,1,5", 617) + "0,-1,5\r\n",
        lines("0,1,5", 617) + "0,1\r\n",
        lines("0,1,5", 617) + "0,1,5,6\r\n",
        lines("0,1,5", 617) + "0,x,5\r\n",
        lines("0,1,5", 617) + "0,1,99999999999999999999\r\n",
        lines("0,1,5", 617) + "\xff\xfe\r\n",
        lines("0,1,5", 40000),
    };
    for (const std::string& text : cases) {
        writeCache(text);
        EXPECT_EQ(cachedTriangulation(nodes, folder.string()), sound) << text.size();
        const std::string rewritten = cacheText();
        EXPECT_EQ(rewritten.substr(0, 7), "0,1,5\r\n");
        EXPECT_EQ(std::count(rewritten.begin(), rewritten.end(), '\n'), 619);
    }
}

TEST_F(TriangleCacheTest, UnwritableCacheIsIgnored)
{
    std::ofstream(folder.string()) << "a file where the folder should be";
    EXPECT_EQ(cachedTriangulation(emptyNodes(), folder.string()).size(), 618u);
    fs::remove(folder);
}

// For a data set of a hundred fractures: every vertex lies on a triangle edge
// where the densities, read linearly along the edge, equal the level; and the
// pieces of a level meet end to end, or end on the border of the node set.
TEST(DensityContours, VerticesLieAtTheirLevelAndPiecesJoinOrEndOnTheBorder)
{
    std::vector<kv::Attitude> records;
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int i = 0; i < 100; ++i) {
        const bool clustered = i % 3 != 0;
        const double dipDirection = clustered ? 120 + next() % 40 : next() % 360;
        const double dip = clustered ? 60 + next() % 30 : next() % 90; // reaching the rim
        records.push_back({dipDirection, dip});
    }
    const auto nodes = contourNodes(statisticsOf(records).density);
    const Triangles triangles = triangulate(nodes);
    const std::vector<ContourLine> lines = densityContours(nodes, triangles, 0, 12, 2);
    ASSERT_FALSE(lines.empty());

    std::map<std::pair<int, int>, int> edgeUse;
    for (const Triangle& t : triangles)
        for (int k = 0; k < 3; ++k)
            ++edgeUse[{std::min(t[k], t[(k + 1) % 3]), std::max(t[k], t[(k + 1) % 3])}];

    std::set<int> levelsSeen;
    for (int level : {2, 4, 6, 8, 10}) {
        // A node at a level already traced is read 0.01 higher.
        auto density = [level](const ContourNode& n) {
            return n.density <= level && static_cast<int>(n.density) % 2 == 0 && n.density <= 10 ? n.density + 0.01 : n.density;
        };
        std::map<std::pair<double, double>, int> endUse;
        for (const ContourLine& line : lines) {
            if (line.level != level)
                continue;
            levelsSeen.insert(level);
            ASSERT_GE(line.points.size(), 2u);
            for (const kv::Point& p : line.points) {
                bool onEdge = false;
                for (const auto& [edge, uses] : edgeUse) {
                    const ContourNode& u = nodes[edge.first];
                    const ContourNode& v = nodes[edge.second];
                    const double len = std::hypot(v.x - u.x, v.y - u.y);
                    const double t = std::hypot(p.x - u.x, p.y - u.y) / len;
                    const double off = std::fabs((v.x - u.x) * (p.y - u.y) - (v.y - u.y) * (p.x - u.x)) / len;
                    if (off < 1e-9 && t > 0 && t < 1 &&
                        std::fabs(density(u) + t * (density(v) - density(u)) - level) < 1e-9)
                        onEdge = true;
                }
                EXPECT_TRUE(onEdge) << "level " << level << " point " << p.x << "," << p.y;
            }
            ++endUse[{line.points.front().x, line.points.front().y}];
            ++endUse[{line.points.back().x, line.points.back().y}];
        }
        auto onBorder = [&](const kv::Point& p) {
            for (const auto& [edge, edgeUses] : edgeUse) {
                const ContourNode& u = nodes[edge.first];
                const ContourNode& v = nodes[edge.second];
                const double off = std::fabs((v.x - u.x) * (p.y - u.y) - (v.y - u.y) * (p.x - u.x));
                const bool between = std::min(u.x, v.x) <= p.x && p.x <= std::max(u.x, v.x) &&
                                     std::min(u.y, v.y) <= p.y && p.y <= std::max(u.y, v.y);
                if (edgeUses == 1 && off < 1e-9 && between)
                    return true;
            }
            return false;
        };
        for (const auto& [end, uses] : endUse)
            EXPECT_TRUE(onBorder({end.first, end.second}) ? uses == 1 : uses % 2 == 0)
                << "level " << level << " end " << end.first << "," << end.second << " used " << uses;
        // A line that reaches the border is traced from a border end.
        for (const ContourLine& line : lines)
            if (line.level == level && onBorder(line.points.back())) {
                EXPECT_TRUE(onBorder(line.points.front())) << "level " << level;
            }
    }
    EXPECT_GE(levelsSeen.size(), 3u);
}

TEST(DensityContours, LevelsBelowTheLimitAndNoneWhenTheGridIsFlat)
{
    EXPECT_EQ(contourLevels(0, 12, 2), (std::vector<int>{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ(contourLevels(0, 11, 2), (std::vector<int>{0, 2, 4, 6, 8}));
    EXPECT_TRUE(contourLevels(0, 12, 0).empty());
    // Largest density 1: no line at all (level 0 never cuts, 2 and above lie higher).
    DensityGrid grid{};
    grid[10][10] = 1;
    const auto nodes = contourNodes(grid);
    EXPECT_TRUE(densityContours(nodes, triangulate(nodes), 0, 12, 2).empty());
}

// One horizontal plane: 100 percent on the centre node, a ring of six edges
// around it; the single joining pass leaves each level's ring in two pieces.
TEST(DensityContours, OneRecordRingsTheCentreAndWritesItsSplines)
{
    const auto nodes = contourNodes(statisticsOf({{0, 0}}).density);
    const std::vector<ContourLine> lines = densityContours(nodes, triangulate(nodes), 0, 12, 2);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0].level, 2);
    EXPECT_EQ(lines[9].level, 10);
    CadScript script;
    script.spline(lines[0].points);
    script.spline(lines[1].points);
    const std::vector<std::string> expected = {
        // 98/99.99 of the 4 units from the centre (density 100) to a neighbour (0, read 0.01)
        "Spline", "66.0796079607961,80", "70,83.9203920392039", "73.9203920392039,83.9203920392039",
        "73.9203920392039,80", "70,76.0796079607961", "", "", "",
        "Spline", "66.0796079607961,80", "66.0796079607961,76.0796079607961", "70,76.0796079607961", "", "", ""};
    EXPECT_EQ(script.lines(), expected);
}

} // namespace
} // namespace zq

#include "zelquad/core/plot_sheet.h"

#include "tests/support/cad_script_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace zq {
namespace {

using kv::test::CadEntity;
using Kind = CadEntity::Kind;

const std::filesystem::path kData = std::filesystem::path(KV_TEST_SOURCES) / "data";

FractureStatistics statisticsOf(std::vector<kv::Attitude> records)
{
    auto checked = CheckedRecords::check(std::move(records));
    return computeStatistics(std::get<CheckedRecords>(checked));
}

// 6 x 0/0, 90/45, 200/30: strike classes 0 (6 at 270), 2 (1 at 290), 9 (1 at 0);
// dip classes 1, 4, 5 at 75, 12 and 12 percent.
FractureStatistics smallDataSet()
{
    std::vector<kv::Attitude> records(6, {0, 0});
    records.push_back({90, 45});
    records.push_back({200, 30});
    return statisticsOf(records);
}

std::vector<std::string> fileLines(const std::filesystem::path& path)
{
    std::ifstream in(path);
    EXPECT_TRUE(in) << "missing " << path;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<CadEntity> entitiesOf(const std::vector<std::string>& script)
{
    const kv::test::CadReadResult r = kv::test::readCadScript(script);
    EXPECT_EQ(r.error, "") << "line " << r.errorLine;
    EXPECT_TRUE(r.drawing.zoomedAll);
    return r.drawing.entities;
}

template <class Pred> std::vector<CadEntity> select(const std::vector<CadEntity>& all, Pred pred)
{
    std::vector<CadEntity> out;
    for (const CadEntity& e : all)
        if (pred(e))
            out.push_back(e);
    return out;
}

TEST(PlotSheet, OneRecordGivesTheWorkedScriptLineByLine)
{
    const std::vector<ContourLine> contour = {{2, {{66.5, 80}, {70, 83.5}, {73.5, 80}}}};
    const std::vector<std::string> script = plotSheetScript("坝址", statisticsOf({{0, 0}}), contour);
    const std::vector<std::string> expected = fileLines(kData / "one_record_sheet.txt");
    ASSERT_EQ(script.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(script[i], expected[i]) << "line " << i + 1;
}

TEST(PlotSheet, EveryBlockReplaysWithItsEntityCountsAndLayers)
{
    const std::vector<ContourLine> contours = {{2, {{66, 80}, {70, 84}}}, {4, {{67, 80}, {70, 83}, {73, 80}}}};
    const std::vector<std::string> script = plotSheetScript("", smallDataSet(), contours);
    const std::vector<CadEntity> all = entitiesOf(script);
    auto count = [&](Kind k) { return select(all, [k](const CadEntity& e) { return e.kind == k; }).size(); };
    EXPECT_EQ(count(Kind::Line), 266u);
    EXPECT_EQ(count(Kind::Text), 121u);
    EXPECT_EQ(count(Kind::Circle), 2u);
    EXPECT_EQ(count(Kind::Arc), 1u);
    const auto splines = select(all, [](const CadEntity& e) { return e.kind == Kind::Spline; });
    ASSERT_EQ(splines.size(), 2u);
    EXPECT_EQ(splines[1].points.size(), 3u);
    EXPECT_EQ(splines[0].layer, "GREEN");
    const auto dashed = select(all, [](const CadEntity& e) { return e.lineType == "DASHED2"; });
    EXPECT_EQ(dashed.size(), 18u + 36u);
    for (const CadEntity& e : dashed)
        EXPECT_EQ(e.layer, "YELLOW");

    std::vector<std::string> switches;
    for (const std::string& line : script)
        if (line.rfind("Layer s ", 0) == 0)
            switches.push_back(line.substr(8));
    std::vector<std::string> expected = {"Red", "0", "RED", "Blue", "Green", "Blue", "Yellow", "Red", "Blue",
                                         "Green", "Green", "Blue", "Yellow", "Red", "Green"};
    for (int j = 0; j < 9; ++j) {
        expected.push_back("Red");
        expected.push_back("Blue");
    }
    expected.push_back("0");
    EXPECT_EQ(switches, expected);
    EXPECT_EQ(script.back(), "ZOOM A");
    EXPECT_EQ(script[script.size() - 2], "");
}

TEST(PlotSheet, GroupingTableListsMeanStrikeAndCountOfEveryClass)
{
    const auto cells = select(entitiesOf(plotSheetScript("", smallDataSet(), {})),
                              [](const CadEntity& e) { return e.kind == Kind::Text && e.height == 2 && e.points[0].x >= 150 && e.points[0].y > 20;
                              });
    ASSERT_EQ(cells.size(), 36u);
    // Left half: classes 0..8 from the top; right half: classes 9..17.
    const char* expected[2][9][2] = {
        {{"270", "6"}, {"0", "0"}, {"290", "1"}, {"0", "0"}, {"0", "0"}, {"0", "0"}, {"0", "0"}, {"0", "0"}, {"0", "0"}},
        {{"0", "1"}, {"0", "0"}, {"0", "0"}, {"0", "0"}, {"0", "0"}, {"0", "0"}, {"0", "0"}, {"0", "0"}, {"0", "0"}},
    };
    std::size_t k = 0;
    for (int h = 0; h < 2; ++h)
        for (int r = 0; r < 9; ++r)
            for (int c = 0; c < 2; ++c, ++k) {
                EXPECT_EQ(cells[k].text, expected[h][r][c]) << h << "," << r << "," << c;
                EXPECT_EQ(cells[k].points[0].x, 150 + 20 * c + 40 * h);
                EXPECT_EQ(cells[k].points[0].y, 62.5 - 5 * r);
                EXPECT_EQ(cells[k].justification, "MC");
            }
}

TEST(PlotSheet, StrikeRoseOutlineDipsToTheCentreAtEmptyClasses)
{
    const auto all = entitiesOf(plotSheetScript("", smallDataSet(), {}));
    const auto outline = select(all, [](const CadEntity& e) {
        return e.kind == Kind::Line && e.layer == "RED" && e.points[0].x >= 139 && e.points[0].y >= 79 &&
               e.points[0].y < 130;
    });
    ASSERT_EQ(outline.size(), 19u);
    // Tips: class 0 reaches the rim at 270; class 2 (1 of 6) at 290 degrees,
    // 40/6 from the centre; class 9 at 0 degrees; every other class at the centre.
    const std::vector<std::pair<int, kv::test::CadPoint>> tips = {
        {0, {140, 80}}, {2, {173.735383, 82.280134}}, {9, {180, 86.666667}}};
    for (int b = 0; b <= 18; ++b) {
        kv::test::CadPoint tip{180, 80};
        for (const auto& [cls, p] : tips)
            if (cls == b)
                tip = p;
        EXPECT_NEAR(outline[b].points[1].x, tip.x, 1e-6) << "class " << b;
        EXPECT_NEAR(outline[b].points[1].y, tip.y, 1e-6) << "class " << b;
        if (b > 0) {
            EXPECT_EQ(outline[b].points[0].x, outline[b - 1].points[1].x);
            EXPECT_EQ(outline[b].points[0].y, outline[b - 1].points[1].y);
        }
    }
    EXPECT_EQ(outline[0].points[0].x, 180);
    EXPECT_EQ(outline[0].points[0].y, 80);
}

TEST(PlotSheet, EachRoseReachesItsRimWithItsOwnFullestClass)
{
    // 10/30, 10/40, 190/30: strike class 1 holds 3 (mean 280), dip-direction
    // class 2 holds 2 (mean 10) and class 20 one (mean 190). Each fullest class
    // reaches its rose's rim, 40 from the centre; class 20 reaches half-way.
    const auto all = entitiesOf(plotSheetScript("", statisticsOf({{10, 30}, {10, 40}, {190, 30}}), {}));
    // Right of the net (x up to 110), so that an over-long petal is still seen.
    const auto strikeOutline = select(all, [](const CadEntity& e) {
        return e.kind == Kind::Line && e.layer == "RED" && e.points[0].x >= 115 && e.points[0].y >= 79 &&
               e.points[0].y < 130;
    });
    const auto dipDirectionOutline = select(all, [](const CadEntity& e) {
        return e.kind == Kind::Line && e.layer == "RED" && e.points[0].x <= 110 && e.points[0].y <= 0 &&
               e.points[0].y >= -80;
    });
    ASSERT_EQ(strikeOutline.size(), 19u);
    ASSERT_EQ(dipDirectionOutline.size(), 36u);
    const struct {
        const std::vector<CadEntity>& outline;
        int firstClass;
        kv::test::CadPoint centre;
        std::vector<std::pair<int, kv::test::CadPoint>> tips; // every other class at the centre
    } roses[] = {
        // 180 + 40 sin 280, 80 + 40 cos 280
        {strikeOutline, 0, {180, 80}, {{1, {140.607690, 86.945927}}}},
        // 70 + 40 sin 10, -40 + 40 cos 10; 70 + 20 sin 190, -40 + 20 cos 190
        {dipDirectionOutline, 1, {70, -40}, {{2, {76.945927, -0.607690}}, {20, {66.527036, -59.696155}}}},
    };
    for (const auto& rose : roses)
        for (std::size_t k = 0; k < rose.outline.size(); ++k) {
            const int cls = rose.firstClass + static_cast<int>(k);
            kv::test::CadPoint tip = rose.centre;
            for (const auto& [c, p] : rose.tips)
                if (c == cls)
                    tip = p;
            EXPECT_NEAR(rose.outline[k].points[1].x, tip.x, 1e-5) << "class " << cls;
            EXPECT_NEAR(rose.outline[k].points[1].y, tip.y, 1e-5) << "class " << cls;
        }
}

TEST(PlotSheet, HistogramBarsRiseSevenTenthsPerPercentWithTheirLabels)
{
    const auto all = entitiesOf(plotSheetScript("", smallDataSet(), {}));
    const auto bars = select(all, [](const CadEntity& e) {
        return e.kind == Kind::Line && e.layer == "RED" && e.points[0].x >= 140 && e.points[0].y <= -5;
    });
    const auto labels = select(all, [](const CadEntity& e) { return e.kind == Kind::Text && e.height == 1.2; });
    ASSERT_EQ(bars.size(), 27u);
    ASSERT_EQ(labels.size(), 9u);
    const double tops[] = {-27.5, -80, -80, -71.6, -71.6, -80, -80, -80, -80};
    const char* texts[] = {"75", "0", "0", "12", "12", "0", "0", "0", "0"};
    for (int j = 0; j < 9; ++j) {
        const CadEntity& left = bars[3 * j];
        const CadEntity& top = bars[3 * j + 1];
        const CadEntity& right = bars[3 * j + 2];
        const double x0 = 140 + 80.0 * j / 9;
        EXPECT_NEAR(left.points[0].x, x0, 1e-4) << "bar " << j + 1;
        EXPECT_EQ(left.points[0].y, -80);
        EXPECT_NEAR(left.points[1].y, tops[j], 1e-12) << "bar " << j + 1;
        EXPECT_NEAR(top.points[1].x, x0 + 80.0 / 9, 1e-4);
        EXPECT_EQ(right.points[1].y, -80);
        EXPECT_EQ(labels[j].text, texts[j]);
        EXPECT_NEAR(labels[j].points[0].x, x0 + 40.0 / 9, 1e-4);
        EXPECT_NEAR(labels[j].points[0].y, tops[j] + 2, 1e-12);
    }
    EXPECT_EQ(bars.back().points[0].x, 220); // the last bar ends on the last tick
}

} // namespace
} // namespace zq

#include "attitude/core/net_diagrams.h"

#include "attitude/core/density_maxima.h"

#include "net_test_table.h"

#include <gtest/gtest.h>

#include <map>

namespace kv {
namespace {

using test::NetTable;
using test::repeatedRows;

// Text -> top-left corner of every text item of a drawing.
std::multimap<std::string, Point> textsOf(const Drawing& d)
{
    std::multimap<std::string, Point> out;
    for (const TextItem& t : d.all<TextItem>())
        out.emplace(t.text, *t.at);
    return out;
}

void expectText(const Drawing& d, const std::string& text, Point at)
{
    const auto texts = textsOf(d);
    auto [first, last] = texts.equal_range(text);
    ASSERT_NE(first, last) << "no text \"" << text << "\"";
    bool found = false;
    for (auto it = first; it != last; ++it)
        found = found || it->second == at;
    EXPECT_TRUE(found) << "\"" << text << "\" not at (" << at.x << ", " << at.y << ")";
}

TEST(ScatterDiagram, PreferredOrientationDrawsRecordsNotTheirCopies)
{
    PreferredOrientationEngine e;
    const NetDiagram d = e.scatterDiagram(NetTable{{{"0", "0"}, {"0", "90"}}}.cells(), "2024/5/6");
    ASSERT_TRUE(d.drawing);
    EXPECT_EQ(e.state.plotCount, 3);
    const auto dots = d.drawing->all<DotItem>();
    ASSERT_EQ(dots.size(), 2u);
    EXPECT_EQ(dots[0].at, (Point{0, 0}));
    EXPECT_EQ(dots[0].width, 2);
    EXPECT_EQ(dots[0].colour, colours::black);
    expectText(*d.drawing, "THE DIAGRAM OF DISPERSED POINTS", {-90, 145});
    expectText(*d.drawing, "N= 2 ", {-90, 130});
    expectText(*d.drawing, "Date:2024/5/6", {40, 130});
    expectText(*d.drawing, "Equal-area upper hemisphere projection", {-90, -125});
    expectText(*d.drawing, "N", {0, 115});
    EXPECT_EQ(textsOf(*d.drawing).size(), 8u);
    e.dataType = "L";
    expectText(*e.scatterDiagram(NetTable{{{"0", "0"}}}.cells(), "x").drawing,
               "Equal-area lower hemisphere projection", {-90, -125});
}

TEST(ScatterDiagram, PetrofabricPrintsItsSettings)
{
    PetrofabricEngine e;
    const NetDiagram d = e.scatterDiagram(NetTable{{{"10", "20", "n"}}}.cells());
    ASSERT_TRUE(d.drawing);
    expectText(*d.drawing, "Mineral: 无", {37, 130});
    expectText(*d.drawing, "NO:无", {120, 105});
    expectText(*d.drawing, "The Plane of Projection:", {120, 90});
    expectText(*d.drawing, "0.0∠0.0", {120, 75});
    expectText(*d.drawing, "Equal-area lower hemisphere projection", {-90, -125});
    e.settings.dataType = "c";
    e.settings.sectionDipDir = 135.25f;
    e.settings.sectionDip = 7.05f;
    const NetDiagram c = e.scatterDiagram(NetTable{{{"10", "20", "n"}}}.cells());
    expectText(*c.drawing, "Equal-area upper hemisphere projection", {-90, -125});
    expectText(*c.drawing, "135.3∠7.1", {120, 75});
}

TEST(NetDiagrams, ARefusedTableGivesTheWindowsMessageAndAnEmptyOneNothing)
{
    PreferredOrientationEngine joint;
    const NetTable bad{{{"10", "20"}, {"30", ""}}};
    const NetDiagram a = joint.contourDiagram(bad.cells(), "d");
    EXPECT_FALSE(a.drawing);
    EXPECT_EQ(a.message, "数据有误，请检查！");
    EXPECT_EQ(a.preparation.badRow, 2);
    PetrofabricEngine petro;
    const NetDiagram b = petro.scatterDiagram(NetTable{{{"10", "20", ""}}}.cells());
    EXPECT_FALSE(b.drawing);
    EXPECT_EQ(b.message, "产状数据有错，请检查！");
    const NetDiagram c = joint.scatterDiagram(NetTable{}.cells(), "d");
    EXPECT_FALSE(c.drawing);
    EXPECT_EQ(c.message, "");
    EXPECT_EQ(c.preparation.status, PrepareStatus::NoRecord);
}

TEST(ContourDiagram, OneRecordGivesOneLevelNoLineAndNoMaxima)
{
    PreferredOrientationEngine e;
    const NetDiagram d = e.contourDiagram(NetTable{{{"45", "30"}}}.cells(), "d");
    ASSERT_TRUE(d.drawing);
    EXPECT_TRUE(d.drawing->all<PolylineItem>().empty());
    EXPECT_TRUE(e.state.maxima.empty());
    expectText(*d.drawing, "THE DIAGRAM OF CONTOUR LINE", {-90, 145});
    expectText(*d.drawing, "N= 1 ", {-90, 130});
    expectText(*d.drawing, "Date:d", {40, 130});
    expectText(*d.drawing, "Equal-area upper hemisphere projection", {-90, -130});
    expectText(*d.drawing, "Max:100.00%", {130, 90});
    expectText(*d.drawing, "120.0%", {-90, -117});
}

TEST(ContourDiagram, PreferredOrientationCollectsMaximaAtTheGoldenLevel)
{
    EXPECT_EQ(maximaLevel(NetWindow::PreferredOrientation, 1), 0);
    EXPECT_EQ(maximaLevel(NetWindow::PreferredOrientation, 2), 1);
    EXPECT_EQ(maximaLevel(NetWindow::PreferredOrientation, 4), 2);
    EXPECT_EQ(maximaLevel(NetWindow::PreferredOrientation, 6), 3);
    EXPECT_EQ(maximaLevel(NetWindow::Petrofabric, 2), 0);
    EXPECT_EQ(maximaLevel(NetWindow::Petrofabric, 4), 4);
    EXPECT_EQ(maximaLevel(NetWindow::Petrofabric, 6), 4);

    // 20 records at one point: maximum 20, six levels, maxima at level 3.
    PreferredOrientationEngine e;
    const NetDiagram d = e.contourDiagram(repeatedRows(20, {"135", "40"}).cells(), "d");
    ASSERT_TRUE(d.drawing);
    EXPECT_EQ(e.state.maxDensity, 20.0f);
    ASSERT_EQ(e.state.maxima.size(), 1u);
    expectText(*d.drawing, "Max:100.00%", {130, 90});
    const std::string row = maximumText(e.state.net, Projection::PlanePole, e.state.maxima[0]);
    expectText(*d.drawing, row, {130, 70});
    expectText(*d.drawing, "6.0% - 33.3% - 50.0% - 66.7% - 83.3% - 100.0%", {-90, -117});
    EXPECT_FALSE(d.drawing->all<PolylineItem>().empty());
}

TEST(ContourDiagram, LegendTakesLevelOneAsOnePointTwoOverN)
{
    EXPECT_EQ(contourLegend(NetWindow::PreferredOrientation, contourLevels(1), 100), "1.2%");
    EXPECT_EQ(contourLegend(NetWindow::PreferredOrientation, contourLevels(4), 40), "3.0% - 10.0%");
    EXPECT_EQ(contourLegend(NetWindow::Petrofabric, contourLevels(12), 24), "5.0%  -  25.0%  -  37.5%  -  50.0%");
}

struct ColumnCase {
    int records; // identical records: the maximum density
    std::size_t maximaRows;
    double planeAt, sectionAt;
};

TEST(ContourDiagram, PetrofabricResultsColumnAtTwoFourAndSixLevels)
{
    const ColumnCase cases[] = {
        {3, 0, 65, 50},  // two levels: no maxima
        {8, 1, 50, 35},  // four levels: maxima at level 4
        {20, 1, 50, 35}, // six levels: maxima at level 4
    };
    for (const ColumnCase& c : cases) {
        PetrofabricEngine e;
        e.settings.sectionNo = "Q-7";
        e.settings.mineralName = "石英";
        e.settings.sectionDipDir = 210;
        e.settings.sectionDip = 35;
        const NetDiagram d = e.contourDiagram(repeatedRows(c.records, {"30", "40", "w"}).cells());
        ASSERT_TRUE(d.drawing) << c.records;
        EXPECT_EQ(e.settings.grainCount, c.records);
        EXPECT_EQ(e.state.maxima.size(), c.maximaRows) << c.records;
        expectText(*d.drawing, "NO:Q-7", {120, 105});
        expectText(*d.drawing, "Max:100.00%", {120, 87});
        expectText(*d.drawing, "Mineral: 石英", {37, 130});
        expectText(*d.drawing, "The Plane of Projection:", {120, c.planeAt});
        expectText(*d.drawing, "210.0∠35.0", {120, c.sectionAt});
        expectText(*d.drawing, "Equal-area lower hemisphere projection", {-90, -130});
        if (c.maximaRows > 0) {
            // w: 90 - 30 = 60, the line 60/40; the maximum is the nearest grid node.
            const DensityMaximum& m = e.state.maxima[0];
            const NetAttitude a = attitudeAtNetPoint(e.state.net, Projection::Line, m.x, m.y);
            EXPECT_NEAR(a.azimuth, 60, 4);
            EXPECT_NEAR(a.angle, 40, 4);
            const std::string row = maximumText(e.state.net, Projection::Line, m);
            expectText(*d.drawing, row, {120, 70});
        }
    }
}

TEST(ContourDiagram, TwoJointSetsGiveClosedLinesInsideTheNet)
{
    NetTable table;
    for (int i = 0; i < 100; ++i) {
        table.rows.push_back({std::to_string(125 + (i * 7) % 21), std::to_string(52 + (i * 11) % 17)});
        table.rows.push_back({std::to_string(300 + (i * 13) % 25), std::to_string(30 + (i * 3) % 19)});
    }
    PreferredOrientationEngine e;
    e.dataType = "P";
    const NetDiagram d = e.contourDiagram(table.cells(), "d");
    ASSERT_TRUE(d.drawing);
    const auto lines = d.drawing->all<PolylineItem>();
    ASSERT_FALSE(lines.empty());
    for (const PolylineItem& l : lines)
        for (const Point& p : l.points)
            EXPECT_LE(p.x * p.x + p.y * p.y, 10000.01);
    EXPECT_EQ(e.state.maxima.size(), 2u); // one per set at the maxima level
    // Both sets far from the rim: every traced line of every level closes.
    NetState s = e.state;
    const ContourLevels levels = contourLevels(s.maxDensity);
    for (int k = 1; k <= levels.count; ++k)
        traceLevel(s, levels.value(k), [&](const std::vector<TracePoint>& t) { EXPECT_EQ(t.front(), t.back()) << k; });
}

TEST(NetDiagrams, PointerReadoutFollowsTheDataType)
{
    PreferredOrientationEngine joint;
    EXPECT_EQ(joint.pointerReadout(-30, -40), "产状:216.9/41.4");
    joint.dataType = "L";
    EXPECT_EQ(joint.pointerReadout(-30, -40), "产状:216.9/48.6");
    PetrofabricEngine petro; // "O": lines
    EXPECT_EQ(petro.pointerReadout(0, 0), "产状:000.0/90.0");
    petro.settings.dataType = "c";
    EXPECT_EQ(petro.pointerReadout(0, 0), "产状:000.0/00.0");
}

} // namespace
} // namespace kv

#include "fold/core/beta_diagram.h"

#include "cell_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

namespace kv {
namespace {

using test::cellsOf;
using test::Rows;

struct FoldCase {
    const char* name;
    std::string left, right;
    bool overturned;
    Rows rows;
    const char* limbs;
    const char* apical;
    const char* axial;
    const char* hinge; // nullptr: not checked
};

TEST(BetaAnalysis, TypicalLimbsApicalAngleAxialPlaneAndHinge)
{
    const FoldCase cases[] = {
        {"one bed a limb", "1", "1", false, {{"250", "30"}, {"80", "60"}},
         "250.0∠30.0  80.0∠60.0", "90.4", "256.3∠74.9", "167.5∠4.3"},
        {"overturned, both limbs dipping east", "1", "1", true, {{"90", "60"}, {"90", "30"}},
         "90.0∠60.0  90.0∠30.0", "30.0", "90.0∠45.0", nullptr},
        // Left: 080, 090, 100 at 40 average to 090 at atan(tan40 x 3 / (1 + 2 cos10)) = 40.29;
        // right: 270 at 40 and 50 average to 45. Interlimb 180 - 85.29; the axial
        // plane bisects them, 90 - (45 - 40.29) / 2 = 87.64, towards the gentler limb's dip.
        {"averaged limbs", "3", "2", false, {{"80", "40"}, {"90", "40"}, {"100", "40"}, {"270", "40"}, {"270", "50"}},
         "90.0∠40.3  270.0∠45.0", "94.7", "90.0∠87.6", nullptr},
        {"halves of counts go to even: 2.5 is 2", "2.5", "1", false, {{"10", "20"}, {"10", "20"}, {"190", "20"}},
         "10.0∠20.0  190.0∠20.0", "140.0", nullptr, nullptr},
    };
    for (const FoldCase& c : cases) {
        const BetaAnalysis result = analyseBetaTable({c.left, c.right, c.overturned}, cellsOf(c.rows));
        ASSERT_TRUE(result.ok()) << c.name;
        const BetaTextColumn column = betaTextColumn(result.fold);
        EXPECT_EQ(column.limbs, c.limbs) << c.name;
        EXPECT_EQ(column.apicalAngle, c.apical) << c.name;
        if (c.axial) {
            EXPECT_EQ(column.axialPlane, c.axial) << c.name;
        }
        if (c.hinge) {
            EXPECT_EQ(column.hinge, c.hinge) << c.name;
        }
    }
}

TEST(BetaAnalysis, UprightSymmetricFoldHasAVerticalAxialPlaneDrawnAsADiameter)
{
    const BetaAnalysis result = analyseBetaTable({"1", "1", false}, cellsOf({{"090", "45"}, {"270", "45"}}));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(betaTextColumn(result.fold).apicalAngle, "90.0");
    EXPECT_NEAR(result.fold.axialPlane.dip, 90, 1e-4);
    EXPECT_NEAR(result.fold.hinge.plunge, 0, 1e-4);
    EXPECT_NEAR(std::fmod(result.fold.hinge.trend, 180.0), 0, 1e-3); // a horizontal north-south hinge

    const Drawing d = betaDiagram(result.fold, cellsOf({}), false, "");
    std::vector<LineItem> redDiameters;
    for (const LineItem& line : d.all<LineItem>())
        if (line.stroke.colour == colours::red && std::hypot(line.from.x - line.to.x, line.from.y - line.to.y) > 199)
            redDiameters.push_back(line);
    ASSERT_EQ(redDiameters.size(), 1u);
    EXPECT_NEAR(std::fabs(redDiameters[0].from.y), 100, 1e-3); // north-south
    EXPECT_NEAR(redDiameters[0].from.x, 0, 1e-3);
}

TEST(BetaAnalysis, FaultsDrawNothing)
{
    const struct {
        const char* name;
        std::string left, right;
        Rows rows;
        BetaFault fault;
    } cases[] = {
        {"no left bed", "0", "1", {{"1", "1"}}, BetaFault::LimbCount},
        {"count is no number", "abc", "1", {{"1", "1"}}, BetaFault::LimbCount},
        {"negative count", "-5", "10", {}, BetaFault::LimbCount},
        {"more beds than rows", "250", "250", {}, BetaFault::LimbCount},
        {"halves rounding past the rows", "249.5", "249.5", {}, BetaFault::LimbCount},
        {"count beyond any whole number", "1e300", "-1e300", {}, BetaFault::LimbCount},
        {"count beyond any double", "1e400", "1", {}, BetaFault::LimbCount},
        {"empty dip among the beds", "1", "2", {{"10", "20"}, {"30", ""}, {"40", "50"}}, BetaFault::BadData},
        {"empty row among the beds", "1", "2", {{"10", "20"}, {"30", "40"}}, BetaFault::BadData},
        {"one-bed limb that is no number", "1", "1", {{"1.2.3", "20"}, {"30", "40"}}, BetaFault::BadData},
        {"one-bed limb with a lone minus", "1", "1", {{"10", "20"}, {"30", "-"}}, BetaFault::BadData},
        {"one-bed limb beyond single precision", "1", "1", {{"1e39", "20"}, {"30", "40"}}, BetaFault::BadData},
        {"parallel limbs", "1", "1", {{"90", "30"}, {"90", "30"}}, BetaFault::BadData},
        {"dip lines cancelling out", "2", "1", {{"0", "0"}, {"180", "0"}, {"90", "30"}}, BetaFault::BadData},
    };
    for (const auto& c : cases) {
        const BetaAnalysis result = analyseBetaTable({c.left, c.right, false}, cellsOf(c.rows));
        EXPECT_EQ(result.fault, c.fault) << c.name;
    }
    EXPECT_EQ(betaFaultMessage(BetaFault::LimbCount), "两翼岩层产状数目有误！");
    EXPECT_EQ(betaFaultMessage(BetaFault::BadData), "数据有误，请检查！");
    EXPECT_EQ(betaFaultMessage(BetaFault::None), "");
}

std::vector<std::pair<Point, std::string>> textsOf(const Drawing& d)
{
    std::vector<std::pair<Point, std::string>> out;
    for (const TextItem& t : d.all<TextItem>()) {
        EXPECT_TRUE(t.at.has_value()) << t.text;
        out.emplace_back(t.at.value_or(Point{}), t.text);
    }
    return out;
}

TEST(BetaDiagram, TextColumnLegendNetAndHeadingInPlace)
{
    const BetaAnalysis result = analyseBetaTable({"1", "1", false}, cellsOf({{"250", "30"}, {"80", "60"}}));
    ASSERT_TRUE(result.ok());
    const Drawing d = betaDiagram(result.fold, cellsOf({{"250", "30"}, {"80", "60"}}), true, "2024/5/6");
    const std::vector<std::pair<Point, std::string>> expected{
        {{120, 95}, "The limbs:"},     {{120, 80}, "250.0∠30.0  80.0∠60.0"},
        {{120, 60}, "The apical angle:"}, {{120, 45}, "90.4"},
        {{120, 25}, "The axial plane:"}, {{120, 10}, "256.3∠74.9"},
        {{120, -10}, "The hinge:"},    {{120, -25}, "167.5∠4.3"},
        {{150, -55}, "Typical Limbs"}, {{150, -75}, "Axial Plane"},
        {{0, 115}, "N"}, {{105, 0}, "E"}, {{0, -103}, "S"}, {{-115, 0}, "W"},
        {{-50, 145}, "The Axial Plane Of Fold"}, {{-90, 130}, "N= 2 "}, {{40, 130}, "Date:2024/5/6"},
    };
    EXPECT_EQ(textsOf(d), expected);

    // two cyan limbs and a red axial plane; with two beds no brown planes
    std::vector<Colour> arcColours;
    for (const PolylineItem& arc : d.all<PolylineItem>())
        arcColours.push_back(arc.stroke.colour);
    EXPECT_EQ(arcColours, (std::vector<Colour>{{0, 255, 255}, {0, 255, 255}, {255, 0, 0}}));
    const auto circles = d.all<CircleItem>();
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].radius, 100);
    EXPECT_EQ(circles[0].stroke.colour, colours::black);
}

TEST(BetaDiagram, MeasuredPlanesAndTheirLegendFromThreeBedsOn)
{
    const Rows rows{{"250", "30"}, {"240", "35"}, {"80", "60"}};
    const BetaAnalysis result = analyseBetaTable({"2", "1", false}, cellsOf(rows));
    ASSERT_TRUE(result.ok());
    for (bool withLimbPlanes : {true, false}) {
        const Drawing d = betaDiagram(result.fold, cellsOf(rows), withLimbPlanes, "");
        int brown = 0;
        for (const PolylineItem& arc : d.all<PolylineItem>())
            brown += arc.stroke.colour == Colour{50, 10, 0};
        EXPECT_EQ(brown, withLimbPlanes ? 3 : 0);
        const auto texts = textsOf(d);
        const bool legend = std::find(texts.begin(), texts.end(), std::make_pair(Point{150, -95}, std::string("Limb Planes")))
                            != texts.end();
        EXPECT_EQ(legend, withLimbPlanes);
    }
}

TEST(BetaDiagram, MeasuredPlanesPlotCountsTheRecordsOfTheLastFile)
{
    const struct {
        int pointCount;
        std::size_t arcs;
        const char* countText;
    } cases[] = {{0, 0, "N= 0 "}, {3, 3, "N= 3 "}, {-4, 0, "N= 0 "}, {600, 499, "N= 499 "}};
    for (const auto& c : cases) {
        const Drawing d = measuredPlanesDiagram(cellsOf({{"10", "20"}, {"30", "40"}, {"50", "60"}}), c.pointCount, "d");
        EXPECT_EQ(d.all<PolylineItem>().size(), c.arcs) << c.pointCount;
        const auto texts = textsOf(d);
        EXPECT_NE(std::find(texts.begin(), texts.end(), std::make_pair(Point{-90, 130}, std::string(c.countText))),
                  texts.end())
            << c.pointCount;
        EXPECT_EQ(texts.size(), 7u); // letters, title, count, date: no text column, no legend
    }
}

} // namespace
} // namespace kv

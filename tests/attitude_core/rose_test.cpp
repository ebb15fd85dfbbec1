#include "attitude/core/rose.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace kv {
namespace {

using Records = std::vector<Attitude>;

double radiusOf(const Point& p) { return std::hypot(p.x, p.y); }

// Bearing clockwise from north in degrees, -180..180.
double bearingOf(const Point& p) { return std::atan2(p.x, p.y) * 180 / 3.14159265358979; }

bool isSinglePrecision(double v) { return static_cast<double>(static_cast<float>(v)) == v; }

// Every vertex but the listed classes lies at the centre.
void expectOthersAtCentre(const RoseDiagram& rose, std::vector<std::size_t> occupied)
{
    for (std::size_t k = 0; k < rose.vertices.size(); ++k) {
        if (std::find(occupied.begin(), occupied.end(), k) != occupied.end())
            continue;
        EXPECT_EQ(rose.vertices[k].x, 0.0) << "class " << k;
        EXPECT_EQ(rose.vertices[k].y, 0.0) << "class " << k;
    }
}

TEST(RoseDiagram, KindTitleColourAndClassCount)
{
    struct Case {
        RoseKind kind;
        const char* title;
        int red, green, blue;
        std::size_t classes;
    };
    const Case cases[] = {
        {RoseKind::DipDirection, "Dip Rose Diagram Of Joint", 0, 255, 255, 36},
        {RoseKind::Strike, "Strike Rose Diagram Of Joint", 255, 0, 0, 18},
        {RoseKind::DipAngle, "Dip Angle Rose Diagram Of Joint", 0, 255, 0, 36},
    };
    for (const Case& c : cases) {
        const RoseDiagram rose = roseDiagram(c.kind, {{45, 30}});
        EXPECT_EQ(rose.kind, c.kind);
        EXPECT_EQ(rose.title, c.title);
        EXPECT_EQ(rose.colour.red, c.red) << c.title;
        EXPECT_EQ(rose.colour.green, c.green) << c.title;
        EXPECT_EQ(rose.colour.blue, c.blue) << c.title;
        EXPECT_EQ(rose.vertices.size(), c.classes) << c.title;
    }
}

TEST(RoseDiagram, OneRecordInAllThreeRoses)
{
    const Records one{{45, 30}};

    const RoseDiagram dipDirection = dipDirectionRose(one);
    EXPECT_EQ(dipDirection.maxnum, 1);
    EXPECT_NEAR(dipDirection.vertices[4].x, 70.71, 0.005);
    EXPECT_NEAR(dipDirection.vertices[4].y, 70.71, 0.005);
    EXPECT_EQ(dipDirection.vertices[4].x, static_cast<double>(static_cast<float>(100 * std::sin(45.0 / 180 * 3.1415926))));
    expectOthersAtCentre(dipDirection, {4});
    EXPECT_EQ(dipDirection.legendLine(), "半径： 1 条    节理数： 1 ");

    const RoseDiagram strike = strikeRose(one);
    EXPECT_EQ(strike.maxnum, 1);
    EXPECT_EQ(strike.vertices[4].x, -71);
    EXPECT_EQ(strike.vertices[4].y, 71);
    expectOthersAtCentre(strike, {4});
    EXPECT_EQ(strike.legendLine(), "半径： 1 条    节理数： 1 ");

    const RoseDiagram dipAngle = dipAngleRose(one);
    EXPECT_EQ(dipAngle.maxnum, 0);
    EXPECT_NEAR(radiusOf(dipAngle.vertices[4]), 33.333, 0.001);
    EXPECT_NEAR(bearingOf(dipAngle.vertices[4]), 45, 1e-4);
    expectOthersAtCentre(dipAngle, {4});
    EXPECT_EQ(dipAngle.legendLine(), "半径：90度    节理数： 1 ");
    ASSERT_EQ(dipAngle.legend.size(), 5u);
    EXPECT_EQ(dipAngle.legend[1], "90");
}

TEST(RoseDiagram, VerticesAreSinglePrecisionValues)
{
    const Records records{{13, 71}, {100, 33}, {257, 8}, {12, 40}};
    for (const RoseDiagram& rose : {dipDirectionRose(records), dipAngleRose(records)})
        for (const Point& p : rose.vertices) {
            EXPECT_TRUE(isSinglePrecision(p.x)) << rose.title << " x " << p.x;
            EXPECT_TRUE(isSinglePrecision(p.y)) << rose.title << " y " << p.y;
        }
}

TEST(RoseDiagram, DipAngleRoseRadiusIsTheMeanDipOfTheClass)
{
    const RoseDiagram rose = dipAngleRose({{0, 40}, {0, 50}});
    EXPECT_EQ(rose.vertices[0].x, 0.0);
    EXPECT_NEAR(rose.vertices[0].y, 50, 1e-5);
    // A dip mean of 42.5 is taken as 42.
    const RoseDiagram halves = dipAngleRose({{0, 40}, {0, 45}});
    EXPECT_NEAR(halves.vertices[0].y, 42 * 100.0 / 90, 1e-5);
}

TEST(RoseDiagram, ClassMeanRoundsHalvesToEven)
{
    const Records records{{10, 30}, {19, 30}}; // mean 14.5 -> 14
    EXPECT_NEAR(bearingOf(dipDirectionRose(records).vertices[1]), 14, 1e-4);
    EXPECT_NEAR(bearingOf(dipAngleRose(records).vertices[1]), 14, 1e-4);
    const RoseDiagram strike = strikeRose(records); // bearing 14 - 90
    EXPECT_EQ(strike.vertices[1].x, std::nearbyint(100 * std::sin((14.0 - 90) * 3.1415926 / 180)));
    EXPECT_EQ(strike.vertices[1].x, -97);
    EXPECT_EQ(strike.vertices[1].y, 24);
}

TEST(RoseDiagram, ClassesAreTenDegreesWide)
{
    const RoseDiagram rose = dipDirectionRose({{10, 30}, {21, 30}, {9, 30}});
    EXPECT_NEAR(bearingOf(rose.vertices[0]), 9, 1e-4);
    EXPECT_NEAR(bearingOf(rose.vertices[1]), 10, 1e-4);
    EXPECT_NEAR(bearingOf(rose.vertices[2]), 21, 1e-4);
    expectOthersAtCentre(rose, {0, 1, 2});
}

TEST(RoseDiagram, LargestClassReachesTheCircle)
{
    const RoseDiagram rose = dipDirectionRose({{50, 1}, {51, 1}, {52, 1}, {200, 1}});
    EXPECT_EQ(rose.maxnum, 3);
    EXPECT_NEAR(radiusOf(rose.vertices[5]), 100, 1e-4);
    EXPECT_NEAR(radiusOf(rose.vertices[20]), 100.0 / 3, 1e-4);
    EXPECT_NEAR(bearingOf(rose.vertices[20]), -160, 1e-4);
    EXPECT_EQ(rose.legendLine(), "半径： 3 条    节理数： 4 ");
}

TEST(RoseDiagram, StrikeRoseFoldsTheSouthernHalf)
{
    const RoseDiagram rose = strikeRose({{200, 10}});
    // 200 counts as 20: class 2 at bearing -70.
    EXPECT_EQ(rose.vertices[2].x, -94);
    EXPECT_EQ(rose.vertices[2].y, 34);
    expectOthersAtCentre(rose, {2});
    // 20 and 200 fall in the same class.
    EXPECT_EQ(strikeRose({{20, 10}, {200, 10}, {100, 10}}).maxnum, 2);
    // A dip direction of exactly 180 strikes as 0: class 0, drawn due west.
    const RoseDiagram south = strikeRose({{180, 10}});
    ASSERT_EQ(south.vertices.size(), 18u);
    EXPECT_EQ(south.vertices[0].x, -100);
    EXPECT_EQ(south.vertices[0].y, 0);
    expectOthersAtCentre(south, {0});
}

TEST(RoseDiagram, DipDirectionsOutsideTheCircleAreFolded)
{
    struct Case {
        std::int64_t written;
        std::int64_t wrapped;
    };
    for (const Case c : {Case{360, 0}, Case{-10, 350}, Case{725, 5}, Case{-360, 0}, Case{359, 359}, Case{0, 0}})
        EXPECT_EQ(wrapDipDirection(c.written), c.wrapped) << c.written;

    // 360 (from 359.5) is north, class 0.
    const RoseDiagram north = dipDirectionRose({{360, 30}});
    EXPECT_NEAR(north.vertices[0].x, 0, 1e-9);
    EXPECT_NEAR(north.vertices[0].y, 100, 1e-9);
    EXPECT_EQ(strikeRose({{360, 30}}).vertices[0].x, -100);
    // It joins class 0 as 0, not as 360: mean of 5 and 0 is 2.5 -> 2.
    EXPECT_NEAR(bearingOf(dipDirectionRose({{5, 30}, {360, 30}}).vertices[0]), 2, 1e-4);
    // -10 is 350, class 35.
    const RoseDiagram west = dipAngleRose({{-10, 90}});
    EXPECT_NEAR(bearingOf(west.vertices[35]), -10, 1e-4);
    EXPECT_NEAR(radiusOf(west.vertices[35]), 100, 1e-4);
}

TEST(RoseDiagram, NoRecordDrawsAnEmptyRoseWithoutDividingByZero)
{
    for (RoseKind kind : {RoseKind::DipDirection, RoseKind::Strike, RoseKind::DipAngle}) {
        const RoseDiagram rose = roseDiagram(kind, {});
        EXPECT_EQ(rose.maxnum, 0);
        EXPECT_EQ(rose.jointnum, 0);
        expectOthersAtCentre(rose, {});
        for (const Point& p : rose.vertices) {
            EXPECT_FALSE(std::signbit(p.x)) << rose.title;
            EXPECT_FALSE(std::signbit(p.y)) << rose.title;
        }
        EXPECT_NE(rose.legendLine().find("节理数： 0 "), std::string::npos) << rose.title;
    }
    EXPECT_EQ(dipDirectionRose({}).legendLine(), "半径： 0 条    节理数： 0 ");
    EXPECT_EQ(strikeRose({}).legendLine(), "半径： 0 条    节理数： 0 ");
}

TEST(RoseDiagram, FullTableOfOneClassHasNoOverflow)
{
    const Records full(499, Attitude{359, 89});
    const RoseDiagram rose = dipDirectionRose(full);
    EXPECT_EQ(rose.maxnum, 499);
    EXPECT_NEAR(bearingOf(rose.vertices[35]), -1, 1e-4);
    EXPECT_NEAR(radiusOf(rose.vertices[35]), 100, 1e-4);
    EXPECT_EQ(rose.legendLine(), "半径： 499 条    节理数： 499 ");
    const RoseDiagram dipAngle = dipAngleRose(full);
    EXPECT_NEAR(radiusOf(dipAngle.vertices[35]), 89 * 100.0 / 90, 1e-4);
    EXPECT_EQ(dipAngle.legendLine(), "半径：90度    节理数： 499 ");
}

TEST(RoseDiagram, HugeDipsStayFinite)
{
    const std::int64_t huge = 4'000'000'000'000'000'000;
    const RoseDiagram rose = dipAngleRose(Records(499, Attitude{90, huge}));
    EXPECT_TRUE(std::isfinite(rose.vertices[9].x));
    EXPECT_NEAR(rose.vertices[9].x / (huge * 100.0 / 90), 1, 1e-6);
}

TEST(RoseDrawing, TheLastArmReturnsToTheCentre)
{
    // The last two classes both hold joints: after the last vertex the
    // outline still goes back to the centre.
    for (RoseKind kind : {RoseKind::DipDirection, RoseKind::DipAngle, RoseKind::Strike}) {
        const RoseDiagram rose = roseDiagram(kind, {{345, 40}, {355, 60}, {165, 40}, {175, 60}});
        const auto outline = roseDrawing(rose).all<PolylineItem>().at(0).points;
        ASSERT_GE(outline.size(), 3u);
        EXPECT_GT(radiusOf(outline[outline.size() - 2]), 10) << rose.title << ": the last class is drawn";
        EXPECT_GT(radiusOf(outline[outline.size() - 3]), 10) << rose.title;
        EXPECT_EQ(outline.back(), (Point{0, 0})) << rose.title;
    }
}

TEST(RoseDrawing, NetTitlePolygonAndLegendInDrawingOrder)
{
    const RoseDiagram rose = dipDirectionRose({{45, 30}, {45, 60}});
    const Drawing d = roseDrawing(rose);

    const auto circles = d.all<CircleItem>();
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_EQ(circles[0].radius, 100);
    // Base line from the west rim past the east rim, then 35 ticks from 10 to 350 degrees.
    const auto lines = d.all<LineItem>();
    ASSERT_EQ(lines.size(), 36u);
    EXPECT_EQ(lines[0].from, (Point{-100, 0}));
    EXPECT_EQ(lines[0].to, (Point{105, 0}));
    EXPECT_NEAR(lines[9].to.y, 105, 1e-5) << "the tick at 90 degrees points north";
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_NEAR(std::hypot(lines[i].from.x, lines[i].from.y), 100, 1e-9);
        EXPECT_NEAR(std::hypot(lines[i].to.x, lines[i].to.y), 105, 1e-9);
    }

    // Letters, title and the legend pieces; pieces after the first follow on.
    const auto texts = d.all<TextItem>();
    ASSERT_EQ(texts.size(), 4u + 1u + rose.legend.size());
    EXPECT_EQ(texts[0].text, "N");
    EXPECT_EQ(*texts[0].at, (Point{-4, 120}));
    EXPECT_EQ(*texts[3].at, (Point{-3, -110}));
    EXPECT_EQ(texts[4].text, "Dip Rose Diagram Of Joint");
    EXPECT_EQ(*texts[4].at, (Point{-70, 140}));
    EXPECT_EQ(*texts[5].at, (Point{-65, -130}));
    EXPECT_EQ(texts[5].text, "半径：");
    EXPECT_FALSE(texts.back().at.has_value());
    for (const TextItem& t : texts)
        EXPECT_EQ(t.colour, colours::black);

    // The polygon runs from the centre through the 36 vertices and back, in cyan.
    const auto polygons = d.all<PolylineItem>();
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].stroke.colour, (Colour{0, 255, 255}));
    ASSERT_EQ(polygons[0].points.size(), 38u);
    EXPECT_EQ(polygons[0].points.front(), (Point{0, 0}));
    EXPECT_EQ(polygons[0].points.back(), (Point{0, 0}));
    EXPECT_NEAR(radiusOf(polygons[0].points[5]), 100, 1e-4) << "class 4 (40..49) holds both joints";
}

} // namespace
} // namespace kv

#include "fold/core/stereo_net.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

namespace kv {
namespace {

double distanceFromCentre(Point p) { return std::hypot(p.x, p.y); }

TEST(Vector2Attitude, TrendAndPlungeByQuadrantWithNorthAs360)
{
    const struct {
        Vector3 v;
        double trend;
        double plunge;
    } cases[] = {
        {{1, 0, 0}, 360, 0}, {{0, 1, 0}, 90, 0},   {{0, -1, 0}, 270, 0},  {{-1, 0, 0}, 180, 0},
        {{1, 1, std::sqrt(2.0)}, 45, 45},          {{1, -1, 0}, 315, 0},  {{-1, -1, 0}, 225, 0},
        {{0, 0, -2}, 90, -90}, // a vertical line trends 90
        {{1e-9, 0, 1}, 360, 90},
    };
    for (const auto& c : cases) {
        const std::optional<LineAttitude> line = vector2attitude(c.v);
        ASSERT_TRUE(line) << c.v.x << " " << c.v.y << " " << c.v.z;
        EXPECT_NEAR(line->trend, c.trend, 1e-4) << c.v.x << " " << c.v.y << " " << c.v.z;
        EXPECT_NEAR(line->plunge, c.plunge, 1e-4) << c.v.x << " " << c.v.y << " " << c.v.z;
    }
    EXPECT_FALSE(vector2attitude({0, 0, 0}));
}

TEST(Stereo2xy, LinesFallOnTheEqualAngleNet)
{
    const struct {
        LineAttitude line;
        Point at;
    } cases[] = {
        {{90, 0}, {100, 0}},       {{0, 90}, {0, 0}},        {{0, 30}, {0, 57.735}}, // 100 tan 30
        {{270, 60}, {-26.795, 0}}, {{225, 0}, {-70.711, -70.711}},
    };
    for (const auto& c : cases) {
        const Point p = stereo2xy(c.line);
        EXPECT_NEAR(p.x, c.at.x, 1e-3) << c.line.trend << "/" << c.line.plunge;
        EXPECT_NEAR(p.y, c.at.y, 1e-3) << c.line.trend << "/" << c.line.plunge;
    }
}

TEST(GreatCircle, ArcRunsRimToRimThroughTheDipLine)
{
    // A plane dipping 30 north: centre (0, -57.735), radius 115.47, 120 one-degree steps.
    const Drawing d = greatCircle({0, 30}, 0);
    const auto arcs = d.all<PolylineItem>();
    ASSERT_EQ(arcs.size(), 1u);
    const std::vector<Point>& p = arcs[0].points;
    ASSERT_EQ(p.size(), 121u);
    EXPECT_NEAR(p.front().x, -100, 1e-3);
    EXPECT_NEAR(p.front().y, 0, 1e-3);
    EXPECT_NEAR(p[60].x, 0, 1e-3);
    EXPECT_NEAR(p[60].y, 57.735, 1e-3);
    EXPECT_NEAR(p.back().x, 100, 1e-3);
    EXPECT_NEAR(p.back().y, 0, 1e-3);
    EXPECT_EQ(arcs[0].stroke.colour, (Colour{0, 255, 255}));
    EXPECT_EQ(greatCircle({0, 30}, 7).all<PolylineItem>().at(0).stroke.colour, (Colour{50, 10, 0}));
}

TEST(GreatCircle, EveryArcEndsOnThePrimitiveCircle)
{
    // dip direction, dip, points expected (whole steps plus the end for a fractional dip)
    const struct {
        double dipDirection;
        double dip;
        std::size_t points;
    } cases[] = {{90, 0, 181}, {200, 30.25, 121}, {45, 89.7, 2}, {300, 12.25, 157}, {0, 60, 61}};
    for (const auto& c : cases) {
        const auto arcs = greatCircle({c.dipDirection, c.dip}, 1).all<PolylineItem>();
        ASSERT_EQ(arcs.size(), 1u) << c.dip;
        const std::vector<Point>& p = arcs[0].points;
        EXPECT_EQ(p.size(), c.points) << c.dip;
        EXPECT_NEAR(distanceFromCentre(p.front()), 100, 1e-3) << c.dip;
        EXPECT_NEAR(distanceFromCentre(p.back()), 100, 1e-3) << c.dip;
        // the two ends are the strike's ends: 180 degrees apart on the rim
        EXPECT_NEAR(std::hypot(p.front().x - p.back().x, p.front().y - p.back().y), 200, 1e-2) << c.dip;
        for (const Point& q : p)
            EXPECT_LE(distanceFromCentre(q), 100 + 1e-3) << c.dip;
    }
}

TEST(GreatCircle, VerticalPlaneIsTheDiameterAlongItsStrike)
{
    for (double dip : {90.0, 89.9999, 90 - 1e-9}) {
        const Drawing d = greatCircle({90, dip}, 1);
        ASSERT_EQ(d.items.size(), 1u) << dip;
        const auto* line = std::get_if<LineItem>(&d.items[0]);
        ASSERT_NE(line, nullptr) << dip;
        EXPECT_NEAR(line->from.x, 0, 1e-4);
        EXPECT_NEAR(line->from.y, 100, 1e-4);
        EXPECT_NEAR(line->to.x, 0, 1e-4);
        EXPECT_NEAR(line->to.y, -100, 1e-4);
        EXPECT_EQ(line->stroke.colour, colours::red);
    }
}

TEST(GreatCircle, NothingAboveNinetyAndBoundedBelowZero)
{
    EXPECT_TRUE(greatCircle({10, 90.5}, 0).items.empty());
    EXPECT_TRUE(greatCircle({10, 1e30}, 0).items.empty());
    EXPECT_TRUE(greatCircle({INFINITY, 30}, 0).items.empty());
    const auto arcs = greatCircle({10, -1e9}, 0).all<PolylineItem>();
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_LE(arcs[0].points.size(), 362u);
}

} // namespace
} // namespace kv

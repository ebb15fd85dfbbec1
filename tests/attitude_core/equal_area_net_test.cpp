#include "attitude/core/equal_area_net.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

const NetConstants net;

TEST(EqualAreaNet, ProjectionRulesFollowTheWindowsDataTypes)
{
    EXPECT_EQ(preferredOrientationProjection("L"), Projection::Line);
    for (const char* t : {"P", "l", "", "X"})
        EXPECT_EQ(preferredOrientationProjection(t), Projection::PlanePole) << t;
    EXPECT_EQ(petrofabricProjection("O"), Projection::Line);
    EXPECT_EQ(petrofabricProjection("o"), Projection::Line);
    for (const char* t : {"c", "C", "", " o"})
        EXPECT_EQ(petrofabricProjection(t), Projection::PlanePole) << t;
}

struct ForwardCase {
    Projection rule;
    float angle, azimuth;
    float x, y;
};

TEST(EqualAreaNet, Attitude2xyPutsPolesAndLinesWhereAGeologistExpects)
{
    const ForwardCase cases[] = {
        {Projection::PlanePole, 0, 123, 0, 0},        // horizontal plane: pole at the centre
        {Projection::PlanePole, 60, 90, 70.71f, 0},   // plane 90/60
        {Projection::PlanePole, 90, 0, 0, 100},       // vertical plane: pole on the rim
        {Projection::Line, 30, 45, 50, 50},           // line 45/30
        {Projection::Line, 90, 200, 0, 0},            // vertical line at the centre
        {Projection::Line, 0, 180, 0, -100},          // horizontal line on the rim
    };
    for (const ForwardCase& c : cases) {
        const NetPoint p = netPointOfAttitude(net, c.rule, c.angle, c.azimuth);
        EXPECT_NEAR(p.x, c.x, 0.005) << c.azimuth << "/" << c.angle;
        EXPECT_NEAR(p.y, c.y, 0.005) << c.azimuth << "/" << c.angle;
    }
    // pi is 3.1415926: the east pole is a few millionths off the axis.
    const NetPoint east = netPointOfAttitude(net, Projection::PlanePole, 60, 90);
    EXPECT_GT(east.y, 0.0f);
    EXPECT_LT(east.y, 0.00001f);
}

struct InverseCase {
    Projection rule;
    float x, y;
    double azimuth, angle, tolerance;
};

TEST(EqualAreaNet, Xy2attitudeInvertsTheProjectionWithItsQuadrants)
{
    const InverseCase cases[] = {
        {Projection::PlanePole, 0, 50, 0, 41.41, 0.005},
        {Projection::PlanePole, -30, -40, 216.87, 41.41, 0.005},
        {Projection::PlanePole, 0, -50, 180, 41.41, 0.005},
        {Projection::PlanePole, 30, -40, 143.13, 41.41, 0.005},
        {Projection::PlanePole, -30, 40, 323.13, 41.41, 0.005},
        {Projection::PlanePole, 0, 0, 0, 0, 0},
        {Projection::PlanePole, 0, 100, 0, 90, 0.001},
        {Projection::Line, 35.36f, 61.24f, 30, 30, 0.005},
        {Projection::Line, 0, 0, 0, 90, 0},
    };
    for (const InverseCase& c : cases) {
        const NetAttitude a = attitudeAtNetPoint(net, c.rule, c.x, c.y);
        EXPECT_NEAR(a.azimuth, c.azimuth, c.tolerance) << c.x << "," << c.y;
        EXPECT_NEAR(a.angle, c.angle, c.tolerance) << c.x << "," << c.y;
    }
}

TEST(EqualAreaNet, OnTheXAxisYIsTakenAsOneThousandth)
{
    const NetAttitude east = attitudeAtNetPoint(net, Projection::PlanePole, 50, 0);
    EXPECT_LT(east.azimuth, 90.0f);
    EXPECT_NEAR(east.azimuth, 89.999, 0.0005);
    EXPECT_NEAR(east.angle, 41.41, 0.005);
    const NetAttitude west = attitudeAtNetPoint(net, Projection::PlanePole, -50, 0);
    EXPECT_GT(west.azimuth, 270.0f);
    EXPECT_NEAR(west.azimuth, 270.001, 0.0005);
}

TEST(EqualAreaNet, OutsideTheNetTheAngleIsNinety)
{
    for (float x : {142.0f, 150.0f, 250.0f}) {
        EXPECT_EQ(attitudeAtNetPoint(net, Projection::PlanePole, x, 10).angle, 90.0f) << x;
        EXPECT_EQ(attitudeAtNetPoint(net, Projection::Line, x, 10).angle, 0.0f) << x;
    }
}

struct ReadoutCase {
    Projection rule;
    double x, y;
    const char* text;
};

TEST(EqualAreaNet, PointerReadoutShowsTheAttitudeInsideTheNetOnly)
{
    const ReadoutCase cases[] = {
        {Projection::PlanePole, -30, -40, "产状:216.9/41.4"},
        {Projection::PlanePole, 0, 0, "产状:000.0/00.0"},
        {Projection::Line, 0, 0, "产状:000.0/90.0"},
        {Projection::PlanePole, 60, 80, "产状:036.9/90.0"},   // on the rim: x^2 + y^2 = 10000
        {Projection::PlanePole, 0, -100, "产状:180.0/90.0"},
        {Projection::PlanePole, 0, 101, "产状:"},              // one unit outside
        {Projection::PlanePole, 200, -140, "产状:"},
        {Projection::PlanePole, 1e300, 0, "产状:"},
    };
    for (const ReadoutCase& c : cases)
        EXPECT_EQ(pointerReadout(net, c.rule, c.x, c.y), c.text) << c.x << "," << c.y;
}

} // namespace
} // namespace kv

// Joint rose diagrams: the records gathered in 10-degree classes of direction,
// one polygon vertex per class, on a net of radius 100 centred at the origin
// (x east, y north, 1 unit = 1 pixel of the 300 x 300 picture).
#pragma once

#include "attitude/core/table_scan.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// Pi as the attitude tools write it when they turn degrees into radians.
inline constexpr double kRosePi = 3.1415926;

enum class RoseKind {
    DipDirection, // 倾向玫瑰花图: 36 classes, radius from the class count
    Strike,       // 走向玫瑰花图: 18 classes of the strike folded into 0..179
    DipAngle,     // 倾角玫瑰花图: 36 classes, radius from the mean dip
};

struct RoseColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// A point in the picture's user units (x east, y north).
struct RosePoint {
    double x = 0;
    double y = 0;
};

struct RoseSegment {
    RosePoint from;
    RosePoint to;
};

// A text printed with its top-left corner at a point.
struct RoseLabel {
    const char* text = "";
    RosePoint topLeft;
};

// Everything a window needs to draw one rose.
struct RoseDiagram {
    RoseKind kind = RoseKind::DipDirection;
    std::string title;  // printed at RoseFrame::titleAt, in black
    RoseColour colour;  // colour of the polygon
    std::int64_t maxnum = 0;   // largest class count; 0 for the dip-angle rose
    std::int64_t jointnum = 0; // number of records
    // One vertex per class, class 0 first. The polygon runs from (0, 0)
    // through every vertex and back to (0, 0); an empty class sits at (0, 0).
    // Coordinates are single-precision values (whole numbers for the strike rose).
    std::vector<RosePoint> vertices;
    // Legend pieces, printed one after another from RoseFrame::legendAt, in black.
    std::vector<std::string> legend;

    std::string legendLine() const; // the pieces joined
};

// Dip-direction rose: a class's vertex lies at its mean dip direction (bearing
// clockwise from north) at a radius proportional to its count, the largest
// class reaching the circle.
RoseDiagram dipDirectionRose(const std::vector<JointRecord>& records);
// Strike rose: dip directions folded to 0..179; a class's vertex lies at the
// bearing mean - 90 degrees, radius proportional to its count, x and y whole.
RoseDiagram strikeRose(const std::vector<JointRecord>& records);
// Dip-angle rose: a class's vertex lies at its mean dip direction at a radius
// of mean dip x 100 / 90, so vertical joints reach the circle.
RoseDiagram dipAngleRose(const std::vector<JointRecord>& records);

RoseDiagram roseDiagram(RoseKind kind, const std::vector<JointRecord>& records);

// Dip direction folded into 0..359: 360 is north, -10 is 350.
std::int64_t wrapDipDirection(std::int64_t degrees);

// The fixed net drawn under every rose, in black, in this order: circle, base
// line, ticks, letters; then the title.
struct RoseFrame {
    int picturePixels = 300; // square picture
    // User scale (scaleX1, scaleY1)-(scaleX2, scaleY2): top-left to bottom-right.
    double scaleX1 = -150, scaleY1 = 150, scaleX2 = 150, scaleY2 = -150;
    RoseColour frameColour{0, 0, 0};
    RosePoint centre{0, 0};
    double radius = 100;
    // From the west rim to just past the east rim: its east end is the 0-degree tick.
    RoseSegment baseLine{{-100, 0}, {105, 0}};
    // 35 ticks for a = 10, 20, ..., 350 degrees counter-clockwise from east:
    // (100 cos a, 100 sin a) to (105 cos a, 105 sin a).
    std::vector<RoseSegment> ticks;
    std::array<RoseLabel, 4> letters{{
        {"N", {-4, 120}},
        {"E", {110, 6}},
        {"W", {-118, 6}},
        {"S", {-3, -110}},
    }};
    RosePoint titleAt{-70, 140};
    RosePoint legendAt{-65, -130};
};

const RoseFrame& roseFrame();

} // namespace kv

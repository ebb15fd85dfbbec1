// Joint rose diagrams: the records gathered in 10-degree classes of direction,
// one polygon vertex per class, on a net of radius 100 centred at the origin
// (x east, y north, 1 unit = 1 pixel of the 300 x 300 picture).
#pragma once

#include "kit/core/attitude.h"
#include "platform/draw/drawing.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

enum class RoseKind {
    DipDirection, // 倾向玫瑰花图: 36 classes, radius from the class count
    Strike,       // 走向玫瑰花图: 18 classes of the strike folded into 0..179
    DipAngle,     // 倾角玫瑰花图: 36 classes, radius from the mean dip
};

// Everything a window needs to draw one rose.
struct RoseDiagram {
    RoseKind kind = RoseKind::DipDirection;
    std::string title;  // printed at (-70, 140), in black
    Colour colour;      // colour of the polygon
    std::int64_t maxnum = 0;   // largest class count; 0 for the dip-angle rose
    std::int64_t jointnum = 0; // number of records
    // One vertex per class, class 0 first. The polygon runs from (0, 0)
    // through every vertex and back to (0, 0); an empty class sits at (0, 0).
    // Coordinates are single-precision values (whole numbers for the strike rose).
    std::vector<Point> vertices;
    // Legend pieces, printed one after another from (-65, -130), in black.
    std::vector<std::string> legend;

    std::string legendLine() const; // the pieces joined
};

// The records are whole degrees (see JointTableScan).

// Dip-direction rose: a class's vertex lies at its mean dip direction (bearing
// clockwise from north) at a radius proportional to its count, the largest
// class reaching the circle.
RoseDiagram dipDirectionRose(const std::vector<Attitude>& records);
// Strike rose: dip directions folded to 0..179; a class's vertex lies at the
// bearing mean - 90 degrees, radius proportional to its count, x and y whole.
RoseDiagram strikeRose(const std::vector<Attitude>& records);
// Dip-angle rose: a class's vertex lies at its mean dip direction at a radius
// of mean dip x 100 / 90, so vertical joints reach the circle.
RoseDiagram dipAngleRose(const std::vector<Attitude>& records);

RoseDiagram roseDiagram(RoseKind kind, const std::vector<Attitude>& records);

// Whole degrees of dip direction folded into 0..359: 360 is north, -10 is 350.
std::int64_t wrapDipDirection(double wholeDegrees);

// The picture a rose is drawn on: a square of 300 pixels, origin in the
// centre, x east, y north, one unit a pixel.
struct RosePicture {
    int pixels = 300;
    double scaleX1 = -150, scaleY1 = 150, scaleX2 = 150, scaleY2 = -150; // top-left, bottom-right
};
inline constexpr RosePicture kRosePicture{};

// The fixed net under every rose, in black: circle of radius 100, base line
// from the west rim to just past the east rim, 35 ticks every 10 degrees
// counter-clockwise from east between radius 100 and 105, and the four letters.
Drawing roseNetDrawing();

// The whole diagram in drawing order: net, title, the polygon from the centre
// through every class's vertex and back, and the legend pieces on one line.
Drawing roseDrawing(const RoseDiagram& rose);

} // namespace kv

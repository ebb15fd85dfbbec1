// The equal-area (Lambert, Schmidt) net of the preferred-orientation and
// petrofabric windows: projection of an attitude to a point of the net and
// back, the pointer readout, and the net frame drawn under both diagrams.
//
// Plot units: the 400 x 300 picture has the scale (-150,150)-(250,-150), one
// unit per pixel, x east, y north; the net is the circle of radius 100 about
// the origin, azimuths run clockwise from north. Angles are degrees.
#pragma once

#include "attitude/core/net_state.h"
#include "platform/draw/drawing.h"

#include <string>

namespace kv {

// Which projection rule the window's data type selects.
enum class Projection {
    PlanePole, // a plane's upper-hemisphere pole, at areaScale * sin(dip / 2)
    Line,      // a line, lower hemisphere, at areaScale * sin((90 - plunge) / 2)
};

// The preferred-orientation window: "L" exactly (lines, 线理) selects the line
// rule; every other value ("P", empty, anything) the plane rule.
Projection preferredOrientationProjection(const std::string& dataType);
// The petrofabric window: "o" or "O" (optic or crystal axis) selects the line
// rule; every other value ("c", cleavage or twin plane) the plane rule.
Projection petrofabricProjection(const std::string& dataType);

// Azimuth (dip direction or trend, degrees clockwise from north) and angle
// (dip or plunge, degrees), single precision.
struct NetAttitude {
    float azimuth = 0;
    float angle = 0;
};

// Forward projection: plane 90/60 gives (70.71, 0.000002), plane 0/90 (0, 100),
// line 45/30 (50, 50).
NetPoint netPointOfAttitude(const NetConstants& net, Projection rule, float angle, float azimuth);

// Inverse projection. y = 0 is taken as 0.001, so a point on the x axis gives
// an azimuth just below 90 or just above 270. Outside the net, where the
// formula has no value, the angle is 90 (plane rule; 0 under the line rule).
NetAttitude attitudeAtNetPoint(const NetConstants& net, Projection rule, float x, float y);

// Status-bar text (panel 3) for the pointer at (x, y) in plot units:
// "产状:216.9/41.4" inside the net or on its rim, "产状:" outside.
std::string pointerReadout(const NetConstants& net, Projection rule, double x, double y);

// The net frame, in drawing order: the red centre cross, the black primitive
// circle of radius 100 and the letters N, E, S, W; line width 1.
Drawing netFrame();

// Text item with its top-left corner at (x, y), in the picture's text colour.
TextItem textAt(double x, double y, std::string text);

// The hemisphere line of both diagrams.
std::string hemisphereText(Projection rule);

} // namespace kv

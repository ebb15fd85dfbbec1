// The stereographic (equal-angle) net of the lower hemisphere that the fold
// diagrams draw on: great circles of planes, points of lines, and the turning
// of a direction vector into the line's trend and plunge.
//
// Net coordinates are the picture's user units: centre at the origin, north
// along +y, east along +x, the primitive circle of radius kNetRadius. Angles
// are degrees: azimuths (dip direction, trend) clockwise from north, dips and
// plunges downward from the horizontal.
#pragma once

#include "kit/core/attitude.h"
#include "platform/draw/drawing.h"

#include <optional>
#include <string>

namespace kv {

// Radius of the primitive circle in plot units (the net of the 400 x 300
// picture with the scale (-150,150)-(250,-150)).
inline constexpr double kNetRadius = 100;

// A direction in space: x north, y east, z down.
struct Vector3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

inline Vector3 operator+(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 operator-(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 operator*(double k, const Vector3& v) { return {k * v.x, k * v.y, k * v.z}; }
inline double dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vector3 cross(const Vector3& a, const Vector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(const Vector3& v);

// Degrees to radians and back, with pi written as the fold tools write it.
double radiansOf(double degrees);
double degreesOf(double radians);

// The value rounded to single precision, where the fold tools keep a Single.
// Values beyond the single range are returned unchanged.
double toSingle(double value);

// Unit vector of a line of trend and plunge (degrees).
Vector3 lineVector(const LineAttitude& line);

// Colour of a great circle by its code: 0 cyan, 1 red, any other dark brown.
Colour greatCircleColour(int colourCode);

// The great circle of a plane (dip direction, dip in degrees) as an arc of
// one-degree steps seen from the circle's centre, ending on the primitive
// circle at both ends. A vertical plane (or one within rounding of vertical)
// is the diameter along its strike; a dip above 90 draws nothing.
Drawing greatCircle(const Attitude& plane, int colourCode, double netRadius = kNetRadius);

// Net point of a line (trend, plunge in degrees): plunge 90 at the centre,
// plunge 0 on the primitive circle in the trend direction. Coordinates are
// kept in single precision.
Point stereo2xy(const LineAttitude& line, double netRadius = kNetRadius);

// Trend and plunge (degrees, single precision) of a direction vector. The
// trend lies in (0, 360]: due north is 360. A vertical vector has plunge 90
// (trend 90). The zero vector has no direction: empty.
std::optional<LineAttitude> vector2attitude(const Vector3& v);

// A text in black and the picture's font, its top-left corner at a point.
TextItem textAt(Point at, std::string text);

// The fixed net both fold diagrams draw: the red centre cross, the black
// primitive circle and the letters N, E, S, W.
Drawing stereoNetFrame();

// The heading line of a fold diagram: the title at titleAt, "N=" and the
// count at (-90, 130) and "Date:" and the date text at (40, 130).
Drawing diagramHeading(const std::string& title, Point titleAt, int count, const std::string& dateText);

} // namespace kv

#include "fold/core/stereo_net.h"

#include "platform/text/number_text.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

// Below this |cos dip| the plane's circle centre and radius are beyond any
// picture (a dip within about 0.006 degrees of 90): the plane is drawn as the
// straight diameter it projects to.
constexpr double kVerticalCosine = 1e-4;

// An arc never needs more than a full turn of one-degree steps; a dip far
// below 0 must not make the step count grow with the input.
constexpr double kLongestArcDegrees = 360;

Point onCircle(Point centre, double radius, double azimuthDegrees)
{
    const double t = radiansOf(azimuthDegrees);
    return {centre.x + radius * std::sin(t), centre.y + radius * std::cos(t)};
}

} // namespace

double length(const Vector3& v) { return std::sqrt(dot(v, v)); }

double radiansOf(double degrees) { return degrees * kAttitudePi / 180.0; }
double degreesOf(double radians) { return radians * 180.0 / kAttitudePi; }

double toSingle(double value)
{
    const std::optional<float> single = toSinglePrecision(value);
    return single ? static_cast<double>(*single) : value;
}

Vector3 lineVector(const LineAttitude& line)
{
    const double a = radiansOf(line.trend);
    const double p = radiansOf(line.plunge);
    return {std::cos(p) * std::cos(a), std::cos(p) * std::sin(a), std::sin(p)};
}

Colour greatCircleColour(int colourCode)
{
    switch (colourCode) {
    case 0:
        return {0, 255, 255};
    case 1:
        return {255, 0, 0};
    default:
        return {50, 10, 0};
    }
}

Drawing greatCircle(const Attitude& plane, int colourCode, double netRadius)
{
    Drawing out;
    const double a = plane.dipDirection;
    const double d = plane.dip;
    if (!std::isfinite(a) || !std::isfinite(d) || d > 90)
        return out;
    const Stroke stroke{greatCircleColour(colourCode), 1, LineStyle::Solid};
    const Point origin{0, 0};

    if (std::fabs(std::cos(radiansOf(d))) < kVerticalCosine) {
        out.add(LineItem{onCircle(origin, netRadius, a - 90), onCircle(origin, netRadius, a + 90), stroke});
        return out;
    }

    // The circle's centre lies at R tan d on the side opposite the dip
    // direction; the arc runs between the two points where it meets the
    // primitive circle, t1 = a + d - 90 and t2 = a - d + 90 seen from the centre.
    const double c = -netRadius * std::tan(radiansOf(d));
    const Point centre{c * std::sin(radiansOf(a)), c * std::cos(radiansOf(a))};
    const double radius = netRadius / std::cos(radiansOf(d));
    const double t1 = a + d - 90;
    const double span = std::min(180 - 2 * d, kLongestArcDegrees);
    const int steps = static_cast<int>(std::floor(span));

    PolylineItem arc;
    arc.stroke = stroke;
    arc.points.reserve(static_cast<std::size_t>(steps) + 2);
    for (int i = 0; i <= steps; ++i)
        arc.points.push_back(onCircle(centre, radius, t1 + i));
    if (steps < span) // a dip that is not whole still reaches the primitive circle
        arc.points.push_back(onCircle(centre, radius, t1 + span));
    out.add(std::move(arc));
    return out;
}

Point stereo2xy(const LineAttitude& line, double netRadius)
{
    const double rho = netRadius * std::tan((90 - line.plunge) * kAttitudePi / 360.0);
    const double a = radiansOf(line.trend);
    return {toSingle(rho * std::sin(a)), toSingle(rho * std::cos(a))};
}

std::optional<LineAttitude> vector2attitude(const Vector3& v)
{
    const double x = toSingle(v.x);
    const double y = toSingle(v.y);
    const double z = toSingle(v.z);
    if (x * x + y * y + z * z == 0)
        return std::nullopt;

    // atan2 keeps a vertical vector at plunge 90 without dividing by zero.
    const double plunge = degreesOf(std::atan2(z, std::hypot(x, y)));
    double trend = 0;
    if (x == 0)
        trend = y < 0 ? 270 : 90;
    else if (x < 0)
        trend = degreesOf(std::atan(y / x)) + 180;
    else if (y > 0)
        trend = degreesOf(std::atan(y / x));
    else
        trend = degreesOf(std::atan(y / x)) + 360; // due north is 360, never 0
    return LineAttitude{toSingle(trend), toSingle(plunge)};
}

TextItem textAt(Point at, std::string text)
{
    TextItem item;
    item.at = at;
    item.text = std::move(text);
    return item;
}

Drawing stereoNetFrame()
{
    Drawing out;
    const Stroke red{colours::red, 1, LineStyle::Solid};
    out.add(LineItem{{-8, 0}, {8, 0}, red});
    out.add(LineItem{{0, 8}, {0, -8}, red});
    out.add(CircleItem{{0, 0}, kNetRadius, Stroke{}, std::nullopt});
    const struct {
        const char* letter;
        Point at;
    } letters[] = {{"N", {0, 115}}, {"E", {105, 0}}, {"S", {0, -103}}, {"W", {-115, 0}}};
    for (const auto& l : letters)
        out.add(textAt(l.at, l.letter));
    return out;
}

Drawing diagramHeading(const std::string& title, Point titleAt, int count, const std::string& dateText)
{
    Drawing out;
    out.add(textAt(titleAt, title));
    out.add(textAt({-90, 130}, "N=" + printText(count)));
    out.add(textAt({40, 130}, "Date:" + dateText));
    return out;
}

} // namespace kv

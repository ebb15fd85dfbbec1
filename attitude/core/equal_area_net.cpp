#include "attitude/core/equal_area_net.h"

#include "kit/core/attitude.h"
#include "platform/text/number_text.h"

#include <cmath>
#include <optional>

namespace kv {

namespace {

constexpr double kPi = kAttitudePi; // 3.1415926, as the windows write it

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Single-precision rounding that the compiler cannot fold away (a double ->
// float -> double round trip paired with another can be dropped by GCC's
// vectoriser; going through toSinglePrecision keeps it).
float single(double value)
{
    if (const std::optional<float> v = toSinglePrecision(value))
        return *v;
    return std::isnan(value) ? NAN : (value > 0 ? INFINITY : -INFINITY);
}

} // namespace

Projection preferredOrientationProjection(const std::string& dataType)
{
    return dataType == "L" ? Projection::Line : Projection::PlanePole;
}

Projection petrofabricProjection(const std::string& dataType)
{
    return lowerAscii(dataType) == "o" ? Projection::Line : Projection::PlanePole;
}

NetPoint netPointOfAttitude(const NetConstants& net, Projection rule, float angle, float azimuth)
{
    const double half = static_cast<double>(angle) * kPi / 360;
    const double t = rule == Projection::Line ? kPi / 4 - half : half;
    const double r = static_cast<double>(net.areaScale) * std::sin(t);
    const double a = static_cast<double>(azimuth) * kPi / 180;
    return {single(r * std::sin(a)), single(r * std::cos(a))};
}

NetAttitude attitudeAtNetPoint(const NetConstants& net, Projection rule, float x, float y)
{
    const float s = single(static_cast<double>(x) * x + static_cast<double>(y) * y);
    if (y == 0)
        y = 0.001f;
    NetAttitude out;
    out.azimuth = single(std::atan(std::fabs(static_cast<double>(x) / y)) * 180 / kPi);
    const double radius = net.netRadius;
    const float d = single((radius + radius) * radius - s);
    // Outside the net d is zero or negative: the point lies a quarter turn or
    // more from the centre, which the readout shows as 90.
    out.angle = d > 0 ? single(2 * std::atan(std::sqrt(static_cast<double>(s) / d)) * 180 / kPi) : 90.0f;
    if (x <= 0 && y < 0)
        out.azimuth = out.azimuth + 180;
    if (x < 0 && y > 0)
        out.azimuth = 360 - out.azimuth;
    if (x > 0 && y < 0)
        out.azimuth = 180 - out.azimuth;
    if (rule == Projection::Line)
        out.angle = 90 - out.angle;
    return out;
}

std::string pointerReadout(const NetConstants& net, Projection rule, double x, double y)
{
    const std::string label = "产状:";
    const std::optional<float> px = toSinglePrecision(x);
    const std::optional<float> py = toSinglePrecision(y);
    if (!px || !py)
        return label;
    const double s = static_cast<double>(*px) * *px + static_cast<double>(*py) * *py;
    const std::optional<float> s1 = toSinglePrecision(s);
    const float q = single(static_cast<double>(net.netRadius) * net.netRadius);
    if (!s1 || q < *s1)
        return label;
    const NetAttitude a = attitudeAtNetPoint(net, rule, *px, *py);
    return label + formatMaskSingle(a.azimuth, "000.0") + "/" + formatMaskSingle(a.angle, "00.0");
}

TextItem textAt(double x, double y, std::string text)
{
    TextItem item;
    item.at = Point{x, y};
    item.text = std::move(text);
    return item;
}

Drawing netFrame()
{
    Drawing d;
    const Stroke red{colours::red, 1, LineStyle::Solid};
    const Stroke black{colours::black, 1, LineStyle::Solid};
    d.add(LineItem{{-8, 0}, {8, 0}, red});
    d.add(LineItem{{0, 8}, {0, -8}, red});
    d.add(CircleItem{{0, 0}, 100, black, std::nullopt});
    d.add(textAt(0, 115, "N"));
    d.add(textAt(105, 0, "E"));
    d.add(textAt(0, -103, "S"));
    d.add(textAt(-115, 0, "W"));
    return d;
}

std::string hemisphereText(Projection rule)
{
    return rule == Projection::Line ? "Equal-area lower hemisphere projection"
                                    : "Equal-area upper hemisphere projection";
}

} // namespace kv

#include "fold/core/three_point.h"

#include "fold/core/stereo_net.h"
#include "platform/text/item_reader.h"
#include "platform/text/number_text.h"

#include <cmath>

namespace kv {

namespace {

// North or south from the normal's tilt along X, east or west from its tilt
// along Y: a plane A x + B y + C z + D = 0 (z up) descends towards (A, B)/C.
std::string dipQuadrantOf(float a, float b, float c)
{
    if (c == 0)
        return "无";
    std::string quadrant;
    const double northward = static_cast<double>(a) * c;
    const double eastward = static_cast<double>(b) * c;
    if (northward > 0)
        quadrant += "N";
    else if (northward < 0)
        quadrant += "S";
    if (eastward > 0)
        quadrant += "E";
    else if (eastward < 0)
        quadrant += "W";
    return quadrant;
}

} // namespace

std::optional<PlaneThroughPoints> planeThroughPoints(const ThreePoints& p)
{
    const auto d = [&](int point, int axis) { return p[point][axis] - p[0][axis]; };
    // The normal (A, B, C) = (P2 - P1) x (P3 - P1), kept in single precision.
    const std::optional<float> a = toSinglePrecision(d(1, 1) * d(2, 2) - d(2, 1) * d(1, 2));
    const std::optional<float> b = toSinglePrecision(d(2, 0) * d(1, 2) - d(1, 0) * d(2, 2));
    const std::optional<float> c = toSinglePrecision(d(1, 0) * d(2, 1) - d(2, 0) * d(1, 1));
    if (!a || !b || !c || (*a == 0 && *b == 0 && *c == 0))
        return std::nullopt;

    PlaneThroughPoints plane;
    double strike = 90;
    if (*b != 0) {
        strike = degreesOf(std::atan(-static_cast<double>(*a) / *b));
        if (strike < 0)
            strike += 360;
    }
    plane.strike = static_cast<float>(strike + 0.0); // never -0

    const double size = std::sqrt(static_cast<double>(*a) * *a + static_cast<double>(*b) * *b
                                  + static_cast<double>(*c) * *c);
    if (!std::isfinite(size))
        return std::nullopt;
    if (*c == 0) {
        plane.dip = 90;
    } else {
        const double cosine = *c / size;
        const double sine = std::sqrt(1 - cosine * cosine);
        plane.dip = static_cast<float>(std::fabs(degreesOf(std::atan(sine / cosine))));
    }
    plane.dipQuadrant = dipQuadrantOf(*a, *b, *c);
    return plane;
}

std::string threePointResultText(const PlaneThroughPoints& plane)
{
    return "走向：" + formatMaskSingle(plane.strike, "#.0") + "     倾角：" + formatMaskSingle(plane.dip, "#.0")
           + "     倾向：" + plane.dipQuadrant;
}

std::vector<std::string> coordinateFileLines(const ThreePoints& points, const std::string& resultText)
{
    std::vector<std::string> lines;
    for (const auto& point : points) {
        PrintLine line;
        line.add(printText(point[0])).nextZone().add(printText(point[1])).nextZone().add(printText(point[2]));
        lines.push_back(line.str());
    }
    lines.push_back(resultText);
    return lines;
}

std::optional<CoordinateFileRead> parseCoordinateFile(const std::string& text)
{
    CoordinateFileRead out;
    ItemReader reader(text);
    for (int k = 0; k < 9; ++k) {
        const std::optional<ItemReader::Item> item = reader.next();
        if (!item)
            return std::nullopt;
        // A word counts as 0; a number beyond any double can't be held.
        if (!item->number && !std::isfinite(leadingNumber(item->text)))
            return std::nullopt;
        const double value = item->number.value_or(0.0);
        out.points[k / 3][k % 3] = value;
        out.boxTexts[k] = cellText(value);
    }
    return out;
}

} // namespace kv

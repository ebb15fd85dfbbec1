#include "attitude/core/rose.h"

#include "platform/text/number_text.h"

#include <cmath>

namespace kv {

namespace {

constexpr int kCircleClasses = 36; // dip-direction and dip-angle roses
constexpr int kStrikeClasses = 18;

// Counts, direction sums and dip sums of the 10-degree classes. Sums are held
// wide: a class of 499 records of 359 degrees is far beyond 16 bits, and dips
// are not range-checked, so their sum is kept in double.
struct DirectionClasses {
    explicit DirectionClasses(int classes) : count(classes, 0), directionSum(classes, 0), dipSum(classes, 0.0) {}

    void add(std::int64_t direction, double dip)
    {
        const auto k = static_cast<std::size_t>(direction / 10); // direction is 0..359
        count[k] += 1;
        directionSum[k] += direction;
        dipSum[k] += dip;
    }

    int size() const { return static_cast<int>(count.size()); }

    std::int64_t largestCount() const
    {
        std::int64_t largest = 0;
        for (auto c : count)
            if (c > largest)
                largest = c;
        return largest;
    }

    std::vector<std::int64_t> count;
    std::vector<std::int64_t> directionSum;
    std::vector<double> dipSum;
};

// Nearest whole number, halves to even. Doubles of 2^52 and beyond are whole already.
double nearestWhole(double value)
{
    if (std::fabs(value) >= 4503599627370496.0)
        return value;
    return static_cast<double>(*roundHalfEven(value));
}

// The rounded mean of a class; 0 for an empty class.
double classMean(double sum, std::int64_t count)
{
    return count > 0 ? nearestWhole(sum / static_cast<double>(count)) : 0.0;
}

std::int64_t foldToStrike(std::int64_t dipDirection)
{
    return dipDirection < 180 ? dipDirection : dipDirection - 180;
}

// The value rounded to single precision; -0 becomes 0. Goes through toSinglePrecision on
// purpose: GCC 12 at -O2 pairs the x and y conversions into one vector multiply
// and drops an inline double-to-float-to-double round trip.
double singlePrecision(double value)
{
    return static_cast<double>(toSinglePrecision(value).value_or(0.0f)) + 0.0;
}

// Point at radius r on the bearing theta (radians clockwise from north), each
// coordinate rounded to single precision.
Point singlePrecisionPoint(double r, double theta)
{
    return {singlePrecision(r * std::sin(theta)), singlePrecision(r * std::cos(theta))};
}

double bearingRadians(double meanDegrees)
{
    return meanDegrees / 180 * kAttitudePi;
}

std::vector<std::string> countLegend(std::int64_t maxnum, std::int64_t jointnum)
{
    return {"半径：", printText(maxnum), "条    ", "节理数：", printText(jointnum)};
}

RoseDiagram emptyDiagram(RoseKind kind, const char* title, Colour colour, const std::vector<Attitude>& records)
{
    RoseDiagram rose;
    rose.kind = kind;
    rose.title = title;
    rose.colour = colour;
    rose.jointnum = static_cast<std::int64_t>(records.size());
    return rose;
}

} // namespace

std::int64_t wrapDipDirection(double wholeDegrees)
{
    if (!std::isfinite(wholeDegrees))
        return 0;
    // fmod is exact, so even directions far beyond 2^53 fold to the right class.
    const auto wrapped = static_cast<std::int64_t>(std::fmod(wholeDegrees, 360.0));
    return wrapped < 0 ? wrapped + 360 : wrapped;
}

std::string RoseDiagram::legendLine() const
{
    std::string line;
    for (const auto& piece : legend)
        line += piece;
    return line;
}

RoseDiagram dipDirectionRose(const std::vector<Attitude>& records)
{
    RoseDiagram rose = emptyDiagram(RoseKind::DipDirection, "Dip Rose Diagram Of Joint", {0, 255, 255}, records);
    DirectionClasses classes(kCircleClasses);
    for (const auto& record : records)
        classes.add(wrapDipDirection(record.dipDirection), record.dip);

    rose.maxnum = classes.largestCount();
    // With no record every class is empty and sits at the centre.
    const double scale = rose.maxnum > 0 ? 100.0 / static_cast<double>(rose.maxnum) : 0.0;
    for (int k = 0; k < classes.size(); ++k) {
        const double mean = classMean(static_cast<double>(classes.directionSum[k]), classes.count[k]);
        const double r = static_cast<double>(classes.count[k]) * scale;
        rose.vertices.push_back(singlePrecisionPoint(r, bearingRadians(mean)));
    }
    rose.legend = countLegend(rose.maxnum, rose.jointnum);
    return rose;
}

RoseDiagram strikeRose(const std::vector<Attitude>& records)
{
    RoseDiagram rose = emptyDiagram(RoseKind::Strike, "Strike Rose Diagram Of Joint", {255, 0, 0}, records);
    DirectionClasses classes(kStrikeClasses);
    for (const auto& record : records)
        classes.add(foldToStrike(wrapDipDirection(record.dipDirection)), record.dip);

    rose.maxnum = classes.largestCount();
    const double scale = rose.maxnum > 0 ? 100.0 / static_cast<double>(rose.maxnum) : 0.0;
    for (int k = 0; k < classes.size(); ++k) {
        const double mean = classMean(static_cast<double>(classes.directionSum[k]), classes.count[k]);
        const double r = static_cast<double>(classes.count[k]) * scale;
        // The strike is drawn a quarter turn anticlockwise of its bearing.
        const double theta = bearingRadians(mean) - kAttitudePi / 2;
        rose.vertices.push_back({nearestWhole(r * std::sin(theta)) + 0.0, nearestWhole(r * std::cos(theta)) + 0.0});
    }
    rose.legend = countLegend(rose.maxnum, rose.jointnum);
    return rose;
}

RoseDiagram dipAngleRose(const std::vector<Attitude>& records)
{
    RoseDiagram rose = emptyDiagram(RoseKind::DipAngle, "Dip Angle Rose Diagram Of Joint", {0, 255, 0}, records);
    DirectionClasses classes(kCircleClasses);
    for (const auto& record : records)
        classes.add(wrapDipDirection(record.dipDirection), record.dip);

    const double scale = 100.0 / 90.0; // a vertical joint reaches the circle
    for (int k = 0; k < classes.size(); ++k) {
        const double mean = classMean(static_cast<double>(classes.directionSum[k]), classes.count[k]);
        const double dipMean = classMean(classes.dipSum[k], classes.count[k]);
        rose.vertices.push_back(singlePrecisionPoint(dipMean * scale, bearingRadians(mean)));
    }
    rose.legend = {"半径：", "90", "度    ", "节理数：", printText(rose.jointnum)};
    return rose;
}

RoseDiagram roseDiagram(RoseKind kind, const std::vector<Attitude>& records)
{
    switch (kind) {
    case RoseKind::Strike:
        return strikeRose(records);
    case RoseKind::DipAngle:
        return dipAngleRose(records);
    case RoseKind::DipDirection:
        break;
    }
    return dipDirectionRose(records);
}

Drawing roseNetDrawing()
{
    Drawing net;
    net.add(CircleItem{{0, 0}, 100, {}, {}});
    net.add(LineItem{{-100, 0}, {105, 0}, {}}); // its east end is the 0-degree tick
    for (int degrees = 10; degrees <= 350; degrees += 10) {
        const double a = degrees * kAttitudePi / 180;
        net.add(LineItem{{100 * std::cos(a), 100 * std::sin(a)}, {105 * std::cos(a), 105 * std::sin(a)}, {}});
    }
    const struct {
        const char* letter;
        Point at;
    } letters[] = {{"N", {-4, 120}}, {"E", {110, 6}}, {"W", {-118, 6}}, {"S", {-3, -110}}};
    for (const auto& l : letters)
        net.add(TextItem{l.at, l.letter});
    return net;
}

Drawing roseDrawing(const RoseDiagram& rose)
{
    Drawing d = roseNetDrawing();
    d.add(TextItem{Point{-70, 140}, rose.title});

    PolylineItem polygon;
    polygon.stroke.colour = rose.colour;
    polygon.points.push_back({0, 0});
    polygon.points.insert(polygon.points.end(), rose.vertices.begin(), rose.vertices.end());
    polygon.points.push_back({0, 0});
    d.add(std::move(polygon));

    for (std::size_t i = 0; i < rose.legend.size(); ++i) {
        TextItem piece;
        if (i == 0)
            piece.at = Point{-65, -130};
        piece.text = rose.legend[i];
        d.add(std::move(piece));
    }
    return d;
}

} // namespace kv

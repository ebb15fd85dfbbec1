#include "strain/core/fry_method.h"

#include "platform/text/number_text.h"
#include "strain/core/object_centres.h"

#include <cmath>
#include <variant>

namespace kv {

namespace {

// Pi as the pixel vectors' directions take it (14 decimals) and as the
// ellipse and its angle are drawn (7 decimals).
constexpr double kDirectionPi = 3.14159265358979;
constexpr double kDrawPi = 3.1415926;
constexpr double kPlotCentre = 149.5; // half of the 299-unit scale
constexpr int kFewestCentres = 20;

std::int64_t wholeOf(double v) { return roundHalfEven(v).value_or(0); }

int rounded16(double v) { return roundToInt16(v).value_or(0); }

// Reads rows up to the first empty x; the coordinates divided by the scale.
std::variant<FryCentres, FryStop> readCentres(const CellText& cell, int& pointCount)
{
    FryCentres c;
    // Whole numbers, as wide as a double holds: pictures pass 32767 pixels.
    double largestX = 0, largestY = 0;
    pointCount = 0;
    for (int row = 1; row <= static_cast<int>(kMostCentres); ++row) {
        const std::string xText = cell(row, 1);
        if (xText.empty())
            break;
        const float x = static_cast<float>(leadingNumber(xText));
        if (x > largestX)
            largestX = std::nearbyint(x); // halves to even
        const std::string yText = cell(row, 2);
        if (yText.empty())
            return FryStop::MissingY;
        const float y = static_cast<float>(leadingNumber(yText));
        ++pointCount;
        if (y > largestY)
            largestY = std::nearbyint(y);
        c.x.push_back(x);
        c.y.push_back(y);
    }
    if (pointCount < kFewestCentres)
        return FryStop::TooFewCentres;
    c.scale = largestX / 300;
    if (largestY / 300 > c.scale)
        c.scale = largestY / 300;
    if (!(c.scale > 0) || !std::isfinite(c.scale))
        return FryStop::ZeroScale;
    for (std::size_t i = 0; i < c.x.size(); ++i) {
        c.x[i] = static_cast<float>(c.x[i] / c.scale);
        c.y[i] = static_cast<float>(c.y[i] / c.scale);
    }
    return c;
}

Drawing ellipseAndResult(const FryEllipse& e)
{
    Drawing d;
    const double a = static_cast<double>(e.largest), b = static_cast<double>(e.smallest);
    const float phi = static_cast<float>(static_cast<double>(e.fi) * kDrawPi / 180);
    const double cp = std::cos(phi), sp = std::sin(phi);
    PolylineItem outline;
    outline.stroke = {colours::red, 1};
    outline.points.push_back({kPlotCentre + a * cp, kPlotCentre + a * sp});
    for (int t = 0; t <= 360; ++t) {
        const double u = t * kDrawPi / 180;
        outline.points.push_back({kPlotCentre + a * std::cos(u) * cp - b * std::sin(u) * sp,
                                  kPlotCentre + a * std::cos(u) * sp + b * std::sin(u) * cp});
    }
    d.add(std::move(outline));
    d.add(PolygonItem{{{0, 30}, {299, 30}, {299, 0}, {0, 0}}, {colours::white, 1}, colours::white});
    d.add(TextItem{Point{50, 25}, fryResultText(e), colours::blue});
    return d;
}

} // namespace

float directionDegrees(int dx, int dy)
{
    const double toDegrees = 180 / kDirectionPi;
    double d = 0;
    if (dx > 0 && dy > 0)
        d = std::atan(static_cast<double>(dy) / dx) * toDegrees;
    else if (dx < 0 && dy > 0)
        d = 90 + std::atan(static_cast<double>(-dx) / dy) * toDegrees;
    else if (dx < 0 && dy < 0)
        d = 180 + std::atan(static_cast<double>(dy) / dx) * toDegrees;
    else if (dx > 0 && dy < 0)
        d = 270 + std::atan(static_cast<double>(-dx) / dy) * toDegrees;
    else if (dx > 0)
        d = 0;
    else if (dy > 0)
        d = 90;
    else if (dx < 0)
        d = 180;
    else if (dy < 0)
        d = 270;
    else
        d = 360;
    return static_cast<float>(d);
}

Notice fryStopNotice(FryStop stop)
{
    switch (stop) {
    case FryStop::MissingY:
        return {"坐标点数据有误！", "提示"};
    case FryStop::TooFewCentres:
        return {"坐标点数据少于20！", "提示"};
    case FryStop::ZeroScale:
        return {"坐标点数据有误，坐标值都不大于0.5！", "提示"};
    case FryStop::EmptySector:
        return {"有的30度方向区间内没有点对，无法拟合！", "提醒！"};
    case FryStop::Singular:
        return {"遇到非线性方程组！", "提醒！"};
    case FryStop::NonPositiveSmallest:
        return {"拟合的最短距离不大于0，无法求应变椭圆！", "提醒！"};
    }
    return {};
}

FryCloud fryCloud(const FryCentres& centres)
{
    FryCloud cloud;
    const std::size_t n = centres.x.size();
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) {
            if (i == j)
                continue;
            const double dx = static_cast<double>(centres.x[j]) - centres.x[i];
            const double dy = static_cast<double>(centres.y[j]) - centres.y[i];
            if (!(static_cast<float>(std::fabs(dx)) < kPlotCentre && static_cast<float>(std::fabs(dy)) < kPlotCentre))
                continue;
            cloud.dots.add(DotItem{{kPlotCentre + dx, kPlotCentre + dy}, colours::black, 2});
            const float theta = directionDegrees(rounded16(dx), rounded16(dy));
            if (!(theta < 180))
                continue;
            SectorMinimum& sector = cloud.sectors[static_cast<std::size_t>(std::floor(theta / 30.0f))];
            const float d = static_cast<float>(std::sqrt(dx * dx + dy * dy));
            if (d < sector.distance) {
                sector.distance = d;
                sector.direction = theta;
                sector.reached = true;
            }
        }
    return cloud;
}

std::optional<Polynomial> fitSectorCurve(const std::array<SectorMinimum, 6>& sectors)
{
    std::vector<FitPoint> points;
    for (const SectorMinimum& s : sectors)
        points.push_back({s.direction / 10.0f, s.distance});
    auto fit = polyFit(points, 3);
    if (auto* curve = std::get_if<Polynomial>(&fit))
        return *curve;
    return std::nullopt;
}

FryExtremes scanSectorCurve(const Polynomial& curve)
{
    FryExtremes e;
    const double start = curve(-0.01);
    double beforePrevious = start, previous = start;
    bool maxFound = false, minFound = false;
    for (double x = -0.01; x <= 18.01; x += 0.01) {
        const double current = curve(x);
        if (!maxFound && previous > beforePrevious && previous > current) {
            maxFound = true;
            e.fi = wholeOf(10 * x);
            e.largest = wholeOf(current);
        }
        if (!minFound && previous < beforePrevious && previous < current) {
            minFound = true;
            e.smallest = wholeOf(current);
        }
        beforePrevious = previous;
        previous = current;
    }
    if (!maxFound)
        e.largest = wholeOf(start);
    if (!minFound)
        e.smallest = wholeOf(start);
    return e;
}

std::string fryResultText(const FryEllipse& e)
{
    const float phi = static_cast<float>(static_cast<double>(e.fi) * kDrawPi / 180);
    return "Rs=" + formatMaskSingle(e.rs, "##.00") + "   Fi =" + formatMask(phi * 180 / kDrawPi, "##.00")
           + "   N=" + printText(e.centreCount);
}

FryRun runFryMethod(const CellText& cell)
{
    FryRun run;
    auto read = readCentres(cell, run.pointCount);
    if (auto* stop = std::get_if<FryStop>(&read)) {
        run.stop = *stop;
        return run;
    }
    run.plotShown = true;
    FryCloud cloud = fryCloud(std::get<FryCentres>(read));
    run.plot = std::move(cloud.dots);
    for (const SectorMinimum& s : cloud.sectors)
        if (!s.reached) {
            run.stop = FryStop::EmptySector;
            return run;
        }
    const auto curve = fitSectorCurve(cloud.sectors);
    if (!curve) {
        run.stop = FryStop::Singular;
        return run;
    }
    const FryExtremes extremes = scanSectorCurve(*curve);
    if (extremes.smallest <= 0) {
        run.stop = FryStop::NonPositiveSmallest;
        return run;
    }
    FryEllipse e;
    e.fi = extremes.fi;
    e.largest = extremes.largest;
    e.smallest = extremes.smallest;
    e.rs = static_cast<float>(static_cast<double>(e.largest) / static_cast<double>(e.smallest));
    e.centreCount = run.pointCount;
    run.plot.append(ellipseAndResult(e));
    run.ellipse = e;
    return run;
}

} // namespace kv

#include "fold/core/rheometer_profile_chart.h"

#include "platform/text/number_text.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

constexpr ChartScale kProfileScale{-50, 225, 400, -225};

// Values at whole degrees 0..360 drawn as a line from the origin, scaled so the
// largest positive value (over a whole wavelength, the largest absolute one)
// reaches one chart unit. A flat profile has no largest value: its lines lie at 0.
template <class ValueAt> std::vector<Point> normalisedCurve(ValueAt valueAt)
{
    std::vector<double> values;
    double largest = 0;
    for (int x = 0; x <= 360; ++x) {
        values.push_back(valueAt(x));
        if (values.back() > largest)
            largest = values.back();
    }
    std::vector<Point> points{{0, 0}};
    for (int x = 0; x <= 360; ++x) {
        double y = largest > 0 ? values[x] * kProfileChartUnit / largest : 0.0;
        if (!std::isfinite(y))
            y = 0;
        points.push_back({double(x), y});
    }
    return points;
}

void printAt(Drawing& d, double x, double y, std::string text)
{
    TextItem item;
    item.at = Point{x, y};
    item.text = std::move(text);
    d.add(item);
}

void drawAxes(Drawing& d)
{
    d.add(PolygonItem{{{0, 150}, {360, 150}, {360, -150}, {0, -150}}, {}, std::nullopt});
    for (int i = 0; i <= 360; i += 60) {
        d.add(LineItem{{double(i), -150}, {double(i), -155}, {}});
        printAt(d, i - 15, -160, printText(i));
    }
    for (int j = -150; j <= 150; j += 30) {
        d.add(LineItem{{0, double(j)}, {-5, double(j)}, {}});
        printAt(d, -48, j + 10, formatMask(j / kProfileChartUnit, "#0.00"));
    }
}

} // namespace

std::string profileSeriesLabel(const FoldProfile& p)
{
    std::string label = "F=" + formatMaskSingle(p.a1, "#0.00");
    label += p.a3 > 0 ? "sin(x)+" : "sin(x)";
    label += formatMaskSingle(p.a3, "#0.00");
    label += p.a5 > 0 ? "sin(3x)+" : "sin(3x)";
    label += formatMaskSingle(p.a5, "#0.00");
    return label + "sin(5x)";
}

std::vector<Point> profileCurvePoints(const FoldProfile& profile)
{
    return normalisedCurve([&](int x) { return profileHeight(profile, x); });
}

std::vector<Point> curvatureCurvePoints(const FoldProfile& profile)
{
    return normalisedCurve([&](int x) { return double(profileCurvature(profile, float(x))); });
}

RheometerChart profileCurvatureChart(const FoldShape& shape)
{
    RheometerChart chart;
    chart.scale = kProfileScale;
    Drawing& d = chart.drawing;
    drawAxes(d);
    d.add(PolylineItem{curvatureCurvePoints(shape.profile), {colours::blue, 1, LineStyle::Solid}});
    d.add(PolylineItem{profileCurvePoints(shape.profile), {}});
    printAt(d, 10, 210, profileSeriesLabel(shape.profile));
    printAt(d, 160, -190, "Ki=" + formatMaskSingle(shape.curvatureIndex, "#0.00"));
    printAt(d, 300, -190, "X (度数)");
    printAt(d, -45, 180, "Y,k (相对)");
    return chart;
}

} // namespace kv

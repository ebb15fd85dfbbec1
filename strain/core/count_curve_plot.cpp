#include "strain/core/count_curve_plot.h"

#include "platform/text/number_text.h"

#include <algorithm>
#include <string>

namespace kv {

namespace {

void addLine(Drawing& d, double x1, double y1, double x2, double y2, Colour colour = colours::black)
{
    d.add(LineItem{{x1, y1}, {x2, y2}, {colour, 1}});
}

std::int32_t rounded32(double v)
{
    const auto r = roundHalfEven(v);
    if (!r)
        return 0;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(*r, INT32_MIN, INT32_MAX));
}

void addAxes(Drawing& d, const CountAxis& axis)
{
    addLine(d, 0, 0, 190, 0);
    addLine(d, 0, 0, 0, 165);
    addLine(d, 190, 0, 186, 4);
    addLine(d, 190, 0, 186, -4);
    addLine(d, 0, 165, -4, 161);
    addLine(d, 0, 165, 4, 161);

    // Labels a fixed 10 counts apart would drift from their ticks whenever
    // 5 / unit is not whole, and one per long tick would print over each
    // other when the ticks stand close.
    constexpr int kLabelGap = 6;
    int lastLabel = -kLabelGap;
    bool longTick = true;
    for (int t = 0; t <= 160; t += axis.tickStep) {
        if (longTick) {
            addLine(d, -6, t, 0, t);
            if (t - lastLabel >= kLabelGap) {
                d.add(TextItem{Point{-30, t + 3.0}, printText(countAxisLabel(axis, t))});
                lastLabel = t;
            }
        } else {
            addLine(d, -3, t, 0, t);
        }
        longTick = !longTick;
    }
    for (int t = 0; t <= 180; t += 5) {
        if (t % 30 != 0) {
            addLine(d, t, 0, t, -3);
        } else {
            addLine(d, t, 0, t, -6);
            d.add(TextItem{Point{t - 9.0, -10}, printText(t)});
        }
    }
}

// One cross per table row from angle 0 to 180 by the step, at the loop's angle.
void addCountMarks(Drawing& d, const CellText& cell, const CountSettings& settings, const CountAxis& axis)
{
    int row = 1;
    for (float a = 0; a <= 180 && row <= kCountTableLastRow; a += settings.turnangle, ++row) {
        const double py = (leadingNumber(cell(row, 2)) - axis.base) / axis.unit;
        addLine(d, a - 2, py - 2, a + 2, py + 2, colours::blue);
        addLine(d, a - 2, py + 2, a + 2, py - 2, colours::blue);
    }
}

void addCurve(Drawing& d, const Polynomial& curve, const CountAxis& axis)
{
    PolylineItem line;
    line.stroke = {colours::red, 1};
    line.points.push_back({0, (curve(0) - axis.base) / axis.unit});
    for (double x : countCurveSamples())
        line.points.push_back({10 * x, (curve(x) - axis.base) / axis.unit});
    d.add(std::move(line));
}

void addExtremeTexts(Drawing& d, const CountCurveExtremes& e)
{
    const auto line = [](double angle, const char* name, const std::string& value) {
        return PrintLine()
            .add("角度:")
            .add(printText(static_cast<std::int64_t>(rounded32(angle))))
            .nextZone()
            .add(name)
            .add(value)
            .str();
    };
    TextItem first{Point{0, 190}, line(e.maxangle, "最大:", formatMask(e.maxvalue, "#0.00"))};
    first.newLine = true;
    d.add(first);
    TextItem second{std::nullopt, line(e.minangle, "最小:", formatMaskSingle(e.minvalue, "#0.00"))};
    second.newLine = true;
    d.add(second);
}

} // namespace

CountAxis countAxis(const CellText& cell, const CountSettings& settings)
{
    const std::vector<FitPoint> points = countFitPoints(cell, settings);
    double ymax = 0;
    // The smallest count itself (not a fixed 10000 as a start), so counts of
    // large photographs above 10000 still fill the plot's height.
    double ymin = points.empty() ? 0 : points.front().y;
    for (const FitPoint& p : points) {
        ymax = std::max(ymax, p.y);
        ymin = std::min(ymin, p.y);
    }
    CountAxis axis;
    axis.unit = (ymax - ymin) / 60;
    if (axis.unit == 0)
        axis.unit = 1;
    std::int32_t base = rounded32(ymin - 40 * axis.unit);
    base -= base % 10;
    axis.base = std::max<std::int32_t>(base, 0);
    // Above a range of 600 counts the step would round to 0 and never end.
    axis.tickStep = std::max<std::int32_t>(1, rounded32(5 / axis.unit));
    return axis;
}

std::int64_t countAxisLabel(const CountAxis& axis, int t) { return rounded32(axis.base + t * axis.unit); }

Drawing countCurvePlot(const CellText& cell, const CountSettings& settings, const Polynomial& curve,
                       const CountCurveExtremes& extremes)
{
    const CountAxis axis = countAxis(cell, settings);
    Drawing d;
    addAxes(d, axis);
    addCountMarks(d, cell, settings, axis);
    addCurve(d, curve, axis);
    addExtremeTexts(d, extremes);
    return d;
}

} // namespace kv

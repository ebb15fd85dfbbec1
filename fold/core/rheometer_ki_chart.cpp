#include "fold/core/rheometer_ki_chart.h"

#include "platform/text/number_text.h"

namespace kv {

namespace {

// Where one chart puts its pieces; the three charts differ only in these.
struct KiChartLayout {
    ChartScale scale;
    double boxRight;
    Point kiTitleAt;
    const char* xTitle;
    Point xTitleAt;
    const char* valueLabel;
    const char* valueMask;
    Point valueAt;
    int firstYTick, lastYTick; // tick i stands at Ki = i / 10
    double yTickEndX, yLabelX;
    int firstXTick, lastXTick; // tick i stands at x = xStep * i
    double xStep, xLabelShift;
    double markerRadius; // x units
    bool zerosAtOrigin;  // a "0" printed beside each axis at the corner
};

const KiChartLayout& layoutOf(KiChart chart)
{
    static const KiChartLayout limbDip{
        {-20, 1.1, 100, -0.3}, 90, {-15, 0.9}, "翼倾角alfa(度)", {50, -0.15}, " Alfa=", "#0.0",
        {5, -0.15}, 1, 10, -2, -10, 1, 9, 10, 5, 1, true};
    static const KiChartLayout shortening{
        {-20, 1.1, 100, -0.3}, 90, {-15, 0.9}, "缩短率s%", {60, -0.15}, " S=", "#0.0%",
        {5, -0.15}, 0, 10, -2, -10, 0, 9, 10, 5, 1, false};
    static const KiChartLayout lengthToThickness{
        {-3, 1.1, 24, -0.3}, 21, {-2.5, 0.95}, "主波长厚度比L/h", {12, -0.15}, " L/h=", "#0.0",
        {3, -0.15}, 0, 10, -0.5, -2, 0, 7, 3, 0.5, 0.25, false};
    switch (chart) {
    case KiChart::AgainstLimbDip: return limbDip;
    case KiChart::AgainstShortening: return shortening;
    case KiChart::AgainstLengthToThickness: break;
    }
    return lengthToThickness;
}

// The measured value as the chart's value label shows it, and where the marker
// stands on the x axis (the shortening in percent).
struct MeasuredValue {
    float labelValue;
    double x;
};

MeasuredValue measuredValue(KiChart chart, const FoldShape& shape)
{
    switch (chart) {
    case KiChart::AgainstLimbDip: return {shape.limbDip, shape.limbDip};
    case KiChart::AgainstShortening: return {shape.shortening, shape.shortening * 100.0f};
    case KiChart::AgainstLengthToThickness: break;
    }
    return {shape.lengthToThickness, shape.lengthToThickness};
}

void printAt(Drawing& d, Point at, std::string text)
{
    TextItem item;
    item.at = at;
    item.text = std::move(text);
    d.add(item);
}

} // namespace

std::vector<ReferenceCurve> referenceCurves(KiChart chart)
{
    switch (chart) {
    case KiChart::AgainstLimbDip:
        return {
            {1, LineStyle::Dot, {{20, 0.49}, {30, 0.495}, {40, 0.5}, {50, 0.51}, {60, 0.527}, {70, 0.558}, {80, 0.592}}},
            {3, LineStyle::Dash, {{10, 0.54}, {20, 0.558}, {30, 0.567}, {40, 0.585}, {50, 0.608}, {60, 0.644}, {70, 0.673}}},
            {10, LineStyle::Solid, {{10, 0.625}, {20, 0.665}, {30, 0.673}, {40, 0.683}, {50, 0.712}, {60, 0.742}, {70, 0.769}}},
        };
    case KiChart::AgainstShortening:
        return {
            {1, LineStyle::Dot, {{10, 0.52}, {20, 0.5}, {30, 0.52}, {50, 0.62}, {60, 0.68}, {70, 0.76}}},
            {3, LineStyle::Dash, {{10, 0.55}, {20, 0.59}, {30, 0.62}, {40, 0.66}, {50, 0.7}, {60, 0.74}}},
            {10, LineStyle::Solid, {{10, 0.66}, {20, 0.71}, {30, 0.72}, {40, 0.76}, {50, 0.8}, {60, 0.81}}},
        };
    case KiChart::AgainstLengthToThickness: break;
    }
    return {
        {1, LineStyle::Dot, {{2.5, 0.25}, {9.3, 0.55}, {15.52, 0.59}}},
        {3, LineStyle::Dash, {{0.36, 0.23}, {9.65, 0.63}, {17.18, 0.68}}},
        {10, LineStyle::Solid, {{3.57, 0.2}, {10.42, 0.73}, {16.93, 0.79}}},
    };
}

RheometerChart curvatureIndexChart(KiChart chart, const FoldShape& shape)
{
    const KiChartLayout& l = layoutOf(chart);
    const MeasuredValue measured = measuredValue(chart, shape);
    RheometerChart out;
    out.scale = l.scale;
    Drawing& d = out.drawing;

    d.add(PolygonItem{{{0, 1}, {l.boxRight, 1}, {l.boxRight, 0}, {0, 0}}, {}, std::nullopt});
    printAt(d, l.kiTitleAt, "ki");
    printAt(d, l.xTitleAt, l.xTitle);
    printAt(d, l.valueAt,
            "Ki=" + formatMaskSingle(shape.curvatureIndex, "#0.00") + l.valueLabel
                + formatMaskSingle(measured.labelValue, l.valueMask));
    if (l.zerosAtOrigin)
        printAt(d, {-10, 0.05}, printText(0));
    for (int i = l.firstYTick; i <= l.lastYTick; ++i) {
        const double ki = i / 10.0;
        d.add(LineItem{{0, ki}, {l.yTickEndX, ki}, {}});
        if (i % 2 == 0)
            printAt(d, {l.yLabelX, ki + 0.05}, formatMask(ki, "#0.0"));
    }
    if (l.zerosAtOrigin)
        printAt(d, {-5, -0.05}, printText(0));
    for (int i = l.firstXTick; i <= l.lastXTick; ++i) {
        const double x = l.xStep * i;
        d.add(LineItem{{x, 0}, {x, -0.05}, {}});
        if (i % 2 == 0)
            printAt(d, {x - l.xLabelShift, -0.05}, formatMask(x, "#0.0"));
    }
    for (ReferenceCurve& curve : referenceCurves(chart))
        d.add(PolylineItem{std::move(curve.points), {colours::black, 1, curve.style}});
    d.add(CircleItem{{measured.x, shape.curvatureIndex}, l.markerRadius, {}, std::nullopt});
    return out;
}

} // namespace kv

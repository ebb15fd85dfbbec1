#include "fold/core/rheometer_chart.h"
#include "fold/core/rheometer_ki_chart.h"
#include "fold/core/rheometer_legend.h"
#include "fold/core/rheometer_profile_chart.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kv {
namespace {

// The sine fold of the worked example, as its analysis leaves it.
FoldShape sineFold()
{
    FoldShape s;
    s.profile = {1.0f, 0.0f, 0.0f};
    s.limbDip = 45.0f;
    s.shortening = 0.2f;
    s.lengthToThickness = 20.0f;
    s.curvatureIndex = 0.7486f;
    return s;
}

std::vector<std::string> textsOf(const Drawing& d)
{
    std::vector<std::string> out;
    for (const TextItem& t : d.all<TextItem>())
        out.push_back(t.text);
    return out;
}

bool hasTextAt(const Drawing& d, const std::string& text, Point at)
{
    for (const TextItem& t : d.all<TextItem>())
        if (t.text == text && t.at && std::fabs(t.at->x - at.x) < 1e-9 && std::fabs(t.at->y - at.y) < 1e-9)
            return true;
    return false;
}

TEST(ProfileChart, SeriesLabelJoinsOnlyPositiveCoefficientsWithPlus)
{
    const struct {
        FoldProfile p;
        const char* label;
    } cases[] = {
        {{1.2f, -0.1f, 0.05f}, "F=1.20sin(x)-0.10sin(3x)+0.05sin(5x)"},
        {{1.2f, 0.2f, -0.05f}, "F=1.20sin(x)+0.20sin(3x)-0.05sin(5x)"},
        {{0, 0, 0}, "F=0.00sin(x)0.00sin(3x)0.00sin(5x)"},
        {{2.488f, -0.3333f, 0.1786f}, "F=2.49sin(x)-0.33sin(3x)+0.18sin(5x)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(profileSeriesLabel(c.p), c.label);
}

TEST(ProfileChart, SineProfileAndItsCurvatureReachTheUnitMarkOppositely)
{
    const RheometerChart chart = profileCurvatureChart(sineFold());
    const auto curves = chart.drawing.all<PolylineItem>();
    ASSERT_EQ(curves.size(), 2u);
    const PolylineItem& curvature = curves[0];
    const PolylineItem& profile = curves[1];
    EXPECT_EQ(curvature.stroke.colour, colours::blue);
    EXPECT_EQ(profile.stroke.colour, colours::black);
    for (const PolylineItem* curve : {&curvature, &profile}) {
        ASSERT_EQ(curve->points.size(), 362u); // from the origin, then 0..360 degrees
        EXPECT_EQ(curve->points[0], (Point{0, 0}));
        EXPECT_EQ(curve->points[91].x, 90);
    }
    // Point i + 1 lies at x = i degrees.
    EXPECT_NEAR(profile.points[91].y, 120, 1e-9);
    EXPECT_NEAR(profile.points[271].y, -120, 1e-9);
    EXPECT_NEAR(curvature.points[91].y, -120, 1e-3);
    EXPECT_NEAR(curvature.points[271].y, 120, 1e-9);

    EXPECT_TRUE(hasTextAt(chart.drawing, " 0 ", {-15, -160}));
    EXPECT_TRUE(hasTextAt(chart.drawing, " 360 ", {345, -160}));
    EXPECT_TRUE(hasTextAt(chart.drawing, "-1.25", {-48, -140}));
    EXPECT_TRUE(hasTextAt(chart.drawing, "0.00", {-48, 10}));
    EXPECT_TRUE(hasTextAt(chart.drawing, "1.00", {-48, 130}));
    EXPECT_TRUE(hasTextAt(chart.drawing, "Ki=0.75", {160, -190}));
    EXPECT_TRUE(hasTextAt(chart.drawing, "F=1.00sin(x)0.00sin(3x)0.00sin(5x)", {10, 210}));
}

TEST(ProfileChart, FlatProfileDrawsFlatLinesAtZero)
{
    const auto curves = profileCurvatureChart(FoldShape{}).drawing.all<PolylineItem>();
    ASSERT_EQ(curves.size(), 2u);
    for (const PolylineItem& curve : curves)
        for (const Point& p : curve.points)
            ASSERT_EQ(p.y, 0) << p.x;
}

TEST(KiChart, LimbDipChartDrawsItsThreeModelCurves)
{
    const Drawing d = curvatureIndexChart(KiChart::AgainstLimbDip, sineFold()).drawing;
    const auto curves = d.all<PolylineItem>();
    ASSERT_EQ(curves.size(), 3u);
    const struct {
        LineStyle style;
        std::vector<Point> points;
    } expected[] = {
        {LineStyle::Dot, {{20, .49}, {30, .495}, {40, .5}, {50, .51}, {60, .527}, {70, .558}, {80, .592}}},
        {LineStyle::Dash, {{10, .54}, {20, .558}, {30, .567}, {40, .585}, {50, .608}, {60, .644}, {70, .673}}},
        {LineStyle::Solid, {{10, .625}, {20, .665}, {30, .673}, {40, .683}, {50, .712}, {60, .742}, {70, .769}}},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(curves[i].stroke.style, expected[i].style) << i;
        EXPECT_EQ(curves[i].points, expected[i].points) << i;
    }
    // Axis labels 0.2 to 1.0 and 20.0 to 80.0, and a zero beside each axis.
    const std::vector<std::string> texts = textsOf(d);
    const std::vector<std::string> expectedTexts{"ki", "翼倾角alfa(度)", "Ki=0.75 Alfa=45.0", " 0 ", "0.2",
                                                 "0.4", "0.6", "0.8", "1.0", " 0 ", "20.0", "40.0", "60.0",
                                                 "80.0"};
    EXPECT_EQ(texts, expectedTexts);
    EXPECT_TRUE(hasTextAt(d, "0.2", {-10, 0.25}));
    EXPECT_TRUE(hasTextAt(d, "20.0", {15, -0.05}));
}

TEST(KiChart, EachChartMarksTheMeasuredFold)
{
    const struct {
        KiChart chart;
        Point centre;
        double radius;
        const char* value;
        const char* firstXLabel;
        const char* lastXLabel;
    } cases[] = {
        {KiChart::AgainstLimbDip, {45, 0.7486}, 1, "Ki=0.75 Alfa=45.0", "20.0", "80.0"},
        {KiChart::AgainstShortening, {20, 0.7486}, 1, "Ki=0.75 S=20.0%", "0.0", "80.0"},
        {KiChart::AgainstLengthToThickness, {20, 0.7486}, 0.25, "Ki=0.75 L/h=20.0", "0.0", "18.0"},
    };
    for (const auto& c : cases) {
        const Drawing d = curvatureIndexChart(c.chart, sineFold()).drawing;
        const auto markers = d.all<CircleItem>();
        ASSERT_EQ(markers.size(), 1u);
        EXPECT_NEAR(markers[0].centre.x, c.centre.x, 1e-5);
        EXPECT_NEAR(markers[0].centre.y, c.centre.y, 1e-6);
        EXPECT_EQ(markers[0].radius, c.radius);
        const auto texts = textsOf(d);
        EXPECT_EQ(texts[2], c.value);
        EXPECT_EQ(texts[texts.size() - (c.chart == KiChart::AgainstShortening ? 5 : 4)], c.firstXLabel);
        EXPECT_EQ(texts.back(), c.lastXLabel);
    }
}

TEST(RheometerViews, OnlyTheLegendViewShowsTheLegendOnAClearedPicture)
{
    for (const RheometerChartOption& option : rheometerChartOptions()) {
        const RheometerChart chart = rheometerChart(option.view, sineFold());
        const bool legend = option.view == RheometerView::Legend;
        EXPECT_EQ(chart.showLegend, legend) << option.caption;
        EXPECT_EQ(chart.drawing.items.empty(), legend) << option.caption;
    }
    const auto lines = wrapToColumns(rheometerLegendControls()[0].text, 38);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "应力指数估测是实测数据点与Varlenko等的");
    EXPECT_EQ(wrapToColumns("ab Varlenko", 5), (std::vector<std::string>{"ab ", "Varlenko"}));
}

} // namespace
} // namespace kv

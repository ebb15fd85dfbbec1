#include "strain/core/count_curve_fit.h"

#include "strain/core/count_curve_plot.h"
#include "strain/core/strain_ellipse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace kv {
namespace {

// Count table rows 1 to 19 (0 to 180 degrees by 10); counts from a known
// curve of the angle in tens of degrees.
CellText countTable(const std::function<double(double)>& countAt)
{
    return [=](int row, int column) -> std::string {
        if (row < 1 || row > 19)
            return "";
        return column == 1 ? std::to_string((row - 1) * 10) : std::to_string(countAt(row - 1));
    };
}

// Fewest boundaries at 30 degrees (151.5), most at 120 degrees (516).
double cubicCounts(double x) { return -x * x * x + 22.5 * x * x - 108 * x + 300; }

TEST(CountCurveFit, FindsTheLastExtremesOfAnAnalyticCountTable)
{
    const struct {
        const char* name;
        std::function<double(double)> counts;
        int degree;
        double maxangle, maxvalue, minangle, minvalue;
    } cases[] = {
        {"cubic", cubicCounts, 3, 120, 516, 30, 151.5},
        // Minima at 40 and 140 degrees: the later one is reported.
        {"two minima", [](double x) { return x * x * x * x - 36 * x * x * x + 436 * x * x - 2016 * x + 5000; },
         4, 90, 2489, 140, 1864},
        {"straight line: none", [](double x) { return 100 + 2 * x; }, 1, 0, 100, 0, 100},
    };
    for (const auto& c : cases) {
        const auto fit = fitCountCurve(countTable(c.counts), {13, 10}, c.degree);
        const CountCurveExtremes& e = std::get<CountCurve>(fit).extremes;
        EXPECT_NEAR(e.maxangle, c.maxangle, 1e-9) << c.name;
        EXPECT_NEAR(e.maxvalue, c.maxvalue, 1e-6) << c.name;
        EXPECT_NEAR(e.minangle, c.minangle, 1e-9) << c.name;
        EXPECT_NEAR(e.minvalue, c.minvalue, 1e-3) << c.name;
    }
}

TEST(CountCurveFit, FitsRowsUpTo170AndPlotsEveryRowTo180)
{
    const CellText table = countTable(cubicCounts);
    EXPECT_EQ(countFitPoints(table, {13, 10}).size(), 18u);
    const Drawing plot = std::get<CountCurve>(fitCountCurve(table, {13, 10}, 3)).plot;
    int blueLines = 0;
    for (const LineItem& line : plot.all<LineItem>())
        blueLines += line.stroke.colour == colours::blue;
    EXPECT_EQ(blueLines, 2 * 19); // a cross per row, 180 degrees included
    EXPECT_EQ(plot.all<PolylineItem>().at(0).points.size(), 1u + 181u); // pen start, x = 0 to just below 18
    const auto texts = plot.all<TextItem>();
    EXPECT_EQ(texts[texts.size() - 2].text, "角度: 120     最大:516.00");
    EXPECT_EQ(texts.back().text, "角度: 30      最小:151.50");
}

TEST(CountCurveFit, DegreeChecksFollowTheLineCountThenThePoints)
{
    const struct {
        const char* text;
        float nlines;
        std::size_t points;
        FitDegreeCheck check;
    } cases[] = {
        {"13", 13, 18, FitDegreeCheck::Accepted},   {"14", 13, 18, FitDegreeCheck::OutOfBounds},
        {"0", 13, 18, FitDegreeCheck::OutOfBounds}, {"2.5", 13, 18, FitDegreeCheck::NotWhole},
        {"13", 13, 13, FitDegreeCheck::NotBelowPointCount},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkFitDegree(c.text, {c.nlines, 10}, c.points), c.check) << c.text;
}

TEST(CountCurvePlot, CountAxisBaseTicksAndLabels)
{
    const struct {
        const char* name;
        double low, high; // smallest and largest count
        double unit;
        int base, tickStep;
        std::vector<std::string> firstLabels;
    } cases[] = {
        {"57.4 becomes 50", 97.4, 157.4, 1, 50, 5, {" 50 ", " 60 ", " 70 "}},
        {"-13 becomes 0", 27, 87, 1, 0, 5, {" 0 ", " 10 ", " 20 "}},
        {"no range", 40, 40, 1, 0, 5, {" 0 ", " 10 ", " 20 "}},
        // 5 / 1.8 rounds to 3: the labels say the counts at their ticks, 10.8 apart.
        {"step not whole", 105, 213, 1.8, 30, 3, {" 30 ", " 41 ", " 52 "}},
        // A large photograph: the base follows the counts, the ticks stand one
        // unit apart and every sixth one is labelled.
        {"above 10000", 30000, 36000, 100, 26000, 1, {" 26000 ", " 26600 ", " 27200 "}},
    };
    for (const auto& c : cases) {
        const CellText table = countTable([&](double x) { return x == 5 ? c.high : c.low; });
        const CountAxis axis = countAxis(table, {13, 10});
        EXPECT_DOUBLE_EQ(axis.unit, c.unit) << c.name;
        EXPECT_EQ(axis.base, c.base) << c.name;
        EXPECT_EQ(axis.tickStep, c.tickStep) << c.name;
        const auto texts = countCurvePlot(table, {13, 10}, Polynomial{{c.low}}, {}).all<TextItem>();
        for (std::size_t i = 0; i < c.firstLabels.size(); ++i)
            EXPECT_EQ(texts.at(i).text, c.firstLabels[i]) << c.name;
    }
}

TEST(StrainEllipse, RatioAndDirectionFromTheCurve)
{
    const auto fit = std::get<CountCurve>(fitCountCurve(countTable(cubicCounts), {13, 10}, 3));
    const Drawing d = std::get<Drawing>(strainEllipseDrawing(fit.extremes));
    const auto texts = d.all<TextItem>();
    EXPECT_EQ(texts.at(0).text, "椭圆 a/c =3.41"); // 516 / 151.5
    EXPECT_EQ(texts.at(1).text, "长轴方向: 30 ");
    // Through (80 cos 30, 80 sin 30) and, a quarter turn on, at 80 / 3.406 from the centre.
    const auto outline = d.all<PolylineItem>().at(0).points;
    EXPECT_NEAR(outline[1].x, 69.282, 1e-3);
    EXPECT_NEAR(outline[1].y, 40.0, 1e-3);
    EXPECT_NEAR(std::hypot(outline[91].x, outline[91].y), 80 / (516 / 151.5), 1e-3);

    EXPECT_EQ(std::get<StrainEllipseRefusal>(strainEllipseDrawing(std::nullopt)), StrainEllipseRefusal::NoFit);
    CountCurveExtremes zero;
    zero.maxvalue = 5;
    EXPECT_EQ(std::get<StrainEllipseRefusal>(strainEllipseDrawing(zero)), StrainEllipseRefusal::NonPositiveMinimum);
}

} // namespace
} // namespace kv

#include "strain/core/count_curve_fit.h"

#include "platform/text/number_text.h"
#include "strain/core/count_curve_plot.h"

#include <cmath>

namespace kv {

FitDegreeCheck checkFitDegree(std::string_view degreeText, const CountSettings& settings,
                              std::size_t pointCount)
{
    const double degree = leadingNumber(degreeText);
    if (degree < 1 || degree >= static_cast<double>(settings.nlines) + 1)
        return FitDegreeCheck::OutOfBounds;
    if (degree != std::floor(degree))
        return FitDegreeCheck::NotWhole;
    if (degree >= static_cast<double>(pointCount))
        return FitDegreeCheck::NotBelowPointCount;
    return FitDegreeCheck::Accepted;
}

Notice fitDegreeNotice(FitDegreeCheck check)
{
    switch (check) {
    case FitDegreeCheck::NotWhole:
        return {"拟合次数应为整数，请重新选择！", "提示"};
    case FitDegreeCheck::NotBelowPointCount:
        return {"拟合次数应小于数据点数，请重新选择！", "提示"};
    case FitDegreeCheck::Accepted:
    case FitDegreeCheck::OutOfBounds:
        break;
    }
    return {"", "提示"};
}

Notice singularFitNotice() { return {"遇到非线性方程组，失败！", "提示"}; }

std::vector<FitPoint> countFitPoints(const CellText& cell, const CountSettings& settings)
{
    std::vector<FitPoint> points;
    const float lastRow = 180.0f / settings.turnangle;
    for (int row = 1; row <= kCountTableLastRow && row <= lastRow; ++row) {
        const float angle = static_cast<float>(leadingNumber(cell(row, 1)));
        points.push_back({angle / 10.0f, leadingNumber(cell(row, 2))});
    }
    return points;
}

std::vector<double> countCurveSamples()
{
    std::vector<double> samples;
    for (double x = 0; x <= 18; x += 0.1)
        samples.push_back(x);
    return samples;
}

CountCurveExtremes scanCountCurve(const Polynomial& curve)
{
    CountCurveExtremes e;
    e.maxvalue = curve(0);
    e.minvalue = static_cast<float>(curve(0));
    const std::vector<double> samples = countCurveSamples();
    // The first and last samples (0 and 18 degrees x 10) are ends, never extremes.
    for (std::size_t s = 1; s + 1 < samples.size(); ++s) {
        const double x = samples[s];
        const double here = curve(x), before = curve(x - 0.1), after = curve(x + 0.1);
        if (here > before && here > after) {
            e.maxvalue = here;
            e.maxangle = 10 * x;
        }
        if (here < before && here < after) {
            e.minvalue = static_cast<float>(here);
            e.minangle = 10 * x;
        }
    }
    return e;
}

std::variant<CountCurve, PolyFitFailure> fitCountCurve(const CellText& cell, const CountSettings& settings,
                                                       int degree)
{
    auto fit = polyFit(countFitPoints(cell, settings), degree);
    if (auto* failure = std::get_if<PolyFitFailure>(&fit))
        return *failure;
    CountCurve result;
    result.curve = std::get<Polynomial>(std::move(fit));
    result.extremes = scanCountCurve(result.curve);
    result.plot = countCurvePlot(cell, settings, result.curve, result.extremes);
    return result;
}

} // namespace kv

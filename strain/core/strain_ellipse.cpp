#include "strain/core/strain_ellipse.h"

#include "platform/text/number_text.h"

#include <cmath>

namespace kv {

namespace {

constexpr double kEllipsePi = 3.1415926;

void addLine(Drawing& d, double x1, double y1, double x2, double y2, Colour colour = colours::black)
{
    d.add(LineItem{{x1, y1}, {x2, y2}, {colour, 1}});
}

} // namespace

Notice strainEllipseNotice(StrainEllipseRefusal refusal)
{
    switch (refusal) {
    case StrainEllipseRefusal::NoFit:
        return {"请先完成曲线拟合！", "提示"};
    case StrainEllipseRefusal::NonPositiveMinimum:
        return {"拟合曲线的最小值不大于0，无法求应变椭圆！", "提示"};
    }
    return {};
}

double strainEllipseRatio(const CountCurveExtremes& extremes)
{
    return extremes.maxvalue / static_cast<double>(extremes.minvalue);
}

std::variant<Drawing, StrainEllipseRefusal> strainEllipseDrawing(const std::optional<CountCurveExtremes>& fit)
{
    if (!fit)
        return StrainEllipseRefusal::NoFit;
    if (!(fit->minvalue > 0))
        return StrainEllipseRefusal::NonPositiveMinimum;

    const double theta = fit->minangle * kEllipsePi / 180;
    const double a = 80;
    const double ratio = strainEllipseRatio(*fit);
    const double b = a / ratio;
    const double c = std::cos(theta), s = std::sin(theta);

    Drawing d;
    addLine(d, -100, 0, 100, 0);
    addLine(d, 0, -100, 0, 100);
    addLine(d, 0, 100, 6, 94);
    addLine(d, 0, 100, -6, 94);
    addLine(d, 100, 0, 94, 6);
    addLine(d, 100, 0, 94, -6);

    PolylineItem outline;
    outline.stroke = {colours::red, 1};
    outline.points.push_back({a * c, a * s});
    for (int t = 0; t <= 360; ++t) {
        const double u = t * kEllipsePi / 180;
        const double x = a * std::cos(u), y = b * std::sin(u);
        outline.points.push_back({c * x - s * y, s * x + c * y});
    }
    d.add(std::move(outline));
    addLine(d, a * c, a * s, -a * c, -a * s, colours::red);

    d.add(TextItem{Point{-100, 140}, "椭圆 a/c =" + formatMask(ratio, "##.00")});
    const auto direction = roundHalfEven(fit->minangle).value_or(0);
    d.add(TextItem{Point{-100, 120}, "长轴方向:" + printText(direction)});
    return d;
}

} // namespace kv

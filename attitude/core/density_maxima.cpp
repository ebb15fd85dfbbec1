#include "attitude/core/density_maxima.h"

#include "platform/text/number_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kv {

DensityMaximum densityMaximumOfTrace(const NetState& state, const std::vector<TracePoint>& trace)
{
    if (trace.empty())
        return {};
    int xmin = trace[0].x, xmax = trace[0].x, ymin = trace[0].y, ymax = trace[0].y;
    for (const TracePoint& p : trace) {
        xmin = std::min(xmin, p.x);
        xmax = std::max(xmax, p.x);
        ymin = std::min(ymin, p.y);
        ymax = std::max(ymax, p.y);
    }
    const float s = state.net.gridStep;
    const float radius = state.net.netRadius;
    auto node = [](float v) { return static_cast<int>(std::floor(v)); };
    const int firstColumn = node((static_cast<float>(xmin) + radius) / s);
    const int lastColumn = node((static_cast<float>(xmax) + radius) / s);
    const int firstRow = node((radius - static_cast<float>(ymax)) / s);
    const int lastRow = node((radius - static_cast<float>(ymin)) / s);

    float best = 0, bestX = 0, bestY = 0;
    int ties = 0;
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (row < 0 || row >= kGridNodes || column < 0 || column >= kGridNodes)
                continue; // traced points lie on the grid: never outside it
            const float value = state.density(row, column);
            const float x = static_cast<float>(column) * s - radius;
            const float y = radius - static_cast<float>(row) * s;
            if (value > best) {
                best = value;
                bestX = x;
                bestY = y;
                ties = 0;
            } else if (value == best) {
                ties += 1;
                bestX = bestX + x;
                bestY = bestY + y;
            }
        }
    return {bestX / static_cast<float>(ties + 1), bestY / static_cast<float>(ties + 1), best};
}

void sortMaxima(std::vector<DensityMaximum>& maxima)
{
    for (std::size_t i = 0; i + 1 < maxima.size(); ++i)
        for (std::size_t j = i + 1; j < maxima.size(); ++j)
            if (maxima[i].value < maxima[j].value)
                std::swap(maxima[i], maxima[j]);
}

std::string maximumText(const NetConstants& net, Projection rule, const DensityMaximum& maximum)
{
    if (!(maximum.value > 0))
        return std::string();
    const NetAttitude a = attitudeAtNetPoint(net, rule, maximum.x, maximum.y);
    return formatMaskSingle(a.azimuth, "0.00") + "/" + formatMaskSingle(a.angle, "0.00");
}

} // namespace kv

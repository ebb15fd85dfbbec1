#include "strain/core/curvature_drawing.h"

namespace kv {

Drawing curvatureDrawing(const std::vector<LocalFit>& fits)
{
    Drawing drawing;
    drawing.items.reserve(2 * fits.size());
    for (const LocalFit& fit : fits) {
        drawing.add(PolylineItem{curvePoints(fit), Stroke{colours::red}});
        drawing.add(CircleItem{Point{static_cast<double>(fit.start.x), static_cast<double>(fit.start.y)},
                               fit.curvature, Stroke{colours::green}, std::nullopt});
    }
    return drawing;
}

} // namespace kv

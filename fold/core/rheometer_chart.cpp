#include "fold/core/rheometer_chart.h"

#include "fold/core/rheometer_ki_chart.h"
#include "fold/core/rheometer_profile_chart.h"

namespace kv {

const std::array<RheometerChartOption, 5>& rheometerChartOptions()
{
    static const std::array<RheometerChartOption, 5> options{{
        {RheometerView::ProfileAndCurvature, "Option1", "形态与曲率", 480},
        {RheometerView::KiAgainstLimbDip, "Option2", "ki-alfa", 900},
        {RheometerView::KiAgainstShortening, "Option3", "ki-s", 1320},
        {RheometerView::KiAgainstLengthToThickness, "Option4", "ki-L/h", 1740},
        {RheometerView::Legend, "Option5", "图例说明", 2160},
    }};
    return options;
}

RheometerChart rheometerChart(RheometerView view, const FoldShape& shape)
{
    switch (view) {
    case RheometerView::ProfileAndCurvature: return profileCurvatureChart(shape);
    case RheometerView::KiAgainstLimbDip: return curvatureIndexChart(KiChart::AgainstLimbDip, shape);
    case RheometerView::KiAgainstShortening: return curvatureIndexChart(KiChart::AgainstShortening, shape);
    case RheometerView::KiAgainstLengthToThickness:
        return curvatureIndexChart(KiChart::AgainstLengthToThickness, shape);
    case RheometerView::Legend: break;
    }
    // The legend view is the cleared picture with the legend controls over it;
    // the scale stays in pixels for a window that paints the legend itself.
    RheometerChart legend;
    legend.scale = {0, 0, kRheometerPicturePixels, kRheometerPicturePixels};
    legend.showLegend = true;
    return legend;
}

} // namespace kv

// The rheometer's picture: five views chosen by the option buttons of its
// analysis panel, each a drawing on its own user scale of the 300 x 300 pixel
// picture, which is cleared before every view.
#pragma once

#include "fold/core/rheometer_analysis.h"
#include "platform/draw/drawing.h"

#include <array>

namespace kv {

inline constexpr int kRheometerPicturePixels = 300;

// A picture box scale: (left, top) is the top-left corner, (right, bottom) the
// bottom-right one; y grows upwards on every rheometer chart.
struct ChartScale {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

struct RheometerChart {
    ChartScale scale;
    Drawing drawing;
    // The legend's labels and lines (rheometer_legend.h) are shown over the
    // picture in the legend view only.
    bool showLegend = false;
};

enum class RheometerView {
    ProfileAndCurvature, // the fitted profile and its curvature over one wavelength
    KiAgainstLimbDip,
    KiAgainstShortening,
    KiAgainstLengthToThickness,
    Legend,
};

// One option button of the panel: its object name, caption and top (twips
// from the panel's top; every button is 240 twips from its left, 1215 wide).
struct RheometerChartOption {
    RheometerView view;
    const char* objectName;
    const char* caption;
    int topTwips;
};

// The five buttons in the panel's order; the first is selected when the window
// opens and again by every analysis.
const std::array<RheometerChartOption, 5>& rheometerChartOptions();

// The view of an option button for the window's values.
RheometerChart rheometerChart(RheometerView view, const FoldShape& shape);

} // namespace kv

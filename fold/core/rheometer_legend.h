// The legend of the curvature-index charts: labels, sample lines and a circle
// that sit on the rheometer's picture and are shown only in the legend view.
// They are controls over the picture, not part of its image: a saved or
// printed picture of the legend view is the cleared picture.
#pragma once

#include "platform/draw/drawing.h"

#include <array>
#include <string>
#include <vector>

namespace kv {

struct LegendControl {
    enum class Kind { Label, Line, Circle };
    const char* objectName;
    Kind kind;
    const char* text;   // labels only
    LineStyle style;    // lines only
    // Twips from the picture's top-left corner. A line runs from (left, top)
    // to (left + width, top + height); a circle fills the middle of its box
    // with the box's smaller side as diameter.
    int left, top, width, height;
    int textLines; // labels: lines of text the label is high
};

// Label3 to Label10, Line1 to Line3 and Shape1, in the order the window shows
// and hides them.
const std::array<LegendControl, 12>& rheometerLegendControls();

// A text broken into lines no wider than `columns` print columns (a Chinese
// character takes two), between characters, never inside a run of Latin
// letters and digits.
std::vector<std::string> wrapToColumns(const std::string& utf8, int columns);

// The legend as a drawing on the pixel scale of the picture, for a window that
// paints it over the picture (or to look at it): twips become pixels at
// twipsPerPixel, the text of a label of several lines wraps at an average of
// columnPixels pixels per print column.
Drawing rheometerLegendDrawing(double twipsPerPixel = 15.0, double columnPixels = 6.0);

} // namespace kv

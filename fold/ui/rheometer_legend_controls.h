// The legend of the rheometer's curvature-index charts as controls that sit on
// the picture: labels, three sample lines and the measured-point circle. They
// lie over the picture's image, not in it, so a saved or printed legend view
// is the cleared picture.
#pragma once

#include <vector>

class QWidget;

namespace kv {

// Adds the controls (Label3..Label10, Line1..Line3, Shape1) to the picture,
// hidden, and returns them in the order they are shown and hidden.
std::vector<QWidget*> addRheometerLegendControls(QWidget* picture);

} // namespace kv

// Draws what the test-side reader rebuilt from a script, as the CAD program
// would show it on a white sheet: layer colours, dashed line types, texts
// placed by their justification. Only for looking at and for coarse checks.
#pragma once

#include "tests/support/cad_script_reader.h"

#include <QImage>

namespace zq::test {

// pixelsPerUnit pixels per drawing unit over the drawing's limits.
QImage renderCadDrawing(const kv::test::CadDrawing& drawing, double pixelsPerUnit);

// The pixel of a drawing point in that picture.
QPoint cadPixel(const kv::test::CadDrawing& drawing, double pixelsPerUnit, double x, double y);

} // namespace zq::test

// The result plot of the curvature pass, in the picture's pixel coordinates
// (x to the right, y downward): per fitted start pixel a red chain along the
// fitted curve and a green circle round the pixel whose radius, in pixels,
// is the curvature value.
#pragma once

#include "platform/draw/drawing.h"
#include "strain/core/local_curvature.h"

#include <vector>

namespace kv {

Drawing curvatureDrawing(const std::vector<LocalFit>& fits);

} // namespace kv

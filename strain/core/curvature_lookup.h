// What a click on the picture shows: the listed curvature near the pointer.
#pragma once

#include "strain/core/curvature_pass.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// The first row whose point lies strictly less than 2 pixels from the pointer
// in both directions. The pointer is in picture pixels with y downward; the
// rows hold the height above the bottom edge of a picture pictureHeight
// pixels high. Values are read back from the row texts in single precision,
// as the table holds them.
std::optional<std::size_t> findListedCurvature(const std::vector<CurvatureRow>& rows, double pointerX,
                                               double pointerY, double pictureHeight);

// The status text for a click: "曲率:" and the row's curvature as "0.00", or
// "曲率：" (full-width colon) when no listed point is that near.
std::string curvatureReadout(const std::vector<CurvatureRow>& rows, double pointerX, double pointerY,
                             double pictureHeight);

} // namespace kv

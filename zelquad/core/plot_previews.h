// The plots as the screen shows them, in twips (y down): the result window at
// full size, the dialog's small picture at half size. Text is placed as it
// always was, by a white dot at its top-left corner.
#pragma once

#include "platform/draw/drawing.h"
#include "zelquad/core/density_contours.h"
#include "zelquad/core/fracture_statistics.h"

#include <vector>

namespace zq {

// Inner area the result window's drawing needs, and the dialog's picture.
constexpr int kResultWidthTwips = 7700;
constexpr int kResultHeightTwips = 6400;
constexpr int kSmallPreviewWidthTwips = 3650;
constexpr int kSmallPreviewHeightTwips = 2800;

// A point of the sheet (drawing units) on the result window: the net centre
// (70, 80) falls on (2300, 1800) twips and its radius 40 on 1600 twips.
kv::Point resultWindowPoint(const kv::Point& sheet);

// The dialog's picture: every pole as it was read, then the frames of the net,
// the two roses and the histogram, the petals and the bars.
kv::Drawing smallPreview(const CheckedRecords& records, const FractureStatistics& st);

// The result window: density net with its contour lines, strike half-rose,
// dip-direction rose and dip histogram, each with its frame and caption.
kv::Drawing resultPreview(const FractureStatistics& st, const std::vector<ContourLine>& contours);

} // namespace zq

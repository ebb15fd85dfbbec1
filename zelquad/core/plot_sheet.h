// The whole script of one drawing sheet, block by block: title, density net
// with its scale bar and contours, strike half-rose, grouping table,
// dip-direction rose, dip histogram, captions, frame.
#pragma once

#include "zelquad/core/density_contours.h"
#include "zelquad/core/fracture_statistics.h"

#include <string>
#include <vector>

namespace zq {

std::vector<std::string> plotSheetScript(const std::string& site, const FractureStatistics& st,
                                         const std::vector<ContourLine>& contours);

} // namespace zq

// The upper left of the sheet: title block, the pole density net with its
// compass letters and its equal-area dip scale.
#pragma once

#include "zelquad/core/cad_script.h"

#include <string>

namespace zq {

void writeTitleBlock(CadScript& script, const std::string& site, int recordCount);
void writeNetOutline(CadScript& script);
void writeNetLabels(CadScript& script);
void writeDipScaleBar(CadScript& script);

} // namespace zq

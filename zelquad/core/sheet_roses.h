// The right upper and left lower parts of the sheet: the strike half-rose with
// its grouping table and the dip-direction rose.
#pragma once

#include "zelquad/core/cad_script.h"
#include "zelquad/core/fracture_statistics.h"

namespace zq {

// Frame, rim ticks and azimuth labels, dashed radii, outline.
void writeStrikeRose(CadScript& script, const FractureStatistics& st);
// Mean strike and count of every class, classes 0..8 on the left, 9..17 on the right.
void writeStrikeTable(CadScript& script, const FractureStatistics& st);
void writeDipDirectionRose(CadScript& script, const FractureStatistics& st);

} // namespace zq

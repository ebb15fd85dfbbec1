// The right upper and left lower parts of the sheet: the strike half-rose with
// its grouping table and the dip-direction rose.
#pragma once

#include "zelquad/core/cad_script.h"
#include "zelquad/core/fracture_statistics.h"

namespace zq {

// Petal tip of strike class b (0..18) and dip-direction class d (1..36), in
// drawing units; an empty class has its tip at the rose centre.
kv::Point strikePetalTip(const FractureStatistics& st, int b);
kv::Point dipDirectionPetalTip(const FractureStatistics& st, int d);

// Frame, rim ticks and azimuth labels, dashed radii, outline.
void writeStrikeRose(CadScript& script, const FractureStatistics& st);
// Mean strike and count of every class, classes 0..8 on the left, 9..17 on the right.
void writeStrikeTable(CadScript& script, const FractureStatistics& st);
void writeDipDirectionRose(CadScript& script, const FractureStatistics& st);

} // namespace zq

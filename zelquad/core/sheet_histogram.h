// The right lower part of the sheet, the captions under the four plots and the
// sheet frame.
#pragma once

#include "zelquad/core/cad_script.h"
#include "zelquad/core/fracture_statistics.h"

namespace zq {

// Axes with arrowheads, dip and percent ticks, one bar per dip class with its
// percentage above it.
void writeDipHistogram(CadScript& script, const FractureStatistics& st);
void writeCaptions(CadScript& script);
void writeSheetFrame(CadScript& script);

} // namespace zq

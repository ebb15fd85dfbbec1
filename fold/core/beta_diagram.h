// The beta diagram of a fold on the stereographic net: the text column with
// the typical limbs, apical angle, axial plane and hinge; the great circles of
// the measured beds (on request), of the typical limbs and of the axial plane;
// the legend, the net and the heading. Also the plain plot of the measured
// planes without any analysis.
#pragma once

#include "fold/core/beta_analysis.h"
#include "platform/draw/drawing.h"

#include <string>

namespace kv {

// Title printed above the net of both beta plots.
inline constexpr const char* kBetaTitle = "The Axial Plane Of Fold";

// The texts of the column beside the net, top to bottom, with the y at which
// each is printed (x = 120): the captions and the values ("#0.0", "∠"
// between dip direction and dip, two blanks between the limbs).
struct BetaTextColumn {
    std::string limbs;       // "250.0∠30.0  80.0∠60.0"
    std::string apicalAngle; // "90.4"
    std::string axialPlane;  // "256.3∠74.9"
    std::string hinge;       // "167.5∠4.3"
};
BetaTextColumn betaTextColumn(const FoldGeometry& fold);

// The whole diagram of an analysed fold. withLimbPlanes draws every measured
// bed of rows 1 to nL + nR in dark brown (with its legend line) when there are
// more than two; dateText is the date in the system's short form.
Drawing betaDiagram(const FoldGeometry& fold, const CellText& cell, bool withLimbPlanes,
                    const std::string& dateText);

// The measured planes of rows 1 to pointCount (kept within 0..499) on the net,
// with the heading; no analysis, no text column, no legend.
Drawing measuredPlanesDiagram(const CellText& cell, int pointCount, const std::string& dateText);

} // namespace kv

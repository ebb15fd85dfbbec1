// The curvature pass over a (usually thinned) pixel map: every line pixel in
// scan order (columns left to right, each top to bottom) starts two walks,
// gets a local fit when the walks recorded all four points, and is listed
// when its curvature is large enough.
#pragma once

#include "strain/core/local_curvature.h"
#include "strain/core/pixel_map.h"

#include <string>
#include <vector>

namespace kv {

struct CurvatureOptions {
    int traceLength = 24; // steps of the walk; also the half-width of the reset window
    int fitOrder = kCurvatureFitOrder;
};

// Start pixels whose curvature is strictly above this are listed.
constexpr double kListedCurvatureAbove = 0.05;

// One line of the result table, in the table's terms: the start pixel's
// column, its height above the bottom edge (H − y) and the curvature, with
// the texts the table cells hold (whole numbers as plain text, the curvature
// as "#0.00"). The table file writes these texts as they stand.
struct CurvatureRow {
    int x = 0;
    int heightAboveBottom = 0;
    double curvature = 0;

    std::string xText() const;
    std::string heightText() const;
    std::string curvatureText() const;
};

struct CurvaturePass {
    std::vector<LocalFit> fits;      // every fitted start pixel, in scan order: drawn
    std::vector<CurvatureRow> rows;  // the listed ones, in scan order: the table
    int refusedFits = 0;             // start pixels with all four points but no usable fit
};

// Runs the pass and leaves in the map the marks that lay outside every reset
// window (value 2); a later pass or thinning sees them. The progress strip
// fills one unit per column.
CurvaturePass runCurvaturePass(PixelMap& map, const CurvatureOptions& options = {},
                               const PassProgress& progress = {});

} // namespace kv

// One iteration of Zhang–Suen parallel thinning: two sub-passes, each of which
// decides on the whole map as it stood when the sub-pass began, then deletes.
#pragma once

#include "strain/core/pixel_map.h"

#include <cstdint>
#include <vector>

namespace kv {

// What one iteration deleted, first sub-pass then second: the window paints
// these pixels white. Empty when the skeleton is complete.
struct ThinningStep {
    std::vector<PixelPos> deleted;
};

// Only pixels with 2 <= x <= W−2 and 2 <= y <= H−2 can be deleted, so the two
// outer columns and rows at the left and top and the outermost at the right
// and bottom never change. A visited mark (2) counts as 2 in the neighbour
// sum, as set in the products and as neither 0 nor 1 in the transition count;
// it is never deleted itself. The progress strip fills to about 4/5.
ThinningStep thinOnce(PixelMap& map, const PassProgress& progress = {});

} // namespace kv

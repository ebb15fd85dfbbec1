// The beta analysis of a fold from the bedding attitudes of its two limbs:
// one typical attitude per limb, the interlimb (apical) angle, the axial plane
// and the hinge. The table holds the left limb in rows 1 to nL and the right
// limb in rows nL + 1 to nL + nR.
#pragma once

#include "fold/core/fold_table.h"
#include "kit/core/attitude.h"

#include <optional>
#include <string>
#include <string_view>

namespace kv {

// Why the analysis gives no fold to draw.
enum class BetaFault {
    None,
    LimbCount, // a count below 1, or the two together beyond the table
    BadData,   // an empty or unusable cell, or limbs that define no fold
};

// The message the window shows for a fault (title "提示"); empty for None.
std::string betaFaultMessage(BetaFault fault);

// What the window hands over besides its table.
struct BetaSettings {
    std::string leftCountText;  // number of left-limb beds, as typed
    std::string rightCountText; // number of right-limb beds, as typed
    bool overturned = false;    // the fold is overturned (both limbs dip the same way)
};

// The fold, in degrees, single precision.
struct FoldGeometry {
    int leftCount = 0;
    int rightCount = 0;
    Attitude leftLimb;       // typical left limb
    Attitude rightLimb;      // typical right limb
    double apicalAngle = 0;  // interlimb angle
    Attitude axialPlane;
    LineAttitude hinge;      // plunge 0..90, downward

    int bedCount() const { return leftCount + rightCount; }
};

struct BetaAnalysis {
    BetaFault fault = BetaFault::None;
    FoldGeometry fold; // meaningful when ok()
    bool ok() const { return fault == BetaFault::None; }
};

// Reads the counts and the first nL + nR rows and analyses the fold.
BetaAnalysis analyseBetaTable(const BetaSettings& settings, const CellText& cell);

// ---- The steps, for windows and tests that need one of them

struct LimbCounts {
    int left = 0;
    int right = 0;
};

// The counts as whole numbers (halves to even, "2.5" is 2), each at least 1
// and together no more than the table's 499 rows. Their sum is checked on the
// values as typed, before any rounding, so no count text can overflow.
std::optional<LimbCounts> limbCounts(std::string_view leftText, std::string_view rightText);

// The typical attitude of the beds in rows firstRow to lastRow: a single bed
// as typed (its cells must be numbers), several beds as the direction of the
// sum of their dip lines. Empty when a single bed's cell is no number or the
// dip lines cancel out.
std::optional<Attitude> typicalLimb(const CellText& cell, int firstRow, int lastRow);

// Interlimb angle (degrees) of two limb planes: 180 less the angle between
// their normals, or that angle itself for an overturned fold.
double apicalAngle(const Attitude& left, const Attitude& right, bool overturned);

// Axial plane bisecting the two limbs; empty when the limbs coincide.
std::optional<Attitude> axialPlane(const Attitude& left, const Attitude& right, bool overturned);

// Hinge: the intersection line of the two limbs, pointing downwards. Empty
// when the limbs are parallel.
std::optional<LineAttitude> foldHinge(const Attitude& left, const Attitude& right);

} // namespace kv

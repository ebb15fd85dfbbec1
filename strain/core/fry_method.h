// The Fry method: every centre-to-centre vector drawn from one origin; the
// nearest pair in each 30-degree sector of direction (0 to 180 degrees) gives
// a distance; a cubic through the six sector minima (distance against
// direction in tens of degrees) gives the longest and shortest distance, the
// axes of the strain ellipse, with the long axis at the first maximum.
//
// The plot is 300 x 300 pixels on the scale (0, 299)-(299, 0): y upwards,
// centre (149.5, 149.5). Directions are degrees counter-clockwise from the
// picture's x axis.
#pragma once

#include "platform/draw/drawing.h"
#include "strain/core/poly_fit.h"
#include "kit/core/table_cells.h"
#include "strain/core/notice.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace kv {

// Direction of (dx, dy) in degrees counter-clockwise from +x, in [0, 360);
// 360 for the zero vector. Single precision, as the sectors compare it.
float directionDegrees(int dx, int dy);

enum class FryStop {
    MissingY,            // a row with an x but no y
    TooFewCentres,       // fewer than 20
    ZeroScale,           // every coordinate 0.5 or less: nothing to scale by
    EmptySector,         // a 30-degree sector that no close pair reaches
    Singular,            // the cubic's normal equations
    NonPositiveSmallest, // the smallest fitted distance is 0 or below
};

Notice fryStopNotice(FryStop stop);

// Centres scaled so that the largest coordinate is about 300 plot units.
struct FryCentres {
    std::vector<float> x, y;
    double scale = 0; // divisor: the larger of largest x and largest y (whole numbers) over 300
};

// The nearest pair met in one sector; starts at 1e6 and direction 0.
struct SectorMinimum {
    float distance = 1e6f;
    float direction = 0; // degrees
    bool reached = false;
};

struct FryCloud {
    Drawing dots; // one black dot of width 2 per pair drawn
    std::array<SectorMinimum, 6> sectors;
};

// Every ordered pair closer than 149.5 units in x and in y is drawn; the pairs
// with a direction below 180 feed the sectors, the first of equal distances kept.
FryCloud fryCloud(const FryCentres& centres);

// Cubic through (direction / 10, distance) of the six sectors.
std::optional<Polynomial> fitSectorCurve(const std::array<SectorMinimum, 6>& sectors);

// The first local maximum and the first local minimum of the curve sampled
// every 0.01 from -0.01 while at most 18.01 (accumulated), each taken one
// sample after the peak and rounded halves to even. With no maximum, Fi = 0
// and the largest distance is the value at the start of the scan; with no
// minimum the smallest likewise.
struct FryExtremes {
    std::int64_t fi = 0;       // degrees, direction of the long axis
    std::int64_t largest = 0;  // plot units
    std::int64_t smallest = 0; // plot units
};
FryExtremes scanSectorCurve(const Polynomial& curve);

struct FryEllipse {
    float rs = 0; // axial ratio largest / smallest
    std::int64_t fi = 0;
    std::int64_t largest = 0, smallest = 0;
    int centreCount = 0;
};

// "Rs=1.60   Fi =35.00   N= 25 ".
std::string fryResultText(const FryEllipse& ellipse);

struct FryRun {
    int pointCount = 0;         // centres read (the window's count of table rows)
    std::optional<FryStop> stop;
    bool plotShown = false;     // the picture became the 300 x 300 plot (cleared)
    Drawing plot;               // the cloud, then the ellipse and the result line
    std::optional<FryEllipse> ellipse;
};

// The command on the centre table (column 1 x, column 2 y, rows 1 to 199 up to
// the first empty x).
FryRun runFryMethod(const CellText& cell);

} // namespace kv

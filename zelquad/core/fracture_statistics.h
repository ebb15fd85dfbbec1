// What the sheet is drawn from: the pole density grid of an equal-area net and
// the strike, dip-direction and dip classes of 10 degrees.
//
// Angles are degrees: the dip direction clockwise from north, the dip below the
// horizontal. The net has radius 10 about the origin, x east, y north.
#pragma once

#include "platform/draw/drawing.h"
#include "zelquad/core/fracture_records.h"

#include <array>
#include <cmath>

namespace zq {

// Radians per degree as every plot of this program has been computed (the
// truncated value: the digits of the script's rim points depend on it).
constexpr double kRadiansPerDegree = 0.0174532925;

// r = factor x sin(dip / 2) is the equal-area pole radius that puts a dip of
// 90 degrees on the net's rim (radius 10).
inline const double kPoleRadiusFactor = 20 / std::sqrt(2.0);

constexpr int kGridNodes = 21; // per side; node (i, j) lies at net point (i - 10, j - 10)
using DensityGrid = std::array<std::array<int, kGridNodes>, kGridNodes>; // [i][j]

struct ClassTally {
    int count = 0;
    double mean = 0; // rounded mean angle of the class, halves up; 0 when empty
};

struct FractureStatistics {
    int recordCount = 0;
    // Whole-number percentage of all poles within 1 net unit of each node,
    // rim nodes merged with the opposite rim node.
    DensityGrid density{};
    // Strike class b (0..17) holds strikes 270 + 10b up to 280 + 10b, modulo
    // 360; class 18 stays empty (the rose's outline ends through it).
    std::array<ClassTally, 19> strike{};
    // Dip-direction class d (1..36) holds 10(d - 1) up to 10d; 0 stays empty.
    std::array<ClassTally, 37> dipDirection{};
    // Dip class k (1..9) holds dips 10(k - 1) up to 10k, as a whole-number
    // percentage of all records (halves to even); 0 stays empty.
    std::array<int, 10> dipPercent{};
    // Drawing units per record: the fullest class reaches the rose radius 40.
    double strikeRoseScale = 0;
    double dipDirectionRoseScale = 0;
};

// A dip direction of 360 and a dip of 90 count as 359.5 and 89.5, inside the
// last class and inside the net.
kv::Attitude insideLastClass(kv::Attitude a);

// The pole of a plane on the net of radius 10, at the dip-direction azimuth.
kv::Point poleOnNet(const kv::Attitude& a);

// The folded strike (0..90 or 270..360) and its strike class 0..17.
struct FoldedStrike {
    double strike = 0;
    int strikeClass = 0;
};
FoldedStrike foldedStrike(double dipDirection);

FractureStatistics computeStatistics(const CheckedRecords& records);

} // namespace zq

// Places on the drawing sheet, in drawing units: y grows upwards, azimuths are
// clockwise from north (+y).
#pragma once

#include "platform/draw/drawing.h"

namespace zq {

inline constexpr kv::Point kStrikeRoseCentre{180, 80};  // upper half rose, radius 40
inline constexpr kv::Point kDipDirectionRoseCentre{70, -40};
constexpr int kRoseRadius = 40;

// Rim point i of a rose of radius 40, at azimuth 270 + 10i degrees: the strike
// half-rose uses i = 0..18, the dip-direction rose i = 0..36.
kv::Point rimPoint(const kv::Point& centre, int i);

// The end of a petal of the given length at an azimuth in degrees.
kv::Point petalTip(const kv::Point& centre, double length, double azimuthDegrees);

// The azimuth label of rim point i: 270 + 10i, less 360 from 360 on.
int rimAzimuth(int i);

} // namespace zq

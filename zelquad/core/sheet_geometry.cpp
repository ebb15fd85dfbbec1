#include "zelquad/core/sheet_geometry.h"

#include "zelquad/core/fracture_statistics.h"

#include <cmath>

namespace zq {

kv::Point rimPoint(const kv::Point& centre, int i)
{
    const double a = (270 + 10 * i) * kRadiansPerDegree;
    return {centre.x + kRoseRadius * std::sin(a), centre.y + kRoseRadius * std::cos(a)};
}

kv::Point petalTip(const kv::Point& centre, double length, double azimuthDegrees)
{
    const double m = azimuthDegrees * kRadiansPerDegree;
    return {centre.x + length * std::sin(m), centre.y + length * std::cos(m)};
}

int rimAzimuth(int i)
{
    const int a = 270 + 10 * i;
    return a >= 360 ? a - 360 : a;
}

} // namespace zq

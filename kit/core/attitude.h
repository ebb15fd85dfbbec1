// Attitudes of planes and lines, in degrees.
#pragma once

namespace kv {

// Pi as the attitude tools write it when they turn degrees into radians.
inline constexpr double kAttitudePi = 3.1415926;

// A measured plane: dip direction (degrees clockwise from north, as written:
// not reduced to 0..360) and dip (degrees below the horizontal). Which values
// a tool keeps (whole degrees, single precision) is that tool's named
// conversion from the table or file text.
struct Attitude {
    double dipDirection = 0;
    double dip = 0;
    friend bool operator==(const Attitude& a, const Attitude& b)
    {
        return a.dipDirection == b.dipDirection && a.dip == b.dip;
    }
    friend bool operator!=(const Attitude& a, const Attitude& b) { return !(a == b); }
};

// A line: trend (degrees clockwise from north) and plunge (degrees below the horizontal).
struct LineAttitude {
    double trend = 0;
    double plunge = 0;
};

} // namespace kv

// The picture the stereonet tools draw on: 400 x 300 pixels, one unit a
// pixel, the net of radius 100 centred 150 pixels from the left and the top
// edge, and a column of texts on the right.
#pragma once

namespace kv {

struct NetCanvas {
    int width = 400;
    int height = 300;
    double scaleX1 = -150, scaleY1 = 150, scaleX2 = 250, scaleY2 = -150; // top-left, bottom-right
};
inline constexpr NetCanvas kNetCanvas{};

} // namespace kv

// Control positions and sizes are laid out in twips (1/1440 inch), at the
// usual 96 pixels per inch: 15 twips per pixel.
#pragma once

#include <QRect>
#include <cmath>

namespace kv {

constexpr int twipsPerPixel = 15;

inline int twipsToPixels(double twips) { return static_cast<int>(std::lround(twips / twipsPerPixel)); }
inline double pixelsToTwips(double pixels) { return pixels * twipsPerPixel; }

// A control's place given in twips (left, top, width, height), in pixels.
inline QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

} // namespace kv

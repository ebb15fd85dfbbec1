// Boundary counts on rotating parallel chords (the reverse-wheel method): a
// circle of radius 0.45 x the picture's smaller side is centred on the picture;
// its parallel chords are walked pixel by pixel and every second colour change
// counts as one boundary; the chord set turns counter-clockwise (as seen on the
// screen) by the step between orientations.
//
// Coordinates are the picture's pixels: x to the right, y downwards, pixel
// (i, j) covering the points that round to it.
#pragma once

#include "platform/draw/drawing.h"
#include "strain/core/count_settings.h"
#include "strain/core/pixel_image.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// Arc cosine in radians for -1 <= x <= 1: where on the count circle a chord's
// end lies. Exactly -1 gives -3.1415926535 (the same end point on the
// circle as +pi). Values a rounding step beyond +-1 are taken as +-1.
double arcCosineClamped(double x);

// A pixel painted by a walk and the colour it had before, so a display can be
// put back as it was.
struct PaintedPixel {
    std::size_t index = 0; // in PixelImage::rgb
    std::uint32_t before = 0;
};

// Walks the segment from (x0, y0) to (x1, y1) by a DDA, reading each pixel and
// then painting it red, and returns the boundaries crossed: a change of more
// than 16 in any channel from the pixel before toggles a flag, and each change
// that raises the flag counts one. Pixels outside the picture read as white
// and are not painted. Painted pixels are recorded in `painted` when given.
std::int32_t countBoundariesOnChord(PixelImage& display, float x0, float y0, float x1, float y1,
                    std::vector<PaintedPixel>* painted = nullptr);

// The circle the chords lie in: drawn in red on the stored picture before a count.
struct CountCircle {
    Point centre;  // (W / 2, H / 2)
    double radius; // 0.45 x the smaller side
};
CountCircle countCircle(int width, int height);

// One orientation's result, for the table row and the red chords on display.
struct OrientationCount {
    int index = 0;            // k, from 0
    float angleDegrees = 0;   // k x step, single precision
    std::int32_t count = 0;   // boundaries summed over the chords
    std::vector<LineItem> chords; // red segments walked, in pixel coordinates
};

// Count table row k + 1: column 1 the angle, column 2 the count (cell texts).
std::string countAngleText(const OrientationCount& result);
std::string countValueText(const OrientationCount& result);

// A count over one picture, one orientation per call so that the window can
// show each orientation's chords and keep its events flowing in between.
class BoundaryCount {
public:
    // The picture as stored (with the red circle already drawn on it). It is
    // borrowed for the count's life, not copied (a photograph holds tens of
    // megabytes): each orientation paints its chords into it and puts every
    // pixel back before it returns.
    BoundaryCount(PixelImage& picture, const CountSettings& settings);

    int orientations() const { return orientations_; }
    // Walks every chord at orientation k (0 <= k < orientations()). The red
    // pixels painted by one chord are seen by the chords after it, as on the
    // display, and are removed again before the call returns.
    OrientationCount countOrientation(int k);

private:
    PixelImage& display_;
    CountSettings settings_;
    CountCircle circle_;
    int orientations_ = 0;
    std::vector<double> offsetY_;  // per chord: Y of both ends from the centre
    std::vector<double> halfChord_; // per chord: |X| of its ends
    std::vector<PaintedPixel> painted_;
};

} // namespace kv

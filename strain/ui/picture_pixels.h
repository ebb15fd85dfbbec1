// A picture box's image as the strain computations read it: one RGB value per
// pixel with red in the low byte, row 0 at the top.
#pragma once

#include "strain/core/pixel_image.h"
#include "strain/core/pixel_map.h"

#include <QImage>

namespace kv {

PixelImage pixelImageOf(const QImage& image);

// The picture's pixel map at the threshold (binariseArgbRow() of each row)
// together with the map's picture as the window shows it (background white,
// line black), read from and written to the scan lines row by row: no
// whole-picture copy in between.
struct BinarisedImage {
    PixelMap map;
    QImage shown;
};
BinarisedImage binariseImage(const QImage& image, int threshold, const PassProgress& progress = {});

} // namespace kv

// A picture box's image as the strain computations read it: one RGB value per
// pixel with red in the low byte, row 0 at the top.
#pragma once

#include "strain/core/pixel_image.h"
#include "strain/core/pixel_map.h"

#include <QImage>

namespace kv {

PixelImage pixelImageOf(const QImage& image);
// The other way, for a picture box to show.
QImage qImageOf(const PixelImage& pixels);
// A pixel map's black-and-white picture (mapToImage's colours), made in one
// pass without the pixel image between.
QImage qImageOf(const PixelMap& map);

// The picture's pixel map at the threshold (as binarise() of its pixel image)
// together with the map's black-and-white picture, read from and written to
// the scan lines row by row: no whole-picture copy in between.
struct BinarisedImage {
    PixelMap map;
    QImage shown;
};
BinarisedImage binariseImage(const QImage& image, int threshold, const PassProgress& progress = {});

} // namespace kv

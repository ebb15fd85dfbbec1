// A picture box's image as the strain computations read it: one colour value
// per pixel, red in the low byte.
#pragma once

#include "strain/core/pixel_image.h"

class QImage;

namespace kv {

PixelImage pixelImageOf(const QImage& image);

} // namespace kv

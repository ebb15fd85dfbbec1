// Synthetic pixel images as the 32-bit picture a picture box holds once it
// has loaded them, for tests and benchmarks that take the windows' route from
// a loaded picture.
#pragma once

#include "strain/core/pixel_image.h"

#include <QImage>

namespace kv::test {

inline QImage qImageOf(const PixelImage& pixels)
{
    QImage image(pixels.width, pixels.height, QImage::Format_RGB32);
    for (int y = 0; y < pixels.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < pixels.width; ++x)
            line[x] = 0xFF000000u | swapRedBlue(pixels.at(x, y));
    }
    return image;
}

} // namespace kv::test

// Synthetic pictures whose answers are known, for the strain cores' tests and
// benchmarks: discs of known centre, stripes of known direction.
#pragma once

#include "strain/core/pixel_image.h"

#include <cmath>
#include <cstdint>

namespace kv::test {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// Every pixel whose centre lies within r of (cx, cy) (pixel coordinates, y down).
inline void fillDisc(PixelImage& image, double cx, double cy, double r, std::uint32_t colour = kBlack)
{
    for (int y = static_cast<int>(std::floor(cy - r)); y <= static_cast<int>(std::ceil(cy + r)); ++y)
        for (int x = static_cast<int>(std::floor(cx - r)); x <= static_cast<int>(std::ceil(cx + r)); ++x)
            if (image.contains(x, y) && (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r)
                image.set(x, y, colour);
}

// A circle one pixel wide, 8-connected (midpoint circle), round (cx, cy).
inline void drawCircle(PixelImage& image, int cx, int cy, int r, std::uint32_t colour = kBlack)
{
    int x = r, y = 0, err = 1 - r;
    while (x >= y) {
        const int pts[8][2] = {{x, y}, {y, x}, {-y, x}, {-x, y}, {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
        for (const auto& p : pts)
            if (image.contains(cx + p[0], cy + p[1]))
                image.set(cx + p[0], cy + p[1], colour);
        ++y;
        if (err < 0) {
            err += 2 * y + 1;
        } else {
            --x;
            err += 2 * (y - x) + 1;
        }
    }
}

// Black and white stripes `period` pixels wide (each colour), running at
// `degrees` counter-clockwise from the x axis as seen on the screen.
inline PixelImage stripes(int width, int height, double degrees, double period)
{
    PixelImage image(width, height, kWhite);
    const double a = degrees * 3.14159265358979 / 180;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            // Distance across the stripes, with y turned upwards.
            const double across = -std::sin(a) * x + std::cos(a) * (-y);
            if (static_cast<long>(std::floor(across / period)) % 2 == 0)
                image.set(x, y, kBlack);
        }
    return image;
}

} // namespace kv::test

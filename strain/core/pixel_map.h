// The line-curvature tool's pixel map: one small whole number per picture
// pixel, row 0 at the top, x varying fastest. Binarisation writes background
// and line pixels, thinning deletes line pixels, and the curvature pass marks
// the pixels its walks have visited.
#pragma once

#include "strain/core/pixel_image.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace kv {

struct PixelMap {
    static constexpr std::int16_t background = 0;
    static constexpr std::int16_t line = 1;
    // Left by the curvature walk outside the window it resets; it counts as
    // background for later walks and as "set" for thinning.
    static constexpr std::int16_t visited = 2;

    int width = 0;
    int height = 0;
    std::vector<std::int16_t> cells; // width * height values, row by row

    PixelMap() = default;
    PixelMap(int w, int h)
        : width(w), height(h), cells(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), background)
    {
    }

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::size_t indexOf(int x, int y) const { return static_cast<std::size_t>(y) * width + x; }
    std::int16_t at(int x, int y) const { return cells[indexOf(x, y)]; }
    void set(int x, int y, std::int16_t value) { cells[indexOf(x, y)] = value; }
};

// x moved past the whole groups of four background cells that start there,
// staying below end: most of a line drawing is background, so four cells are
// tested at a time and skipped together. The cell at the result, if below
// end, may still be background.
inline int skipBackgroundFours(const std::int16_t* row, int x, int end)
{
    static_assert(PixelMap::background == 0, "four background cells read as a zero word");
    std::uint64_t four = 0;
    while (x + 4 <= end && (std::memcpy(&four, row + x, sizeof four), four == 0))
        x += 4;
    return x;
}

// Told during a long pass how far the window's progress strip
// is filled, in the strip's units (the picture's width in pixels): the window
// draws a blue box from 0 to that value. May be empty.
using PassProgress = std::function<void(double filledTo)>;

// Number of cells holding the value.
std::size_t countCells(const PixelMap& map, std::int16_t value);

} // namespace kv

#include "strain/core/pixel_map.h"

#include <algorithm>

namespace kv {

std::size_t countCells(const PixelMap& map, std::int16_t value)
{
    return static_cast<std::size_t>(std::count(map.cells.begin(), map.cells.end(), value));
}

} // namespace kv

#include "strain/core/pixel_map.h"

#include <algorithm>

namespace kv {

PixelImage mapToImage(const PixelMap& map)
{
    constexpr std::uint32_t black = 0x000000;
    constexpr std::uint32_t white = 0xFFFFFF;
    PixelImage image(map.width, map.height, white);
    std::transform(map.cells.begin(), map.cells.end(), image.rgb.begin(),
                   [](std::int16_t v) { return v == PixelMap::background ? white : black; });
    return image;
}

std::size_t countCells(const PixelMap& map, std::int16_t value)
{
    return static_cast<std::size_t>(std::count(map.cells.begin(), map.cells.end(), value));
}

} // namespace kv

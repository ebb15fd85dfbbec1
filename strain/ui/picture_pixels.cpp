#include "strain/ui/picture_pixels.h"

#include "strain/core/binarise.h"

#include <cstddef>

namespace kv {

namespace {

// Row y of the map into row y of its picture: background white, every other
// value black.
void showMapRow(const PixelMap& map, int y, QImage& image)
{
    const std::int16_t* in = map.cells.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(map.width);
    auto* out = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
    for (int x = 0; x < map.width; ++x)
        out[x] = in[x] == PixelMap::background ? 0xFFFFFFFFu : 0xFF000000u;
}

} // namespace

// Whole scan lines at a time: Qt converts the picture, whatever its format,
// in one pass; each line is appended to the map as it is (no pass that first
// fills the map) and reordered while it is still in the cache.
PixelImage pixelImageOf(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    PixelImage pixels;
    pixels.width = rgb.width();
    pixels.height = rgb.height();
    const auto width = static_cast<std::size_t>(rgb.width());
    pixels.rgb.reserve(width * static_cast<std::size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y));
        const std::size_t start = pixels.rgb.size();
        pixels.rgb.insert(pixels.rgb.end(), line, line + width);
        for (std::size_t x = start; x < pixels.rgb.size(); ++x)
            pixels.rgb[x] = swapRedBlue(pixels.rgb[x]);
    }
    return pixels;
}

BinarisedImage binariseImage(const QImage& image, int threshold, const PassProgress& progress)
{
    const QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
    BinarisedImage result{PixelMap(rgb.width(), rgb.height()), QImage(rgb.size(), QImage::Format_RGB32)};
    const auto width = static_cast<std::size_t>(rgb.width());
    GreyMemo memo;
    for (int y = 0; y < rgb.height(); ++y) {
        std::int16_t* cells = result.map.cells.data() + static_cast<std::size_t>(y) * width;
        binariseArgbRow(reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y)), width, threshold, memo, cells);
        showMapRow(result.map, y, result.shown);
        if (progress)
            progress(static_cast<double>(width) * (y + 1) / rgb.height());
    }
    return result;
}

} // namespace kv

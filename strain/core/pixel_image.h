// A picture's pixels as the picture tools read them: one RGB value per pixel,
// red in the lowest byte, green in the second, blue in the third (the picture
// box's colour value). Row 0 is the top row.
#pragma once

#include <cstdint>
#include <vector>

namespace kv {

struct PixelImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb; // width * height values, row by row

    PixelImage() = default;
    PixelImage(int w, int h, std::uint32_t fill = 0xFFFFFF)
        : width(w), height(h), rgb(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill)
    {
    }

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
    void set(int x, int y, std::uint32_t value) { rgb[static_cast<std::size_t>(y) * width + x] = value; }
};

inline int redOf(std::uint32_t rgb) { return static_cast<int>(rgb & 0xFF); }
inline int greenOf(std::uint32_t rgb) { return static_cast<int>((rgb >> 8) & 0xFF); }
inline int blueOf(std::uint32_t rgb) { return static_cast<int>((rgb >> 16) & 0xFF); }

} // namespace kv

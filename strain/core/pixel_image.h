// A picture's pixels as the picture tools read them: one RGB value per pixel,
// red in the lowest byte, green in the second, blue in the third (the picture
// box's colour value). Row 0 is the top row.
#pragma once

#include <cstdint>
#include <vector>

namespace kv {

// A pixel's column and row: x to the right from the left edge, y downward from
// the top row. Positions in a picture and in the pixel maps made from it.
struct PixelPos {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPos& a, const PixelPos& b) { return a.x == b.x && a.y == b.y; }
};

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

// A pixel stored as 0xAARRGGBB (a Qt 32-bit picture's) as this picture's
// 0x00BBGGRR, and back: red and blue change places, the alpha byte is dropped.
inline std::uint32_t swapRedBlue(std::uint32_t v)
{
    return ((v >> 16) & 0xFFu) | (v & 0xFF00u) | ((v & 0xFFu) << 16);
}

} // namespace kv

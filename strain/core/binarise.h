// Black and white from a picture: each pixel's grey value against the
// user's threshold. Line pixels are the dark ones.
#pragma once

#include "strain/core/pixel_image.h"
#include "strain/core/pixel_map.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kv {

// Grey of a colour (red in the low byte) as 0.31 R + 0.59 G + 0.11 B, nearest
// whole number with halves to even. The weights add up to 1.01, so pure white
// gives 258 and a threshold of 256..258 still keeps it white.
int greyOf(std::uint32_t rgb);

// The threshold typed into the input box: a decimal number, blanks around it
// ignored, rounded to a whole number with halves to even. Empty for a
// cancelled box (empty text), a text that is not a number, or a value outside
// -32768..32767; the window then leaves picture and map as they are.
std::optional<std::int16_t> parseThreshold(std::string_view answer);

// The grey of the colour last seen along a row: neighbouring pixels are mostly
// the same colour (a plain background, a line's ink), so each run of one
// colour is weighed once.
struct GreyMemo {
    std::uint32_t rgb = 0;
    int grey = 0; // greyOf(0)
};

// One row of a picture stored as 0xAARRGGBB (blue in the low byte, the alpha
// byte ignored) into one row of map cells: line where grey < threshold
// (strictly), background elsewhere. The window binarises its picture's scan
// lines through it, with no copy of the whole picture in between.
void binariseArgbRow(const std::uint32_t* argb, std::size_t width, int threshold, GreyMemo& memo,
                     std::int16_t* cells);

} // namespace kv

// Whether a BMP, JPEG or GIF file holds all the data its structure promises.
// The image readers decode a file cut short without a word: the rows they
// never read are left as whatever memory held, or grey or black, and a count
// or a measurement on them would measure garbage. So the structure is walked
// first: BMP rows (or its run-length codes up to their end), JPEG segments and
// coded data up to the end-of-image marker, and GIF blocks up to the end of
// the first image, whose codes must give every pixel of its frame (only their
// string lengths are followed, no pixel is decoded). PNG needs no walk: its
// reader refuses a file cut anywhere before the end chunk's checksum, and
// takes one that lacks only that checksum, whose pixels are all there.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kv {

// False when the bytes are one of those three formats and end before their
// picture does; true for a whole one and for any other kind of file.
bool pictureFileWhole(const unsigned char* bytes, std::size_t size);

// The pixels the LZW codes of a GIF's first image give: the decoder steps
// through every one, whether it lies inside the frame and the screen or not
// (a frame of 65535 x 65535 takes 1.6 MB of codes and 18 s). 0 for any
// other file, or a GIF cut short.
std::uint64_t gifCodedPixels(const unsigned char* bytes, std::size_t size);

// A PNG's compressed text chunks (zTXt, and iTXt with its compression flag):
// its decoder inflates each, up to 8 MB, before the picture (1000 of them in
// 8 MB take 18 s). 0 for any other file.
int pngCompressedTexts(const unsigned char* bytes, std::size_t size);

} // namespace kv

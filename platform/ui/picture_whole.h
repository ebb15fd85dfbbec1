// Whether a BMP, JPEG, PNG or GIF file holds all the data its structure
// promises. The image readers decode a file cut short without a word: the
// rows they never read are left as whatever memory held, or grey, and a
// count or a measurement on them would measure garbage. So the structure is
// walked first, without decoding: BMP rows (or its run-length codes up to
// their end), JPEG segments and coded data up to the end-of-image marker, PNG
// chunks up to IEND, and GIF blocks up to the end of the first image.
#pragma once

#include <cstddef>

namespace kv {

// False when the bytes are one of those four formats and end before their
// picture does; true for a whole one and for any other kind of file.
bool pictureFileWhole(const unsigned char* bytes, std::size_t size);

} // namespace kv

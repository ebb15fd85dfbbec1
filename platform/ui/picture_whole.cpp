#include "platform/ui/picture_whole.h"

#include "platform/metafile/jpeg_cost.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace kv {
namespace {

struct Bytes {
    const unsigned char* p;
    std::size_t size;

    bool has(std::uint64_t at, std::uint64_t count) const { return at <= size && count <= size - at; }
    unsigned at(std::size_t i) const { return p[i]; }
    std::uint32_t le16(std::size_t i) const { return p[i] | (p[i + 1] << 8); }
    std::uint32_t le32(std::size_t i) const { return le16(i) | (le16(i + 2) << 16); }
    std::uint32_t be16(std::size_t i) const { return (p[i] << 8) | p[i + 1]; }
    bool starts(const char* signature, std::size_t length) const
    {
        return size >= length && std::memcmp(p, signature, length) == 0;
    }
};

// Run-length coded rows end with the end-of-bitmap code; a stream that stops
// before it was cut.
bool runLengthWhole(const Bytes& b, std::uint64_t at, bool fourBits)
{
    while (b.has(at, 2)) {
        const unsigned count = b.at(at), code = b.at(at + 1);
        at += 2;
        if (count != 0)
            continue; // a run: count pixels of one code
        if (code == 1)
            return true; // end of bitmap
        if (code == 0)
            continue; // end of line
        if (code == 2) {
            at += 2; // a move
            continue;
        }
        const std::uint64_t literal = fourBits ? (code + 1) / 2 : code;
        at += literal + (literal & 1); // pixels as they are, padded to a word
    }
    return false;
}

bool bmpWhole(const Bytes& b)
{
    if (!b.has(0, 18))
        return false;
    const std::uint64_t dataAt = b.le32(10);
    const std::uint32_t headerSize = b.le32(14);
    std::int64_t width = 0, height = 0;
    std::uint32_t bits = 0, compression = 0;
    if (headerSize == 12 && b.has(14, 12)) {
        width = b.le16(18);
        height = b.le16(20);
        bits = b.le16(24);
    } else if (headerSize >= 40 && b.has(14, 40)) {
        width = std::int32_t(b.le32(18));
        height = std::llabs(std::int32_t(b.le32(22)));
        bits = b.le16(28);
        compression = b.le32(30);
    } else {
        return false;
    }
    constexpr std::uint32_t rgb = 0, rle8 = 1, rle4 = 2, bitFields = 3, alphaBitFields = 6;
    if (compression == rle8 || compression == rle4)
        return runLengthWhole(b, dataAt, compression == rle4);
    if (compression != rgb && compression != bitFields && compression != alphaBitFields)
        return true; // embedded JPEG or PNG: the image reader refuses these itself
    if (width <= 0 || bits == 0 || bits > 32)
        return true; // not a picture the image reader takes
    const std::uint64_t rowBytes = (std::uint64_t(width) * bits + 31) / 32 * 4;
    return b.has(dataAt, 0) && std::uint64_t(height) <= (b.size - dataAt) / rowBytes;
}

// Sub-blocks, each led by its length, up to an empty one; the position just
// past it, or 0 when the data ends first.
std::uint64_t pastSubBlocks(const Bytes& b, std::uint64_t at)
{
    while (b.has(at, 1)) {
        const unsigned length = b.at(at);
        at += 1 + length;
        if (length == 0)
            return at;
    }
    return 0;
}

// The pixels the LZW codes in the sub-blocks from `at` give, up to the end
// code. Only string lengths are followed: each code after the first since a
// clear adds to the table the string of the code before it and one pixel
// more, and a code not yet in the table (the one being added) gives that.
std::uint64_t codedPixels(const Bytes& b, std::uint64_t at, unsigned rootBits)
{
    constexpr unsigned maxBits = 12, tableSize = 1u << maxBits;
    const unsigned clear = 1u << rootBits, end = clear + 1;
    std::vector<std::uint32_t> length(std::size_t(2) << maxBits, 1); // codes of up to 13 bits
    unsigned bits = rootBits + 1, next = clear + 2;
    std::uint64_t pixels = 0;
    std::uint32_t held = 0;
    unsigned heldBits = 0;
    bool first = true; // the first code after a clear adds nothing to the table
    unsigned previous = 0;
    for (; b.at(at) != 0; at += 1 + b.at(at)) { // the caller found the blocks whole
        for (std::size_t i = at + 1; i <= at + b.at(at); ++i) {
            held |= std::uint32_t(b.at(i)) << heldBits;
            for (heldBits += 8; heldBits >= bits;) {
                const unsigned code = held & ((1u << bits) - 1);
                held >>= bits;
                heldBits -= bits;
                if (code == end)
                    return pixels;
                if (code == clear) {
                    bits = rootBits + 1;
                    next = clear + 2;
                    first = true;
                    continue;
                }
                if (first) {
                    pixels += 1;
                } else {
                    pixels += code < next ? length[code] : length[previous] + 1;
                    if (next < tableSize) {
                        length[next++] = length[previous] + 1;
                        if (next >= 1u << bits && bits < maxBits)
                            ++bits;
                    }
                }
                first = false;
                previous = code;
            }
        }
    }
    return pixels;
}

struct GifImage {
    bool whole = false;
    std::uint64_t framePixels = 0, codedPixels = 0;
};

// The GIF's first image: whether its blocks are all there, the pixels its
// frame claims and those its codes give.
GifImage gifFirstImage(const Bytes& b)
{
    if (!b.has(0, 13))
        return {};
    const auto colourTable = [](unsigned flags) { return (flags & 0x80) ? 3u << ((flags & 7) + 1) : 0u; };
    std::uint64_t at = 13 + colourTable(b.at(10));
    while (b.has(at, 1)) {
        const unsigned block = b.at(at);
        if (block == 0x21) { // an extension: its label, then sub-blocks
            at = pastSubBlocks(b, at + 2);
        } else if (block == 0x2C) { // the image: descriptor, colours, code size, sub-blocks
            if (!b.has(at, 10))
                return {};
            GifImage image;
            image.framePixels = std::uint64_t(b.le16(at + 5)) * b.le16(at + 7);
            at += 10 + colourTable(b.at(at + 9));
            if (!b.has(at, 1) || pastSubBlocks(b, at + 1) == 0)
                return {};
            const unsigned rootBits = b.at(at);
            image.whole = true;
            if (rootBits <= 12) // more: the reader refuses it
                image.codedPixels = codedPixels(b, at + 1, rootBits);
            else
                image.codedPixels = image.framePixels;
            return image;
        } else {
            GifImage none; // the trailer: no image, which the reader refuses itself
            none.whole = block == 0x3B;
            return none;
        }
        if (at == 0)
            return {};
    }
    return {};
}

// The image reader shows a GIF's first image: its sub-blocks must be whole
// and its codes must fill the frame its descriptor claims. A frame larger than
// the coded pixels (a descriptor claiming 65535 x 65535 pixels for a few
// hundred) would be shown with its rows wrapped and the rest left black.
bool gifWhole(const Bytes& b)
{
    const GifImage image = gifFirstImage(b);
    return image.whole && image.codedPixels >= image.framePixels;
}

} // namespace

std::uint64_t gifCodedPixels(const unsigned char* bytes, std::size_t size)
{
    const Bytes b{bytes, size};
    if (!b.starts("GIF87a", 6) && !b.starts("GIF89a", 6))
        return 0;
    return gifFirstImage(b).codedPixels;
}

int pngCompressedTexts(const unsigned char* bytes, std::size_t size)
{
    const Bytes b{bytes, size};
    if (!b.starts("\x89PNG\r\n\x1A\n", 8))
        return 0;
    int texts = 0;
    // Chunks: length, type, data, checksum.
    for (std::uint64_t at = 8; b.has(at, 8);) {
        const std::uint64_t length = std::uint64_t(b.at(at)) << 24 | b.at(at + 1) << 16 | b.be16(at + 2);
        const char* type = reinterpret_cast<const char*>(b.p + at + 4);
        const std::uint64_t data = at + 8;
        if (std::memcmp(type, "zTXt", 4) == 0) {
            ++texts;
        } else if (std::memcmp(type, "iTXt", 4) == 0 && b.has(data, length)) {
            // The keyword ends with a zero; the compression flag follows.
            const void* end = std::memchr(b.p + data, 0, std::size_t(length));
            const std::uint64_t flag = end ? std::uint64_t(static_cast<const unsigned char*>(end) - b.p) + 1 : data + length;
            texts += flag < data + length && b.at(flag) != 0 ? 1 : 0;
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            break;
        }
        at = data + length + 4;
    }
    return texts;
}

bool pictureFileWhole(const unsigned char* bytes, std::size_t size)
{
    const Bytes b{bytes, size};
    if (b.starts("BM", 2))
        return bmpWhole(b);
    if (b.starts("\xFF\xD8", 2))
        return countJpegDecoding(bytes, size).whole;
    if (b.starts("GIF87a", 6) || b.starts("GIF89a", 6))
        return gifWhole(b);
    return true;
}

} // namespace kv

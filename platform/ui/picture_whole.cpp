#include "platform/ui/picture_whole.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

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
    std::uint32_t be32(std::size_t i) const { return (be16(i) << 16) | be16(i + 2); }
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

// Segments with their lengths up to the first scan, then coded data, in
// which a marker is a 0xFF followed by anything but a stuffed zero or a
// restart; each scan (a progressive picture has several) is followed by more
// segments, and the picture ends with the end-of-image marker.
bool jpegWhole(const Bytes& b)
{
    constexpr unsigned endOfImage = 0xD9, startOfScan = 0xDA;
    std::size_t at = 2;
    while (b.has(at, 2)) {
        if (b.at(at) != 0xFF) {
            ++at; // stray bytes between segments: the decoder skips them too
            continue;
        }
        const unsigned marker = b.at(at + 1);
        if (marker == 0xFF) {
            ++at; // fill
            continue;
        }
        if (marker == endOfImage)
            return true;
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            at += 2; // stand-alone markers
            continue;
        }
        if (!b.has(at + 2, 2))
            return false;
        const std::uint32_t length = b.be16(at + 2);
        if (length < 2 || !b.has(at + 2, length))
            return false;
        at += 2 + length;
        if (marker != startOfScan)
            continue;
        for (;; ++at) {
            const void* found = std::memchr(b.p + at, 0xFF, b.size - at);
            if (!found)
                return false;
            at = std::size_t(static_cast<const unsigned char*>(found) - b.p);
            if (!b.has(at, 2))
                return false;
            const unsigned next = b.at(at + 1);
            if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7))
                break;
        }
    }
    return false;
}

bool pngWhole(const Bytes& b)
{
    for (std::uint64_t at = 8; b.has(at, 12);) {
        if (std::memcmp(b.p + at + 4, "IEND", 4) == 0)
            return true;
        at += 12 + std::uint64_t(b.be32(at));
    }
    return false;
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

// The image reader shows a GIF's first image: it must be whole.
bool gifWhole(const Bytes& b)
{
    if (!b.has(0, 13))
        return false;
    const auto colourTable = [](unsigned flags) { return (flags & 0x80) ? 3u << ((flags & 7) + 1) : 0u; };
    std::uint64_t at = 13 + colourTable(b.at(10));
    while (b.has(at, 1)) {
        const unsigned block = b.at(at);
        if (block == 0x21) { // an extension: its label, then sub-blocks
            at = pastSubBlocks(b, at + 2);
        } else if (block == 0x2C) { // the image: descriptor, colours, code size, sub-blocks
            if (!b.has(at, 10))
                return false;
            at += 10 + colourTable(b.at(at + 9)) + 1;
            return pastSubBlocks(b, at) != 0;
        } else {
            return block == 0x3B; // the trailer: no image, which the reader refuses itself
        }
        if (at == 0)
            return false;
    }
    return false;
}

} // namespace

bool pictureFileWhole(const unsigned char* bytes, std::size_t size)
{
    const Bytes b{bytes, size};
    if (b.starts("BM", 2))
        return bmpWhole(b);
    if (b.starts("\xFF\xD8\xFF", 3))
        return jpegWhole(b);
    if (b.starts("\x89PNG\r\n\x1A\n", 8))
        return pngWhole(b);
    if (b.starts("GIF87a", 6) || b.starts("GIF89a", 6))
        return gifWhole(b);
    return true;
}

} // namespace kv

#include "platform/metafile/jpeg_cost.h"

#include <algorithm>
#include <cstring>

namespace kv {
namespace {

constexpr unsigned startOfScan = 0xDA, endOfImage = 0xD9, comment = 0xFE, app1 = 0xE1, app2 = 0xE2;
constexpr int mostComponents = 4; // the decoder gives no picture of more

struct Component {
    int id = 0, h = 1, v = 1;
    double blocksAcross = 0, blocksDown = 0; // of its own samples
};

struct Frame {
    bool progressive = false, arithmetic = false;
    int width = 0, height = 0;
    int count = 0; // components
    Component components[mostComponents];
    int hMax = 1, vMax = 1;

    double ceilDiv(double a, double b) const { return double((std::int64_t(a) + std::int64_t(b) - 1) / std::int64_t(b)); }
    double mcusAcross() const { return ceilDiv(width, 8.0 * hMax); }
    double mcusDown() const { return ceilDiv(height, 8.0 * vMax); }
};

std::uint32_t be16(const unsigned char* p) { return std::uint32_t(p[0]) << 8 | p[1]; }

// The frame header's body; false for one the decoder does not read.
bool readFrame(unsigned marker, const unsigned char* body, std::size_t length, Frame& f)
{
    const bool sequential = marker == 0xC0 || marker == 0xC1 || marker == 0xC9;
    const bool progressive = marker == 0xC2 || marker == 0xCA;
    if (!(sequential || progressive) || length < 6)
        return false;
    f.progressive = progressive;
    f.arithmetic = marker >= 0xC9;
    f.height = int(be16(body + 1));
    f.width = int(be16(body + 3));
    f.count = body[5];
    if (f.width == 0 || f.height == 0 || f.count < 1 || f.count > mostComponents || length < 6 + 3 * std::size_t(f.count))
        return false;
    for (int i = 0; i < f.count; ++i) {
        Component& c = f.components[i];
        c.id = body[6 + 3 * i];
        c.h = body[7 + 3 * i] >> 4;
        c.v = body[7 + 3 * i] & 15;
        if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4)
            return false;
        f.hMax = std::max(f.hMax, c.h);
        f.vMax = std::max(f.vMax, c.v);
    }
    for (int i = 0; i < f.count; ++i) {
        Component& c = f.components[i];
        c.blocksAcross = f.ceilDiv(double(f.width) * c.h, 8.0 * f.hMax);
        c.blocksDown = f.ceilDiv(double(f.height) * c.v, 8.0 * f.vMax);
    }
    return true;
}

// The coefficients held between scans: each component's blocks, rounded up
// to whole groups of its sampling factors, at 64 coefficients of 2 bytes.
double heldCoefficientBytes(const Frame& f)
{
    double bytes = 0;
    for (int i = 0; i < f.count; ++i) {
        const Component& c = f.components[i];
        bytes += f.ceilDiv(c.blocksAcross, c.h) * c.h * f.ceilDiv(c.blocksDown, c.v) * c.v * 128;
    }
    return bytes;
}

// A scan's steps: the blocks of each component it covers (one alone: its own
// blocks; several: whole MCUs of them), each with the coefficients of its band.
double scanSteps(const Frame& f, const unsigned char* body, std::size_t length, bool* coversAll)
{
    const unsigned count = length >= 1 ? body[0] : 0;
    if (count < 1 || length < 1 + 2 * std::size_t(count) + 3)
        return jpegScanSteps;
    const unsigned start = body[1 + 2 * count], end = body[2 + 2 * count];
    const double band = f.progressive ? std::max(1, int(std::min(end, 63u)) - int(start) + 1) : 64;
    const double perBlock = f.arithmetic ? jpegArithmeticBlockSteps + jpegArithmeticCoefficientSteps * band
                                         : jpegBlockSteps + jpegCoefficientSteps * band;
    double blocks = 0;
    int covered = 0;
    for (unsigned i = 0; i < count; ++i) {
        const int id = body[1 + 2 * i];
        for (int k = 0; k < f.count; ++k) {
            const Component& c = f.components[k];
            if (c.id != id)
                continue;
            ++covered;
            blocks += count == 1 ? c.blocksAcross * c.blocksDown : f.mcusAcross() * f.mcusDown() * c.h * c.v;
            break;
        }
    }
    *coversAll = covered >= f.count;
    return jpegScanSteps + blocks * perBlock;
}

// The end of the coded data from `at`: the first marker that is not a
// restart (a 0xFF followed by a zero is a coded 0xFF).
std::size_t pastCodedData(const unsigned char* b, std::size_t size, std::size_t at)
{
    while (at < size) {
        const void* found = std::memchr(b + at, 0xFF, size - at);
        if (!found)
            return size;
        at = std::size_t(static_cast<const unsigned char*>(found) - b);
        if (at + 1 >= size)
            return size;
        const unsigned next = b[at + 1];
        if (next != 0x00 && !(next >= 0xD0 && next <= 0xD7) && next != 0xFF)
            return at;
        at += next == 0xFF ? 1 : 2;
    }
    return size;
}

} // namespace

bool JpegDecoding::keptAffordable() const
{
    return keptSegments <= maxJpegKeptSegments && keptBytes <= maxJpegKeptBytes;
}

bool JpegDecoding::affordable() const { return keptAffordable() && steps <= maxJpegDecodingSteps; }

JpegDecoding countJpegDecoding(const unsigned char* b, std::size_t size)
{
    JpegDecoding out;
    if (size < 4 || b[0] != 0xFF || b[1] != 0xD8)
        return out;
    Frame frame;
    bool frameRead = false, frameRefused = false;
    std::size_t at = 2;
    while (at + 1 < size) {
        if (b[at] != 0xFF) {
            ++at; // stray bytes between segments: the decoder skips them too
            continue;
        }
        const unsigned marker = b[at + 1];
        if (marker == 0xFF) {
            ++at; // fill
            continue;
        }
        if (marker == endOfImage) {
            out.whole = true;
            break;
        }
        if ((marker >= 0xD0 && marker <= 0xD7) || marker == 0x01 || marker == 0x00) {
            at += 2; // stand-alone markers
            continue;
        }
        if (at + 4 > size)
            break;
        const std::size_t length = be16(b + at + 2);
        if (length < 2)
            break;
        const unsigned char* body = b + at + 4;
        const std::size_t bodyLength = std::min(length - 2, size - (at + 4));
        at += 2 + length;
        if (marker == comment || marker == app1 || marker == app2) {
            ++out.keptSegments;
            out.keptBytes += std::int64_t(bodyLength);
        } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (!frameRead && !frameRefused) {
                frameRead = readFrame(marker, body, bodyLength, frame);
                frameRefused = !frameRead;
            }
        } else if (marker == startOfScan && frameRead) {
            bool coversAll = false;
            out.steps += scanSteps(frame, body, bodyLength, &coversAll);
            if (out.scans++ == 0 && (frame.progressive || !coversAll))
                out.coefficientBytes = heldCoefficientBytes(frame);
        }
        if (marker == startOfScan && at < size) {
            const std::size_t end = pastCodedData(b, size, at);
            out.steps += jpegCodedByteSteps * double(end - at);
            at = end;
        }
    }
    if (frameRead) {
        out.steps += jpegPixelSteps * double(frame.width) * double(frame.height);
        out.width = frame.width;
        out.height = frame.height;
    }
    return out;
}

} // namespace kv

// What decoding a JPEG will cost, read from its markers before any of it is
// decoded: the picture reader asks it of a JPEG file, the metafile player of
// a JPEG packed in a bitmap record. The segments are walked and the coded
// data only skipped over, so the count is quick and the same on every
// machine.
//
// The decoder's work grows with the file in ways its size hides. A
// progressive JPEG (or a sequential one whose components come in scans of
// their own) is decoded scan by scan, and every scan steps through every
// block of the components it covers, coded data or none: 20,000 scans of a
// few bytes each over an 8000 x 8000 picture take over a minute. A
// refinement scan steps through every coefficient of its band in each block,
// arithmetic coding decodes every coefficient bit by bit from its own data
// or, where the data has run out, from zeros. Such a file also holds all its
// coefficients (128 bytes a block) until its last scan. And the decoder keeps
// the comment and the APP1 and APP2 segments (text, Exif, colour profile),
// each added at the end of a list it walks from the start: a few megabytes of
// empty comments take minutes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kv {

// The decoder's work in steps of about 0.6 ns on this machine when idle, as
// measured with libjpeg-turbo 2.1 behind Qt's reader, counted at the worst of
// what each scan may ask (an empty scan costs less than it is counted):
// - each scan: 2000 (its tables set up, its header read);
// - each block of each component the scan covers: 25 (Huffman codes: a
//   refinement scan of 16,384-block runs with no new coefficient takes 16 ns
//   a block), 60 (arithmetic coding: its DC decoded from zeros takes 35 ns);
// - each coefficient of the scan's band in each of those blocks: 1 (Huffman
//   codes: the same refinement over 63 coefficients takes 51 ns a block),
//   240 (arithmetic coding: about 145 ns, see below);
// - each byte of coded data: 8;
// - each pixel of the picture: 15 (the last pass, from coefficients to
//   colours: an 8000 x 8000 colour picture of one scan takes 0.7 s).
// An arithmetic coded coefficient of ten magnitude bits was measured at 110
// ns; one of fifteen, the most the decoder takes, has a third more decisions.
constexpr double jpegScanSteps = 2000;
constexpr double jpegBlockSteps = 25;
constexpr double jpegArithmeticBlockSteps = 60;
constexpr double jpegCoefficientSteps = 1;
constexpr double jpegArithmeticCoefficientSteps = 240;
constexpr double jpegCodedByteSteps = 8;
constexpr double jpegPixelSteps = 15;

// Measured with the picture reader, a step took 0.5 to 0.7 ns on an idle
// machine and up to 3.6 ns beside twelve busy processes: an ordinary
// progressive photo of 100 megapixels (ten scans, colours at full
// resolution, 2.9e9 steps) took 2.0 and 10.4 s, 33 refinement scans over an
// 8000 x 8000 picture (3.95e9) 2.7 and 10.8 s. A file inside ends within
// fifteen seconds on a busy machine.
constexpr double maxJpegDecodingSteps = 3.5e9;

// The comment, APP1 and APP2 segments the decoder may keep: a photo has a
// few, a colour profile split into its largest number of parts 255.
constexpr int maxJpegKeptSegments = 1000;
constexpr std::int64_t maxJpegKeptBytes = 16 * 1024 * 1024;

struct JpegDecoding {
    int width = 0, height = 0; // from the frame header the decoder reads; 0 without one
    int scans = 0;
    double steps = 0;
    // The coefficients the decoder holds from the first scan to the last:
    // none when one scan decodes the whole picture.
    double coefficientBytes = 0;
    // Every segment and scan there, up to the end-of-image marker.
    bool whole = false;
    int keptSegments = 0;
    std::int64_t keptBytes = 0;

    // The kept segments within their limits: to be asked before the decoder reads the header.
    bool keptAffordable() const;
    // That, and the steps within maxJpegDecodingSteps.
    bool affordable() const;
};

// The count for the JPEG in these bytes; no width or height for bytes that
// are not one or whose frame the decoder does not read (lossless,
// hierarchical, or a frame it refuses).
JpegDecoding countJpegDecoding(const unsigned char* bytes, std::size_t size);

} // namespace kv

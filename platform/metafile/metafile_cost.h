// What drawing a metafile costs, counted before each drawing call from what
// the call asks of Qt's raster painter, and the budget the sum must stay in.
// Nothing is timed: the same metafile is drawn or refused alike on a busy and
// an idle machine.
#pragma once

#include <QPolygonF>
#include <QRectF>

#include <vector>

namespace kv::metafile {

// Work is counted in units of about a nanosecond of drawing on this machine
// when idle. What costs what was measured on Qt's raster painter with
// antialiasing off:
// - filling a polygon costs, on every pixel row it covers, about the square
//   of the edges crossing that row (the scan converter sorts and merges them
//   row by row: a zigzag of 800 teeth over 2000 rows takes 8 s), besides the
//   pixels it covers;
// - a one-pixel line costs about 14 units a pixel of its length;
// - a wider line is stroked into an outline of its own and filled: its length
//   times its width in pixels, and the crossings of that outline (two edges a
//   segment, over the rows the segment and its width cover);
// - a glyph costs its em squared: a pixel each while Qt keeps its image
//   (up to 64 pixels), 40 when it fills the glyph's outline instead;
// - a bitmap costs its decoded pixels and the pixels it is drawn over; a clip
//   region adds its rectangles to every call.
constexpr double crossingSquareWork = 1.5;
constexpr double crossingWork = 20;
constexpr double filledPixelWork = 1;
constexpr double linePixelWork = 14;
constexpr double pointWork = 30;
constexpr double callWork = 2000;
constexpr double glyphWork = 5000;
constexpr double glyphPixelWork = 1;
constexpr double glyphOutlinePixelWork = 40;
constexpr double largestCachedGlyph = 64;
constexpr double decodedPixelWork = 20;
// A packed JPEG's scans, in the decoder's steps counted from its markers
// (jpeg_cost.h), each about 0.6 ns.
constexpr double jpegDecodingStepWork = 0.6;
constexpr double blitPixelWork = 3;
constexpr double regionRectWork = 200;
constexpr double recordWork = 50; // reading a record that draws nothing

// About three seconds of drawing on an idle machine: the costliest metafile
// inside ends well within fifteen seconds on a busy one, and a map of tens of
// thousands of lines stays far inside.
constexpr double maxDrawingWork = 3e9;

// A region of more rectangles than this would cost every later call more
// than any picture is worth.
constexpr qint64 maxRegionRects = 100000;

// The bitmaps a metafile may hold: none is decoded past this many pixels.
constexpr double maxBitmapPixels = 64.0 * 1024 * 1024;

class Budget {
public:
    // rows: the picture's height in pixels.
    explicit Budget(int rows);

    // Adds the work; false from the moment the sum passes the budget on.
    bool spend(double work);
    bool exhausted() const { return spent_ > maxDrawingWork; }
    double spent() const { return spent_; }

    // Filling rings (closed, in picture pixels) inside the box.
    double fill(const std::vector<QPolygonF>& rings, const QRectF& box);
    // Stroking lines (in picture pixels; closed ones repeat their first point)
    // of this width in pixels inside the box.
    double stroke(const std::vector<QPolygonF>& lines, double width, const QRectF& box);

private:
    void addEdge(double y0, double y1, const QRectF& box);
    // The sum of squares and the sum of the crossings of the rows touched
    // since the last call, which clears them.
    std::pair<double, double> takeCrossings();

    double spent_ = 0;
    std::vector<int> rowStarts_; // per row: edges starting minus edges ending there
    int firstRow_ = 0, lastRow_ = -1;
};

} // namespace kv::metafile

// What drawing a metafile costs, counted before each drawing call from what
// the call asks of Qt's raster painter, and the budget the sum must stay in.
// Nothing is timed: the same metafile is drawn or refused alike on a busy and
// an idle machine.
#pragma once

#include <QList>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QRegion>

#include <vector>

namespace kv::metafile {

// Work is counted in units of about a nanosecond of drawing on this machine
// when idle. Each counted call, its terms, and what they were measured on
// (Qt 6.4's raster painter, antialiasing off, one thread):
//
// Fills (Budget::fill: polygons, paths, shapes, boxes, opaque text boxes,
// PatBlt and the bitmap records' fills without a bitmap):
// - on every pixel row it covers, the scan converter sorts and merges the
//   edges crossing that row: about the square of their number (a zigzag of
//   800 teeth over 2000 rows takes 8 s; the dots of a wide dotted line in one
//   row 0.6 ns a square), crossingSquareWork and crossingWork;
// - filledPixelWork a pixel it covers (a solid fill 0.4 ns, an 8-pixel tile
//   0.5 ns), hatchedPixelWork under a hatched brush (2.3 ns in the opaque
//   background mode);
// - pointWork a point of its outline (drawPath 20 to 60 ns a point);
//   drawPolygon takes 3 ns a point up to 65535 points and 550 to 800 ns
//   beyond, so larger polygons are drawn as paths. A curve counts the points
//   Qt flattens it into, estimated from its control points in picture pixels
//   (each curve split in halves until its control points lie within a quarter
//   of a pixel of its chord, at most nine times) before anything flattens it.
// One-pixel lines (Budget::stroke): linePixelWork a pixel of length (9 to
//   14 ns) and pointWork a point (30 ns; 50 ns for a path). A dashed one costs
//   up to 1.4 times as much (dashedLineFactor), and in the opaque background
//   mode a solid line in the background colour is drawn under it first.
//   Mixed with the picture by a raster operation other than a plain copy
//   (SetROP2), each pixel is blended on its own: mixedLinePixelWork (240 to
//   310 ns solid, 110 to 140 ns dotted, 340 to 440 ns dotted in the opaque
//   mode); wider lines and fills keep their cost under a raster operation.
// Wider lines: the pen's outline is built round every point and filled: its
//   length times its width in pixels, the crossings of the outline (two edges
//   a segment over the rows the segment and its width cover), and
//   widePointWork a point (200 to 700 ns and 370 bytes a point),
//   roundJoinPointWork with round joins (500 to 1400 ns). Dashed, each dash is
//   an outline of its own: dashWork (1 to 1.3 us), roundDashWork more with
//   round ends (2.5 us, and roundDashWidthWork a pixel of width), and two
//   edges on every row it covers; the opaque background mode draws the solid
//   line in the background colour first.
// Text (Canvas::text): glyphWork a glyph drawn (2.2 to 3 us a drawText of one
//   character, 0.25 us a character of a long string), its em squared: a pixel
//   each while Qt keeps its image (up to 64 pixels); past that Qt fills the
//   glyph's outline each time, outlineGlyphWork and glyphOutlinePixelWork a
//   pixel of its em squared, up to the pixels the clip leaves (a Chinese
//   character turned 30 degrees: 0.17 ms at 65 pixels, 1 ms at 300, 7.5 ms at
//   1000, 57 ms at 3000; 0.6 to 4 ns a pixel on the picture past that).
//   newGlyphWork the first time a character is drawn at a size and angle (35
//   to 70 us to render and keep its image, 2 to 6 KB); fontSizeWork the first
//   time a font is drawn at a size, stretch and angle (7 to 57 us);
//   fontLookupWork each face, weight and style first asked for (0.1 ms a face
//   name, 0.5 ms a weight, through the system's font fallbacks; its metrics
//   read once, metafile_font.h), and each character a face lacks the first
//   time its cell is measured (the font Qt falls back to for it). The canvas
//   keeps each font at its size: one made anew is looked up anew (0.5 ms with
//   fallback faces). A glyph's pixels grow with the font's stretch.
//   An opaque box, the background behind the characters, underlines and the
//   clip to the box count as the fills they are.
// Bitmaps: decodedPixelWork a pixel decoded, blitPixelWork a pixel drawn over
//   (0.5 to 1.2 ns, rotated or mirrored).
// Regions: regionRectWork a rectangle of a region combined or filled
//   (union 0.5 us, exclusive or 0.2 us, a filled rectangle 0.1 us), the clip
//   region's rectangles on every call; a region's result is bounded before it
//   is made (its bands times their rectangles) and regionBoundWork counted a
//   rectangle of that bound; polygonRegionRectWork a rectangle of a region
//   made from a polygon (1.2 to 3 us); regionCopyWork a rectangle copied.
// Records: recordWork a record read, whatever it draws.
constexpr double crossingSquareWork = 1.5;
constexpr double crossingWork = 20;
constexpr double filledPixelWork = 1;
constexpr double hatchedPixelWork = 3;
constexpr double linePixelWork = 14;
constexpr double mixedLinePixelWork = 400;
constexpr double pointWork = 50;
constexpr double dashedLineFactor = 1.5;
constexpr double widePointWork = 700;
constexpr double roundJoinPointWork = 1500;
constexpr double dashWork = 1500;
constexpr double roundDashWork = 4000;
constexpr double roundDashWidthWork = 50;
constexpr double callWork = 2000;
constexpr double glyphWork = 5000;
constexpr double glyphPixelWork = 1;
constexpr double outlineGlyphWork = 200000;
constexpr double glyphOutlinePixelWork = 10;
constexpr double largestCachedGlyph = 64;
constexpr double newGlyphWork = 60000;
constexpr double fontSizeWork = 60000;
constexpr double fontLookupWork = 500000;
constexpr double decodedPixelWork = 20;
// A packed JPEG's scans, in the decoder's steps counted from its markers
// (jpeg_cost.h), each about 0.6 ns.
constexpr double jpegDecodingStepWork = 0.6;
constexpr double blitPixelWork = 3;
constexpr double regionRectWork = 200;
constexpr double regionBoundWork = 20;
constexpr double polygonRegionRectWork = 3000;
constexpr double regionCopyWork = 10;
constexpr double recordWork = 50; // reading a record that draws nothing

// About three seconds of drawing on an idle machine: the costliest metafile
// inside ends well within fifteen seconds on a busy one, and a map of tens of
// thousands of lines stays far inside.
constexpr double maxDrawingWork = 3e9;

// Memory, which the work alone does not bound. A region of more rectangles
// than this would cost every later call more than any picture is worth; one
// whose bound passes regionBoundLimit is not made.
constexpr qint64 maxRegionRects = 100000;
constexpr double regionBoundLimit = 16.0 * maxRegionRects;
// The points a fill or a one-pixel line hands Qt in one call, curves
// flattened (copies of 16 to 50 bytes a point)...
constexpr double maxCallPoints = 4.0 * 1024 * 1024;
// ... and the points and dashes of one wider line (about 400 bytes each).
constexpr double maxOutlinePoints = 1024.0 * 1024;

// The bitmaps a metafile may hold: none is decoded past this many pixels.
constexpr double maxBitmapPixels = 64.0 * 1024 * 1024;

// The least and greatest coordinates of a polygon's points, as
// QPolygonF::boundingRect finds them (a point that is not a number is passed
// over, unless it is the first); all zero for no point.
struct Extent {
    double left = 0, top = 0, right = 0, bottom = 0;
    // QPolygonF::boundingRect's rectangle, to the bit.
    QRectF rect() const { return QRectF(left, top, right - left, bottom - top); }
};
Extent extentOf(const QPolygonF& polygon);

// From this width in pixels the painter strokes a pen as an outline built
// round every point; narrower, as a one-pixel line.
constexpr double widePenPixels = 1.5;

// A pen as the painter strokes it.
struct Stroke {
    double width = 1;     // pixels; under widePenPixels: a one-pixel line
    QList<qreal> dashes;  // Qt's pattern, in widths (pixels for a one-pixel line); empty: solid
    bool roundJoins = false, roundCaps = false;
    bool opaqueGaps = false; // a solid line in the background colour drawn under the dashes
    bool mixed = false;      // drawn with a raster operation other than a plain copy
};

// The rectangles QRegion's combination of a and b can hold at most: bands
// from either's band edges, each with the rectangles of both its bands.
double regionOpBound(const QRegion& a, const QRegion& b);
// The same for the union of rectangles that may overlap: in every band of
// their edges, the rectangles that span it.
double regionUnionBound(const std::vector<QRect>& rects);

class Budget {
public:
    // rows: the picture's height in pixels; limit: the work allowed.
    explicit Budget(int rows, double limit = maxDrawingWork);

    // Adds the work; false from the moment the sum passes the budget on. Work
    // that is not finite (a damaged coordinate, a cap passed) refuses.
    bool spend(double work);
    // Refuses the metafile: nothing more is drawn.
    void refuse() { refused_ = true; }
    bool exhausted() const { return refused_ || spent_ > limit_; }
    double spent() const { return spent_; }

    // Filling rings (closed, in picture pixels) or a path's figures inside
    // the box, at pixelWork a pixel. Infinite past maxCallPoints.
    double fill(const std::vector<QPolygonF>& rings, const QRectF& box, double pixelWork = filledPixelWork);
    double fill(const QPainterPath& path, const QRectF& box, double pixelWork = filledPixelWork);
    // Stroking lines (in picture pixels; closed ones repeat their first point)
    // or a path with the pen inside the box. Infinite past maxCallPoints
    // (one-pixel) or maxOutlinePoints (wider). extents, when given, are the
    // lines' extents, one a line: a line inside the box is then measured
    // without holding each point to it (which would change none of them).
    double stroke(const std::vector<QPolygonF>& lines, const Stroke& pen, const QRectF& box,
                  const Extent* extents = nullptr);
    double stroke(const QPainterPath& path, const Stroke& pen, const QRectF& box);
    // Making each ring (in picture pixels) a region and combining them: the
    // fill's work and each row's spans. Infinite past regionBoundLimit spans.
    double polygonRegions(const std::vector<QPolygonF>& rings, const QRectF& box);

private:
    struct Strokes;
    void addEdges(double y0, double y1, double count, const QRectF& box);
    // Adds the edges of the rings (closed) inside the box; their points and
    // the box they cover.
    std::pair<double, QRectF> addRings(const std::vector<QPolygonF>& rings, const QRectF& box);
    // The sum of squares and the sum of the crossings of the rows touched
    // since the last call, which clears them.
    std::pair<double, double> takeCrossings();
    double filled(double points, const QRectF& covered, const QRectF& box, double pixelWork);
    double stroked(const Strokes& s, double points);

    double limit_;
    double spent_ = 0;
    bool refused_ = false;
    std::vector<double> rowStarts_; // per row: edges starting minus edges ending there
    int firstRow_ = 0, lastRow_ = -1;
};

} // namespace kv::metafile

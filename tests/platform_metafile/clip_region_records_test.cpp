// The clipping and region records, one row per family in WMF and in EMF
// where both have it: clip rectangles, their offsets, regions filled,
// painted and selected as the clip, the ways a region combines with the clip,
// and clip paths. Each row fills the whole picture (or a region) in blue;
// what the clip lets through is worked out by hand.
#include "tests/support/metafile_rows.h"

namespace kv {
namespace {

using namespace test;

const quint32 blueRef = colorRef(0, 0, 255), redRef = colorRef(255, 0, 0);

QByteArray wmfWhole() { return wmf::rectangle(0, 0, 100, 100); }
QByteArray emfWhole() { return emf::rectangle(0, 0, 100, 100); }

// Logical units of half a pixel.
QByteArray emfHalfPixels()
{
    return emf::setMapMode(gdi::mmAnisotropic) + emf::setWindowExtEx(200, 200) + emf::setViewportExtEx(100, 100);
}

// The clip x < 60, then a region x >= 40 combined with it; the row's pixels
// at x = 20, 50 and 80.
QByteArray combinedWith(int mode)
{
    return emf100(emfFill(blueRef) + emf::intersectClipRect(0, 0, 60, 100) + emf::extSelectClipRgn(mode, {{40, 0, 100, 100}})
                  + emfWhole());
}
std::vector<Expect> across(QRgb at20, QRgb at50, QRgb at80) { return {at(20, 50, at20), at(50, 50, at50), at(80, 50, at80)}; }

const QList<QList<QPoint>> nestedSquares{{{10, 10}, {90, 10}, {90, 90}, {10, 90}}, {{30, 30}, {70, 30}, {70, 70}, {30, 70}}};
QByteArray clipPathOfSquares(int fillMode)
{
    return emf::setPolyFillMode(fillMode) + emf::beginPath() + emf::polyPolygon16(nestedSquares) + emf::endPath()
           + emf::selectClipPath(gdi::rgnCopy);
}

TEST(MetafileClipRecords, ClipRectanglesRegionsAndPaths)
{
    const QList<Box> twoSquares{{10, 10, 40, 40}, {60, 60, 90, 90}};
    const std::vector<Expect> inTwoSquares{at(25, 25, blue), at(75, 75, blue), at(75, 25, white), at(25, 75, white),
                                           at(50, 50, white)};
    const Row rows[] = {
        {"EMF IntersectClipRect", emf100(emfFill(blueRef) + emf::intersectClipRect(0, 0, 50, 50) + emfWhole()),
         {at(25, 25, blue), at(49, 49, blue), at(50, 50, white), at(75, 25, white), at(25, 75, white)}},
        {"WMF IntersectClipRect in logical units",
         wmf100(wmf::setWindowExt(200, 200) + wmfFill(blueRef) + wmf::intersectClipRect(0, 0, 100, 100)
                + wmf::rectangle(0, 0, 200, 200)),
         {at(25, 25, blue), at(75, 25, white), at(75, 75, white)}},
        {"WMF ExcludeClipRect", wmf100(wmfFill(blueRef) + wmf::excludeClipRect(40, 0, 60, 100) + wmfWhole()),
         across(blue, white, blue)},
        {"EMF ExcludeClipRect", emf100(emfFill(blueRef) + emf::excludeClipRect(40, 0, 60, 100) + emfWhole()),
         across(blue, white, blue)},
        {"WMF OffsetClipRgn", wmf100(wmfFill(blueRef) + wmf::intersectClipRect(0, 0, 50, 50) + wmf::offsetClipRgn(50, 50) + wmfWhole()),
         {at(75, 75, blue), at(25, 25, white), at(75, 25, white)}},
        {"EMF OffsetClipRgn in logical units",
         emf100(emfHalfPixels() + emfFill(blueRef) + emf::intersectClipRect(0, 0, 100, 100) + emf::offsetClipRgn(100, 100)
                + emf::rectangle(0, 0, 200, 200)),
         {at(75, 75, blue), at(25, 25, white), at(75, 25, white)}},
        {"WMF OffsetClipRgn on and on: the clip stays out of sight, never wrapping round to the picture",
         wmf100(wmfFill(blueRef) + wmf::intersectClipRect(0, 0, 100, 100) + wmf::offsetClipRgn(-32768, 0).repeated(131072)
                + wmfWhole()),
         {blank(0, 0, 99, 99)}},
        {"EMF ExtSelectClipRgn RGN_AND", combinedWith(gdi::rgnAnd), across(white, blue, white)},
        {"EMF ExtSelectClipRgn RGN_OR", combinedWith(gdi::rgnOr), across(blue, blue, blue)},
        {"EMF ExtSelectClipRgn RGN_XOR", combinedWith(gdi::rgnXor), across(blue, white, blue)},
        {"EMF ExtSelectClipRgn RGN_DIFF", combinedWith(gdi::rgnDiff), across(blue, white, white)},
        {"EMF ExtSelectClipRgn RGN_COPY", combinedWith(gdi::rgnCopy), across(white, blue, blue)},
        {"EMF ExtSelectClipRgn RGN_COPY of no region: no clip",
         emf100(emfFill(blueRef) + emf::intersectClipRect(0, 0, 50, 50) + emf::extSelectClipRgn(gdi::rgnCopy, {}) + emfWhole()),
         {at(75, 75, blue)}},
        {"EMF clip region in device units, whatever the mapping",
         emf100(emfHalfPixels() + emfFill(blueRef) + emf::extSelectClipRgn(gdi::rgnCopy, {{0, 0, 50, 50}})
                + emf::rectangle(0, 0, 200, 200)),
         {at(35, 35, blue), at(75, 75, white)}},
        {"EMF saved state: the clip goes with it",
         emf100(emfFill(blueRef) + emf::saveDC() + emf::intersectClipRect(0, 0, 50, 50) + emf::restoreDC() + emfWhole()),
         {at(75, 75, blue)}},
        {"EMF FillRgn: both rectangles, in device units",
         emf100(emfHalfPixels() + emf::createBrushIndirect(2, gdi::bsSolid, blueRef) + emf::fillRgn(2, twoSquares)),
         inTwoSquares},
        {"EMF PaintRgn: with the brush selected",
         emf100(emf::createBrushIndirect(2, gdi::bsSolid, redRef) + emf::selectObject(2) + emf::paintRgn({{10, 10, 40, 40}})),
         {at(25, 25, red), at(50, 50, white)}},
        {"WMF FillRegion: both rectangles, in logical units",
         wmf100(wmf::setWindowExt(200, 200) + wmf::createBrushIndirect(gdi::bsSolid, blueRef)
                + wmf::createRegion({{20, 20, 80, 80}, {120, 120, 180, 180}}) + wmf::fillRegion(1, 0)),
         inTwoSquares},
        {"WMF PaintRegion: with the brush selected",
         wmf100(wmf::createBrushIndirect(gdi::bsSolid, redRef) + wmf::selectObject(0)
                + wmf::createRegion({{10, 10, 40, 40}}) + wmf::paintRegion(1)),
         {at(25, 25, red), at(50, 50, white)}},
        {"WMF SelectClipRegion", wmf100(wmfFill(blueRef) + wmf::createRegion(twoSquares) + wmf::selectClipRegion(2) + wmfWhole()),
         inTwoSquares},
        {"EMF SelectClipPath, alternate: the inner square left out",
         emf100(emfFill(blueRef) + clipPathOfSquares(gdi::alternate) + emfWhole()),
         {at(20, 20, blue), at(50, 50, white), at(95, 95, white)}},
        {"EMF SelectClipPath, winding: the inner square in",
         emf100(emfFill(blueRef) + clipPathOfSquares(gdi::winding) + emfWhole()),
         {at(20, 20, blue), at(50, 50, blue), at(95, 95, white)}},
        {"EMF SelectClipPath RGN_AND: the path inside the clip",
         emf100(emfFill(blueRef) + emf::intersectClipRect(0, 0, 50, 100) + emf::beginPath()
                + emf::polygon16({{20, 20}, {80, 20}, {80, 80}, {20, 80}}) + emf::endPath() + emf::selectClipPath(gdi::rgnAnd)
                + emfWhole()),
         {at(30, 50, blue), at(60, 50, white), at(10, 50, white)}},
    };
    for (const Row& row : rows)
        expectRow(row);
}

} // namespace
} // namespace kv

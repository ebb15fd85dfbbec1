// Metafiles whose drawing calls ask Qt's painter for far more work or memory
// than a count of their shapes' points and pixels suggests: one generator a
// class, taking the numbers that size it. Each class is a way a call's cost
// grows with something in the file that the count of points and pixels alone
// misses: opaque text boxes, the object table's free slots, fonts looked up,
// curves flattened, dashes, lines mixed by a raster operation, regions made
// or combined, and the points of wide pens and of large fills.
#pragma once

#include "tests/support/metafile_corpus.h"

#include <QStringList>

#include <cmath>

namespace kv::test {

namespace hostile {

// A region of rectangles (device units) selected as the clip with mode.
inline QByteArray emfSelectClipRegion(const QList<QRect>& rects, int mode)
{
    QList<Box> boxes;
    boxes.reserve(rects.size());
    for (const QRect& r : rects)
        boxes << Box{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
    return emf::extSelectClipRgn(mode, boxes);
}

// A WMF region object: scans of rectangles, each scan its top, bottom and
// left-right pairs, in the order given (overlapping scans are kept as they are).
struct Scan {
    int top, bottom;
    QList<int> edges; // left, right, left, right ...
};
inline QByteArray wmfCreateRegion(const QList<Scan>& scans)
{
    Fields body;
    int largest = 0;
    for (const Scan& s : scans) {
        body.u16(int(s.edges.size())).u16s({s.top, s.bottom});
        for (int e : s.edges)
            body.u16(e);
        body.u16(int(s.edges.size()));
        largest = std::max(largest, 6 + 2 * int(s.edges.size()));
    }
    // nextInChain, objectType, objectCount, regionSize, scanCount, maxScan, bounding box
    Fields header;
    header.u16s({0, 6}).u32(0).u16(22 + int(body.bytes.size())).u16s({int(scans.size()), largest / 2, 0, 0, 0x7FFF, 0x7FFF});
    return wmf::record(0x06FF, header.bytes + body.bytes);
}

} // namespace hostile

// ---- Opaque text boxes --------------------------------------------------------

// One-letter texts whose opaque box (and clip, when clipped) covers a square
// picture (10000 pixels: each fills a hundred million pixels for a glyph).
inline CorpusFile opaqueTextBoxesWmf(int texts, int side, bool clipped)
{
    QByteArray records = wmf::createFontIndirect(-20, 400, gdi::ansiCharset, "Arial") + wmf::selectObject(0);
    const int options = gdi::etoOpaque | (clipped ? gdi::etoClipped : 0);
    for (int i = 0; i < texts; ++i)
        records += wmf::extTextOut(i % 97 * side / 100, i % 89 * side / 100, "A", {}, options, {0, 0, side, side});
    return {QStringLiteral("opaque-text-boxes-%1-on-%2%3.wmf").arg(texts).arg(side).arg(clipped ? "-clipped" : ""),
            wmf::placeableHeader(0, 0, side, side, 96) + wmf::metafile(records, 1), std::nullopt};
}

// One-letter texts in the default opaque background mode whose advance runs
// across the whole of a square picture: each fills its character cell's
// height along the picture's width, behind a glyph of 64 pixels.
inline CorpusFile opaqueWideTextsWmf(int texts, int side)
{
    QByteArray records = wmf::createFontIndirect(-64, 400, gdi::ansiCharset, "Arial") + wmf::selectObject(0);
    for (int i = 0; i < texts; ++i)
        records += wmf::extTextOut(0, i % (side / 66) * 66, "W", {side});
    return {QStringLiteral("opaque-wide-texts-%1-on-%2.wmf").arg(texts).arg(side),
            wmf::placeableHeader(0, 0, side, side, 96) + wmf::metafile(records, 1), std::nullopt};
}

// ---- The object table ---------------------------------------------------------

// Every slot of a table of the largest size taken by a brush, then more
// brushes, each of which finds no free slot.
inline CorpusFile fullObjectTableWmf(int tableSize, int moreBrushes)
{
    const QByteArray brush = wmf::createBrushIndirect(gdi::bsSolid, colorRef(200, 30, 30));
    QByteArray records;
    records.reserve(brush.size() * (tableSize + moreBrushes) + 64);
    for (int i = 0; i < tableSize + moreBrushes; ++i)
        records += brush;
    records += wmf::selectObject(0) + wmf::rectangle(10, 10, 90, 90);
    return {QStringLiteral("object-table-%1-slots-%2-more.wmf").arg(tableSize).arg(moreBrushes),
            wmf::placeableHeader(0, 0, 100, 100, 96) + wmf::metafile(records, tableSize), std::nullopt};
}

// ---- Fonts ----------------------------------------------------------------------

// Texts each in a font of its own face name, none of which the machine has:
// each name is looked up again through the system's font fallbacks.
inline CorpusFile fontFacesWmf(int texts)
{
    QByteArray records;
    for (int i = 0; i < texts; ++i)
        records += wmf::createFontIndirect(-12, 400, gdi::ansiCharset, "Face" + QByteArray::number(i)) + wmf::selectObject(0)
                   + wmf::textOut(10 + i % 700, 20 + i / 700 % 500, "A") + wmf::deleteObject(0);
    return {QStringLiteral("font-faces-%1.wmf").arg(texts),
            wmf::placeableHeader(0, 0, 800, 600, 96) + wmf::metafile(records, 1), std::nullopt};
}

// Chinese characters each of its own, at a size (up to 64 pixels) and an
// angle of its own: each a glyph rendered and kept anew.
inline CorpusFile distinctGlyphsWmf(int texts)
{
    QByteArray records;
    for (int i = 0; i < texts; ++i) {
        const int code = 0xB0A1 + i % 72 * 0x100 + i / 72 % 94; // GB2312 rows 16 to 87, 94 a row
        const QByteArray character = QByteArray(1, char(code >> 8)) + char(code & 0xFF);
        records += wmf::createFontIndirect(-(8 + i % 57), 400, gdi::gb2312Charset, "SimSun", i * 7 % 3600)
                   + wmf::selectObject(0) + wmf::textOut(100 + i % 600, 100 + i / 600 % 400, character) + wmf::deleteObject(0);
    }
    return {QStringLiteral("distinct-glyphs-%1.wmf").arg(texts),
            wmf::placeableHeader(0, 0, 800, 600, 96) + wmf::metafile(records, 1), std::nullopt};
}

// ---- Curves ---------------------------------------------------------------------

// Curves whose control points swing far beyond a picture of 1000 x 1000
// pixels: each is flattened into hundreds of points. In one PolyBezier16, or
// filled from a path bracket.
inline CorpusFile largeCurvesEmf(int curves, bool inPath)
{
    QList<QPoint> points{{500, 500}};
    for (int i = 0; i < curves; ++i)
        points << QPoint(i % 2 ? -30000 : 30000, 30000) << QPoint(i % 2 ? 30000 : -30000, -30000)
               << QPoint(400 + i % 200, 500 + i % 7);
    const QSize size(1008, 1008);
    QByteArray records = emf::createBrushIndirect(1, gdi::bsSolid, colorRef(30, 120, 60)) + emf::selectObject(1);
    if (inPath) {
        points.removeFirst();
        records += emf::beginPath() + emf::points(88, points, false) + emf::endPath()
                   + emf::fillPath();
    } else {
        records += emf::points(85, points, false);
    }
    return {QStringLiteral("large-curves-%1%2.emf").arg(curves).arg(inPath ? "-in-path" : ""), emfOf(size, records, 2),
            std::nullopt};
}

// ---- Dashes ---------------------------------------------------------------------

// A dotted geometric pen (ExtCreatePen) two pixels wide on horizontal lines
// across a picture 4000 pixels wide, each line of its own or all back and
// forth in one polyline: each row a line covers is crossed by two edges a dot.
inline CorpusFile dottedWideLinesEmf(int lines, bool onePolyline)
{
    QByteArray records = emf::extCreatePen(1, 2, colorRef(20, 20, 160), gdi::psDot) + emf::selectObject(1);
    QList<QPoint> backAndForth;
    for (int i = 0; i <= lines && onePolyline; ++i)
        backAndForth << QPoint(i % 2 ? 3999 : 0, 1000);
    for (int i = 0; i < lines && !onePolyline; ++i)
        records += emf::polyline16({{0, 1000 + i % 2000}, {3999, 1000 + i % 2000}});
    if (onePolyline)
        records += emf::polyline16(backAndForth);
    return {QStringLiteral("dotted-wide-lines-%1%2.emf").arg(lines).arg(onePolyline ? "-one-polyline" : ""),
            emfOf(QSize(4000, 3000), records, 2), std::nullopt};
}

// ---- Raster operations ----------------------------------------------------------

// One-pixel lines across a picture 4000 pixels wide, each mixed with the
// picture by exclusive or (SetROP2): each of their pixels is blended on its own.
inline CorpusFile mixedLinesWmf(int lines)
{
    QByteArray records = wmf::setROP2(gdi::r2XorPen);
    for (int i = 0; i < lines; ++i)
        records += wmf::polyline({{0, i % 3000}, {3999, i * 7 % 3000}});
    return {QStringLiteral("mixed-lines-%1.wmf").arg(lines), wmf::placeableHeader(0, 0, 4000, 3000, 96) + wmf::metafile(records, 1),
            std::nullopt};
}

// ---- Regions --------------------------------------------------------------------

// A clip region of vertical strips a pixel wide and apart, intersected with
// one of horizontal strips: every strip of the one crosses every strip of the
// other, on a square picture as wide as the strips reach (10000 pixels at most).
inline CorpusFile crossedClipRegionsEmf(int strips)
{
    const int reach = 2 * strips, side = std::min(reach, 10000);
    QList<QRect> columns, rows;
    for (int i = 0; i < strips; ++i) {
        columns << QRect(2 * i, 0, 1, reach);
        rows << QRect(0, 2 * i, reach, 1);
    }
    const QByteArray records = hostile::emfSelectClipRegion(columns, gdi::rgnCopy)
                               + hostile::emfSelectClipRegion(rows, gdi::rgnAnd)
                               + emf::createBrushIndirect(1, gdi::bsSolid, colorRef(200, 0, 0)) + emf::selectObject(1)
                               + emf::rectangle(0, 0, side, side);
    return {QStringLiteral("crossed-clip-regions-%1.emf").arg(strips), emfOf(QSize(side, side), records, 2), std::nullopt};
}

// A WMF region object of crossing strips in overlapping scans (one of
// columns a pixel wide and apart, one for each row strip), selected as the
// clip: its scans united are a grid of strips squared, running on far beyond
// the picture's 4000 pixels.
inline CorpusFile crossedRegionWmf(int strips)
{
    const int reach = 2 * strips;
    QList<hostile::Scan> scans;
    hostile::Scan columns{0, reach, {}};
    for (int i = 0; i < strips; ++i)
        columns.edges << 2 * i << 2 * i + 1;
    scans << columns;
    for (int i = 0; i < strips; ++i)
        scans << hostile::Scan{2 * i, 2 * i + 1, {0, reach}};
    const QByteArray records = hostile::wmfCreateRegion(scans) + wmf::record(0x012C, {0}) // SelectClipRegion
                               + wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(1)
                               + wmf::createBrushIndirect(gdi::bsSolid, colorRef(200, 0, 0)) + wmf::selectObject(2)
                               + wmf::rectangle(0, 0, 4000, 4000);
    return {QStringLiteral("crossed-region-%1.wmf").arg(strips),
            wmf::placeableHeader(0, 0, 4000, 4000, 96) + wmf::metafile(records, 3), std::nullopt};
}

// A star of many points (each the next one a golden angle round) selected as
// the clip path again and again: each row of the picture is cut into spans
// as often as the star's edges cross it.
inline CorpusFile starClipPathsEmf(int points, int times)
{
    QList<QPoint> star;
    for (int i = 0; i < points; ++i)
        star << QPoint(2000 + int(1900 * std::cos(i * 2.39996)), 2000 + int(1900 * std::sin(i * 2.39996)));
    QByteArray records;
    for (int i = 0; i < times; ++i)
        records += emf::beginPath() + emf::polygon16(star) + emf::endPath() + emf::selectClipPath(gdi::rgnCopy);
    records += emf::rectangle(0, 0, 4000, 4000);
    return {QStringLiteral("star-clip-paths-%1-points-%2-times.emf").arg(points).arg(times), emfOf(QSize(4008, 4008), records, 1),
            std::nullopt};
}

// ---- Points of wide pens and of large fills ---------------------------------------

// Polylines of many points scattered beyond the picture, drawn with a
// round-ended pen ten pixels wide: the pen's outline is built round every
// point.
inline CorpusFile wideOutsideLinesEmf(int points, int lines)
{
    QList<QPoint> outside;
    for (int i = 0; i < points; ++i)
        outside << QPoint(1100 + int(qint64(i) * 7919 % 31000), 1100 + int(qint64(i) * 104729 % 31000));
    QByteArray records = emf::extCreatePen(1, 10, colorRef(0, 90, 0)) + emf::selectObject(1);
    for (int i = 0; i < lines; ++i)
        records += emf::polyline16(outside);
    return {QStringLiteral("wide-outside-lines-%1-points-%2.emf").arg(points).arg(lines), emfOf(QSize(1008, 1008), records, 2),
            std::nullopt};
}

// Polygons of many points scattered beyond the picture: filled in one call
// each.
inline CorpusFile largePolygonsEmf(int points, int polygons)
{
    QList<QPoint> ring;
    for (int i = 0; i < points; ++i)
        ring << QPoint(1100 + int(qint64(i) * 7919 % 31000), 1100 + int(qint64(i) * 104729 % 31000));
    QByteArray records = emf::createBrushIndirect(1, gdi::bsSolid, colorRef(90, 0, 90)) + emf::selectObject(1);
    for (int i = 0; i < polygons; ++i)
        records += emf::polygon16(ring);
    return {QStringLiteral("large-polygons-%1-points-%2.emf").arg(points).arg(polygons), emfOf(QSize(1008, 1008), records, 2),
            std::nullopt};
}

// Each class at the size that holds a reader up for long, or fills its memory.
inline std::vector<CorpusFile> hostileCallMetafiles()
{
    return {opaqueTextBoxesWmf(2000, 10000, false), opaqueTextBoxesWmf(2000, 10000, true), opaqueWideTextsWmf(100000, 10000),
            fullObjectTableWmf(65535, 300000), fontFacesWmf(100000), distinctGlyphsWmf(200000),
            largeCurvesEmf(1300000, false), largeCurvesEmf(1300000, true), dottedWideLinesEmf(4000, false),
            dottedWideLinesEmf(100, true), mixedLinesWmf(40000), crossedClipRegionsEmf(5000), crossedRegionWmf(16000),
            starClipPathsEmf(1000, 20), wideOutsideLinesEmf(4000000, 3), largePolygonsEmf(4000000, 3)};
}

// The same classes as fuzz seeds: under 300 kilobytes each (a fuzzer's
// inputs grow to the longest seed's length), on pictures of 5000 pixels at
// most.
inline std::vector<CorpusFile> hostileCallMetafileSeeds()
{
    return {opaqueTextBoxesWmf(400, 5000, true), opaqueWideTextsWmf(6000, 4000), fullObjectTableWmf(8192, 4096),
            fontFacesWmf(3000), distinctGlyphsWmf(4000), largeCurvesEmf(10000, false), largeCurvesEmf(10000, true),
            dottedWideLinesEmf(100, true), mixedLinesWmf(2000), crossedClipRegionsEmf(1000), crossedRegionWmf(3000),
            starClipPathsEmf(1000, 4),
            wideOutsideLinesEmf(50000, 1), largePolygonsEmf(70000, 1)};
}

} // namespace kv::test

// The shape records, one row per family in WMF and in EMF where both have
// it: lines and the current position, polygons and their fill modes, curves,
// boxes, arcs, pixels, pens (dashes, ends, joins, widths), hatched brushes and
// EMF paths. Pixels are worked out by hand from the records' coordinates.
#include "tests/support/metafile_rows.h"

namespace kv {
namespace {

using namespace test;

const quint32 blueRef = colorRef(0, 0, 255), redRef = colorRef(255, 0, 0);

QByteArray wmfPen(int style, int width) { return wmf::createPenIndirect(style, width, 0) + wmf::selectObject(0); }
QByteArray emfPen(int style, int width) { return emf::extCreatePen(1, width, 0, style) + emf::selectObject(1); }

// One ring around twice: the outer square, then the inner one the same way
// round. Alternate filling leaves the inner square out, winding fills it.
const QList<QPoint> twiceAround{{10, 10}, {90, 10}, {90, 90}, {10, 90}, {10, 10},
                                {30, 30}, {70, 30}, {70, 70}, {30, 70}, {30, 30}};
const QList<QList<QPoint>> nestedSquares{{{10, 10}, {90, 10}, {90, 90}, {10, 90}}, {{30, 30}, {70, 30}, {70, 70}, {30, 70}}};

// The circle of radius 40 about (50, 50), from 3 o'clock to 12 o'clock: GDI
// goes anticlockwise unless told otherwise, so the upper right quarter.
const Box circle{10, 10, 90, 90};
const QPoint threeOClock(90, 50), twelveOClock(50, 10);
const std::vector<Expect> upperRightArc{at(78, 21, black), at(78, 78, white), at(21, 78, white), at(21, 21, white)};
// A chord cuts the quarter off along the line from 3 to 12 o'clock; a pie
// reaches the centre.
const std::vector<Expect> chordPixels{at(75, 25, blue), at(60, 40, white), at(30, 70, white)};
const std::vector<Expect> piePixels{at(75, 25, blue), at(60, 40, blue), at(40, 60, white), at(30, 30, white)};

TEST(MetafileShapeRecords, LinesPolygonsCurvesBoxesAndArcs)
{
    const QList<QPoint> bezier{{10, 90}, {10, 10}, {90, 10}, {90, 90}}; // through (50, 30) halfway
    const std::vector<Expect> bezierPixels{at(50, 30, black), at(50, 50, white), at(50, 10, white)};
    const QList<QList<QPoint>> twoLines{{{10, 10}, {90, 10}, {90, 40}}, {{10, 60}, {90, 60}, {90, 90}}};
    const std::vector<Expect> twoLinePixels{at(50, 10, black), at(90, 25, black), at(50, 60, black), at(90, 75, black),
                                            at(50, 50, white), at(70, 20, white)};
    const QList<QPoint> closedDraw{{10, 10}, {90, 10}, {90, 90}, {10, 90}, {10, 60}, {40, 60}, {40, 90}};
    const QList<int> drawKinds{gdi::ptMoveTo, gdi::ptLineTo, gdi::ptLineTo | gdi::ptCloseFigure, gdi::ptMoveTo,
                               gdi::ptBezierTo, gdi::ptBezierTo, gdi::ptBezierTo};
    // A closing diagonal through (50, 50); a curve from (10, 90) to (40, 90) through (25, 67.5).
    const std::vector<Expect> drawPixels{at(50, 10, black), at(90, 50, black), at(50, 50, black), at(25, 67, black),
                                         at(10, 50, white), at(25, 58, white)};
    const QList<QPoint> triangle{{10, 10}, {90, 10}, {90, 50}};
    const Row rows[] = {
        {"WMF MoveTo and LineTo: each line from the current position",
         wmf100(wmf::moveTo(10, 50) + wmf::lineTo(90, 50) + wmf::lineTo(90, 90)),
         {at(50, 50, black), at(90, 70, black), at(50, 30, white), at(30, 70, white)}},
        {"EMF MoveToEx and LineTo", emf100(emf::moveToEx(10, 50) + emf::lineTo(90, 50) + emf::lineTo(90, 90)),
         {at(50, 50, black), at(90, 70, black), at(50, 30, white), at(30, 70, white)}},
        {"EMF Polyline, 32-bit", emf100(emf::polyline({{10, 50}, {90, 50}})), {at(50, 50, black), at(50, 40, white)}},
        {"EMF Polygon, 32-bit", emf100(emfFill(blueRef) + emf::polygon(triangle)),
         {at(80, 20, blue), at(20, 40, white)}},
        {"WMF Polygon, alternate fill", wmf100(wmfFill(blueRef) + wmf::polygon(twiceAround)),
         {at(20, 50, blue), at(50, 50, white)}},
        {"WMF SetPolyFillMode winding", wmf100(wmf::setPolyFillMode(gdi::winding) + wmfFill(blueRef) + wmf::polygon(twiceAround)),
         {at(20, 50, blue), at(50, 50, blue)}},
        {"WMF PolyPolygon, alternate fill", wmf100(wmfFill(blueRef) + wmf::polyPolygon(nestedSquares)),
         {at(20, 20, blue), at(50, 50, white)}},
        {"WMF PolyPolygon, winding fill",
         wmf100(wmf::setPolyFillMode(gdi::winding) + wmfFill(blueRef) + wmf::polyPolygon(nestedSquares)),
         {at(20, 20, blue), at(50, 50, blue)}},
        {"EMF Polygon16, winding fill",
         emf100(emf::setPolyFillMode(gdi::winding) + emfFill(blueRef) + emf::polygon16(twiceAround)),
         {at(20, 50, blue), at(50, 50, blue)}},
        {"EMF Polygon, 32-bit, alternate fill", emf100(emfFill(blueRef) + emf::polygon(twiceAround)),
         {at(20, 50, blue), at(50, 50, white)}},
        {"EMF PolyPolygon, 32-bit", emf100(emfFill(blueRef) + emf::polyPolygon(nestedSquares)),
         {at(20, 20, blue), at(50, 50, white), at(95, 95, white)}},
        {"EMF PolyPolyline, 32-bit: each line apart, none filled",
         emf100(emf::createBrushIndirect(1, gdi::bsSolid, blueRef) + emf::selectObject(1) + emf::polyPolyline(twoLines)),
         twoLinePixels},
        {"EMF PolyPolyline16",
         emf100(emf::createBrushIndirect(1, gdi::bsSolid, blueRef) + emf::selectObject(1) + emf::polyPolyline16(twoLines)),
         twoLinePixels},
        {"EMF PolyBezier16: the curve, not its control points", emf100(emfPen(0, 5) + emf::points(85, bezier, false)),
         bezierPixels},
        {"EMF PolyBezier, 32-bit", emf100(emfPen(0, 5) + emf::points(2, bezier, true)), bezierPixels},
        {"EMF PolyBezierTo16: from the current position",
         emf100(emfPen(0, 5) + emf::moveToEx(10, 90) + emf::points(88, bezier.mid(1), false)), bezierPixels},
        {"EMF PolyBezierTo, 32-bit", emf100(emfPen(0, 5) + emf::moveToEx(10, 90) + emf::points(5, bezier.mid(1), true)),
         bezierPixels},
        {"EMF PolylineTo16: from the current position",
         emf100(emf::moveToEx(10, 50) + emf::points(89, {{50, 50}, {50, 90}}, false)),
         {at(30, 50, black), at(50, 70, black), at(70, 50, white)}},
        {"EMF PolylineTo, 32-bit", emf100(emf::moveToEx(10, 50) + emf::points(6, {{50, 50}, {50, 90}}, true)),
         {at(30, 50, black), at(50, 70, black), at(70, 50, white)}},
        {"EMF PolyDraw16: moves, lines, a closed figure and a curve",
         emf100(emfPen(0, 5) + emf::polyDraw(closedDraw, drawKinds, false)), drawPixels},
        {"EMF PolyDraw, 32-bit", emf100(emfPen(0, 5) + emf::polyDraw(closedDraw, drawKinds, true)), drawPixels},
        {"EMF AngleArc: a line to the circle, then a quarter anticlockwise",
         emf100(emfPen(0, 5) + emf::moveToEx(50, 50) + emf::angleArc({50, 50}, 40, 0, 90)),
         {at(70, 50, black), at(78, 21, black), at(78, 78, white), at(21, 21, white)}},
        {"EMF ArcTo: the arc, and the position left at its end",
         emf100(emfPen(0, 5) + emf::moveToEx(10, 90) + emf::arcTo(circle, threeOClock, twelveOClock) + emf::lineTo(10, 10)),
         {at(78, 21, black), at(30, 10, black), at(78, 78, white)}},
        {"EMF Rectangle: the outline inside its right and bottom edges",
         emf100(emf::createBrushIndirect(1, gdi::bsSolid, blueRef) + emf::selectObject(1) + emf::rectangle(20, 20, 80, 80)),
         {at(20, 20, black), at(79, 79, black), at(78, 50, blue), at(80, 80, white)}},
        {"WMF Ellipse", wmf100(wmfFill(blueRef) + wmf::ellipse(20, 20, 80, 80)),
         {at(50, 50, blue), at(50, 21, blue), at(21, 50, blue), at(22, 22, white), at(77, 77, white)}},
        {"EMF Ellipse", emf100(emfFill(blueRef) + emf::ellipse(20, 20, 80, 80)),
         {at(50, 50, blue), at(50, 21, blue), at(21, 50, blue), at(22, 22, white), at(77, 77, white)}},
        {"WMF RoundRect: corners of a 40-unit ellipse", wmf100(wmfFill(blueRef) + wmf::roundRect(10, 10, 90, 90, 40, 40)),
         {at(11, 11, white), at(88, 88, white), at(50, 11, blue), at(11, 50, blue), at(20, 20, blue)}},
        {"EMF RoundRect", emf100(emfFill(blueRef) + emf::roundRect(10, 10, 90, 90, 40, 40)),
         {at(11, 11, white), at(88, 88, white), at(50, 11, blue), at(11, 50, blue), at(20, 20, blue)}},
        {"WMF Arc", wmf100(wmfPen(0, 5) + wmf::arc(circle, threeOClock, twelveOClock)), upperRightArc},
        {"EMF Arc", emf100(emfPen(0, 5) + emf::arc(circle, threeOClock, twelveOClock)), upperRightArc},
        {"EMF SetArcDirection clockwise: the other three quarters",
         emf100(emf::setArcDirection(gdi::adClockwise) + emfPen(0, 5) + emf::arc(circle, threeOClock, twelveOClock)),
         {at(78, 78, black), at(21, 78, black), at(21, 21, black), at(78, 21, white)}},
        {"WMF Chord", wmf100(wmfFill(blueRef) + wmf::chord(circle, threeOClock, twelveOClock)), chordPixels},
        {"EMF Chord", emf100(emfFill(blueRef) + emf::chord(circle, threeOClock, twelveOClock)), chordPixels},
        {"WMF Pie", wmf100(wmfFill(blueRef) + wmf::pie(circle, threeOClock, twelveOClock)), piePixels},
        {"EMF Pie", emf100(emfFill(blueRef) + emf::pie(circle, threeOClock, twelveOClock)), piePixels},
        {"WMF SetPixel", wmf100(wmf::setBkMode(gdi::opaque) + wmf::setPixel(30, 40, redRef)),
         {at(30, 40, red), at(31, 40, white), at(30, 41, white)}},
        {"EMF SetPixelV", emf100(emf::setPixelV(30, 40, redRef)), {at(30, 40, red), at(31, 40, white), at(30, 41, white)}},
        {"WMF PatBlt: the brush, black, white, the inverse, the brush inverted over it",
         wmf100(wmf::createBrushIndirect(gdi::bsSolid, blueRef) + wmf::selectObject(0)
                + wmf::patBlt(QRect(0, 0, 100, 100), gdi::patCopy) + wmf::patBlt(QRect(0, 0, 20, 100), gdi::blackness)
                + wmf::patBlt(QRect(20, 0, 20, 100), gdi::whiteness) + wmf::patBlt(QRect(40, 0, 20, 100), gdi::dstInvert)
                + wmf::createBrushIndirect(gdi::bsSolid, redRef) + wmf::selectObject(1)
                + wmf::patBlt(QRect(60, 0, 20, 100), gdi::patInvert)),
         {at(10, 50, black), at(30, 50, white), at(50, 50, yellow), at(70, 50, 0xFF00FF), at(90, 50, blue)}},
        {"EMF BitBlt without a bitmap: the same raster operations",
         emf100(emf::createBrushIndirect(1, gdi::bsSolid, blueRef) + emf::selectObject(1)
                + emf::blit(QRect(0, 0, 100, 100), {}, {}, gdi::patCopy, false)
                + emf::blit(QRect(0, 0, 20, 100), {}, {}, gdi::blackness, false)
                + emf::blit(QRect(20, 0, 20, 100), {}, {}, gdi::whiteness, false)
                + emf::blit(QRect(40, 0, 20, 100), {}, {}, gdi::dstInvert, false)
                + emf::createBrushIndirect(2, gdi::bsSolid, redRef) + emf::selectObject(2)
                + emf::blit(QRect(60, 0, 20, 100), {}, {}, gdi::patInvert, false)),
         {at(10, 50, black), at(30, 50, white), at(50, 50, yellow), at(70, 50, 0xFF00FF), at(90, 50, blue)}},
    };
    for (const Row& row : rows)
        expectRow(row);
}

// ArcTo outside a path draws the line from the current position to the
// arc's start too, and one whose box is empty has no arc to draw; a placeable
// WMF of fewer than 62 bytes is read.
TEST(MetafileShapeRecords, ArcToLineAndASmallPlaceableFile)
{
    expectRow({"EMF ArcTo: a line from (10, 90) to the arc's start at (90, 50)",
               emf100(emfPen(0, 5) + emf::moveToEx(10, 90) + emf::arcTo(circle, threeOClock, twelveOClock)),
               {at(50, 70, black), at(30, 80, black)}});
    expectRow({"EMF ArcTo of an empty box: drawn without it",
               emf100(emfPen(0, 5) + emf::moveToEx(10, 90) + emf::arcTo(Box{40, 40, 40, 40}, {40, 40}, {40, 40})),
               {}});
    expectRow({"WMF of one SetPixel record, 60 bytes", wmf100(wmf::setPixel(30, 40, redRef)), {at(30, 40, red)}});
}

// A polyline of a 20-unit pen: its start at (40, 30) ends on the left, its
// corner at (70, 30) turns down, its end at (70, 80) ends at the bottom.
QByteArray wideCorner(bool wmf, int style)
{
    const QList<QPoint> points{{40, 30}, {70, 30}, {70, 80}};
    return wmf ? wmf100(wmfPen(style, 20) + wmf::polyline(points)) : emf100(emfPen(style, 20) + emf::polyline16(points));
}

// One-pixel dashes from x = 10: 18 on and 6 off, 3 and 3, 9 6 3 6, 9 3 3 3 3 3.
template <typename Line>
QByteArray styledLines(Line line)
{
    return line(gdi::psDash, 20) + line(gdi::psDot, 40) + line(gdi::psDashDot, 60) + line(gdi::psDashDotDot, 80);
}

TEST(MetafileShapeRecords, PensOfEachStyleEndAndWidth)
{
    const auto wmfLine = [](int style, int y) {
        return wmf::createPenIndirect(style, 0, 0) + wmf::selectObject(0) + wmf::polyline({{10, y}, {90, y}})
               + wmf::deleteObject(0);
    };
    const auto emfLine = [](int style, int y) {
        return emf::createPen(1, style, 0, 0) + emf::selectObject(1) + emf::polyline16({{10, y}, {90, y}});
    };
    const std::vector<Expect> dashes{at(20, 20, black), at(30, 20, white), at(40, 20, black), at(11, 40, black),
                                     at(14, 40, white), at(17, 40, black), at(15, 60, black), at(21, 60, white),
                                     at(26, 60, black), at(30, 60, white), at(15, 80, black), at(20, 80, white),
                                     at(23, 80, black), at(26, 80, white), at(29, 80, black), at(32, 80, white)};
    // Round ends and joins by default; square ends reach 10 past the ends, flat
    // ones stop there; a mitred corner is square, a bevelled one cut across.
    const std::vector<Expect> roundPen{at(35, 30, black), at(32, 22, white), at(76, 24, black), at(78, 22, white),
                                       at(70, 85, black), at(62, 88, white)};
    const std::vector<Expect> squareMitre{at(35, 30, black), at(32, 22, black), at(78, 22, black), at(70, 85, black),
                                          at(62, 88, black)};
    const std::vector<Expect> flatBevel{at(35, 30, white), at(45, 30, black), at(76, 24, white), at(73, 27, black),
                                        at(70, 85, white)};
    const std::vector<Expect> solidWideLine{at(16, 50, black), at(24, 50, black), at(40, 50, black), at(56, 50, black),
                                            at(50, 47, white), at(50, 52, white)};
    const int squareMitreStyle = gdi::psEndcapSquare | gdi::psJoinMiter, flatBevelStyle = gdi::psEndcapFlat | gdi::psJoinBevel;
    const Row rows[] = {
        {"WMF dashed pens, transparent background", wmf100(wmf::setBkMode(gdi::transparent) + styledLines(wmfLine)), dashes},
        {"EMF dashed pens, transparent background", emf100(emf::setBkMode(gdi::transparent) + styledLines(emfLine)), dashes},
        {"WMF dashed pen, opaque background: the gaps in the background colour",
         wmf100(wmf::setBkMode(gdi::opaque) + wmf::setBkColor(redRef) + wmfLine(gdi::psDash, 20)),
         {at(20, 20, black), at(30, 20, red)}},
        {"EMF dashed pen, opaque background",
         emf100(emf::setBkMode(gdi::opaque) + emf::setBkColor(redRef) + emfLine(gdi::psDash, 20)),
         {at(20, 20, black), at(30, 20, red)}},
        // A dashed pen 4 pixels wide with flat ends: made by CreatePen it is
        // solid; made by ExtCreatePen as a geometric pen it is dashed, 12 on
        // and 4 off from x = 10 (gaps at 22 to 26, 38 to 42, 54 to 58).
        {"WMF wide dashed pen from CreatePenIndirect: solid",
         wmf100(wmfPen(gdi::psDash | gdi::psEndcapFlat, 4) + wmf::polyline({{10, 50}, {90, 50}})), solidWideLine},
        {"EMF wide dashed pen from CreatePen: solid",
         emf100(emf::createPen(1, gdi::psDash | gdi::psEndcapFlat, 4, 0) + emf::selectObject(1)
                + emf::polyline16({{10, 50}, {90, 50}})),
         solidWideLine},
        {"EMF wide dashed geometric pen from ExtCreatePen: dashed",
         emf100(emfPen(gdi::psDash | gdi::psEndcapFlat, 4) + emf::polyline16({{10, 50}, {90, 50}})),
         {at(16, 50, black), at(24, 50, white), at(30, 50, black), at(40, 50, white), at(56, 50, white)}},
        {"WMF wide pen, round ends and join", wideCorner(true, 0), roundPen},
        {"WMF wide pen, square ends, mitred join", wideCorner(true, squareMitreStyle), squareMitre},
        {"WMF wide pen, flat ends, bevelled join", wideCorner(true, flatBevelStyle), flatBevel},
        {"EMF wide pen, round ends and join", wideCorner(false, 0), roundPen},
        {"EMF wide pen, square ends, mitred join", wideCorner(false, squareMitreStyle), squareMitre},
        {"EMF wide pen, flat ends, bevelled join", wideCorner(false, flatBevelStyle), flatBevel},
        {"WMF pen width in logical units: 10 units at half a pixel each",
         wmf100(wmf::setWindowExt(200, 200) + wmfPen(0, 10) + wmf::polyline({{10, 100}, {190, 100}})),
         {at(50, 49, black), at(50, 51, black), at(50, 46, white), at(50, 54, white)}},
        {"EMF geometric pen width through the world transform: 3 units at 2 pixels each",
         emf100(emf::setWorldTransform(2, 0, 0, 2, 0, 0) + emfPen(0, 3) + emf::polyline16({{5, 25}, {45, 25}})),
         {at(50, 48, black), at(50, 52, black), at(50, 45, white), at(50, 55, white)}},
        {"EMF one-pixel pen: one pixel at any scale",
         emf100(emf::setWorldTransform(4, 0, 0, 4, 0, 0) + emf::createPen(1, gdi::psSolid, 0, 0) + emf::selectObject(1)
                + emf::polyline16({{2, 12}, {22, 12}})),
         {at(50, 48, black), at(50, 46, white), at(50, 50, white)}},
    };
    for (const Row& row : rows)
        expectRow(row);
}

// The directions in which the box holds a run of 8 pixels of the colour:
// "-" across, "|" down, "\\" down to the right, "/" up to the right.
std::string hatchLines(const QImage& image, const QRect& box, QRgb colour)
{
    const struct {
        QPoint step;
        const char* name;
    } directions[] = {{{1, 0}, "-"}, {{0, 1}, "|"}, {{1, 1}, "\\"}, {{1, -1}, "/"}};
    std::string found;
    for (const auto& d : directions) {
        bool any = false;
        for (int y = box.top(); y <= box.bottom() && !any; ++y)
            for (int x = box.left(); x <= box.right() && !any; ++x) {
                int run = 0;
                for (QPoint p(x, y); run < 8 && box.contains(p) && (image.pixel(p) & 0xFFFFFF) == colour; p += d.step)
                    ++run;
                any = run == 8;
            }
        if (any)
            found += d.name;
    }
    return found;
}

TEST(MetafileShapeRecords, HatchedBrushesInTheHatchColourOverTheBackground)
{
    const int hatches[] = {gdi::hsHorizontal, gdi::hsVertical, gdi::hsFDiagonal,
                           gdi::hsBDiagonal,   gdi::hsCross,    gdi::hsDiagCross};
    const char* lines[] = {"-", "|", "\\", "/", "-|", "\\/"};
    for (const bool opaque : {true, false}) {
        for (const bool isWmf : {true, false}) {
            SCOPED_TRACE(std::string(isWmf ? "WMF" : "EMF") + (opaque ? ", opaque" : ", transparent"));
            QByteArray records = isWmf ? wmf::setBkMode(opaque ? gdi::opaque : gdi::transparent)
                                             + wmf::setBkColor(colorRef(255, 255, 0)) + wmfPen(gdi::psNull, 0)
                                       : emf::setBkMode(opaque ? gdi::opaque : gdi::transparent)
                                             + emf::setBkColor(colorRef(255, 255, 0)) + emf::selectObject(gdi::nullPen);
            for (int i = 0; i < 6; ++i) {
                const int x = 2 + 33 * (i % 3), y = 2 + 50 * (i / 3);
                records += isWmf ? wmf::createBrushIndirect(gdi::bsHatched, redRef, hatches[i]) + wmf::selectObject(1)
                                       + wmf::rectangle(x, y, x + 30, y + 30) + wmf::deleteObject(1)
                                 : emf::createBrushIndirect(1, gdi::bsHatched, redRef, hatches[i]) + emf::selectObject(1)
                                       + emf::rectangle(x, y, x + 30, y + 30);
            }
            const QImage image = renderMetafile(isWmf ? wmf100(records) : emf100(records)).image;
            ASSERT_FALSE(image.isNull());
            for (int i = 0; i < 6; ++i) {
                const QRect inside(9 + 33 * (i % 3), 9 + 50 * (i / 3), 16, 16);
                EXPECT_EQ(hatchLines(image, inside, red), lines[i]) << "hatch " << hatches[i];
                const QRgb gap = opaque ? yellow : white;
                EXPECT_GT(pixelsIn(image, inside, [](QRgb a, QRgb b) { return a == b; }, gap), 16 * 16 / 2)
                    << "hatch " << hatches[i];
            }
        }
    }
}

TEST(MetafileShapeRecords, EmfPathsFilledStrokedClosedAndAborted)
{
    // A red pen 5 wide over a blue brush.
    const QByteArray penAndBrush = emf::extCreatePen(1, 5, redRef) + emf::selectObject(1)
                                   + emf::createBrushIndirect(2, gdi::bsSolid, blueRef) + emf::selectObject(2);
    const QByteArray openSquare = emf::beginPath() + emf::polygon16({{20, 20}, {80, 20}, {80, 80}, {20, 80}});
    const QByteArray square = openSquare + emf::endPath();
    const Row rows[] = {
        {"StrokePath: the outline only", emf100(penAndBrush + square + emf::strokePath()),
         {at(20, 50, red), at(50, 20, red), at(50, 50, white)}},
        {"FillPath: the inside only", emf100(penAndBrush + square + emf::fillPath()),
         {at(50, 50, blue), at(21, 50, blue), at(18, 50, white)}},
        {"StrokeAndFillPath", emf100(penAndBrush + square + emf::strokeAndFillPath()),
         {at(18, 50, red), at(50, 50, blue)}},
        {"CloseFigure: the stroke closes the figure",
         emf100(penAndBrush + emf::beginPath() + emf::polyline16({{20, 80}, {50, 20}, {80, 80}}) + emf::closeFigure()
                + emf::endPath() + emf::strokePath()),
         {at(50, 80, red), at(35, 50, red), at(50, 60, white)}},
        {"AbortPath: the path dropped",
         emf100(penAndBrush + openSquare + emf::abortPath() + emf::fillPath() + emf::selectObject(gdi::nullPen)
                + emf::rectangle(90, 90, 100, 100)),
         {at(50, 50, white), at(95, 95, blue)}},
        {"AbortPath: drawing direct again",
         emf100(penAndBrush + emf::selectObject(gdi::nullPen) + openSquare + emf::abortPath()
                + emf::rectangle(0, 0, 10, 10)),
         {at(5, 5, blue), at(50, 50, white)}},
        {"FillPath, winding: both squares filled",
         emf100(penAndBrush + emf::setPolyFillMode(gdi::winding) + emf::beginPath() + emf::polyPolygon16(nestedSquares)
                + emf::endPath() + emf::fillPath()),
         {at(20, 20, blue), at(50, 50, blue)}},
        {"FillPath, alternate: the inner square a hole",
         emf100(penAndBrush + emf::beginPath() + emf::polyPolygon16(nestedSquares) + emf::endPath() + emf::fillPath()),
         {at(20, 20, blue), at(50, 50, white)}},
        {"A pie in a path", emf100(penAndBrush + emf::beginPath() + emf::pie(circle, threeOClock, twelveOClock)
                                   + emf::endPath() + emf::fillPath()),
         {at(75, 25, blue), at(60, 40, blue), at(40, 60, white)}},
    };
    for (const Row& row : rows)
        expectRow(row);
}

} // namespace
} // namespace kv

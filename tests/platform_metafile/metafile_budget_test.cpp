// The drawing budget, one row per term at its edge: a file whose count falls
// just inside a budget is drawn, the same file with one more unit of the term
// is refused. Each unit's work is worked out by hand from metafile_cost.h's
// figures in the row's comment; budgets lie between n and n + 1 units, so a
// term left out (or counted far off) lets the file past the edge be drawn.
#include "platform/metafile/metafile_canvas.h"
#include "platform/metafile/metafile_player.h"

#include "tests/support/hostile_metafile_calls.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <functional>

namespace kv {
namespace {

using namespace test;

constexpr double realBudget = 3e9;

QByteArray emfOn(QSize size, const QByteArray& records) { return emfOf(size, records, 4); }
QByteArray wmfOn(QSize size, const QByteArray& records, int objects = 1)
{
    return wmf::placeableHeader(0, 0, size.width(), size.height(), 96) + wmf::metafile(records, objects);
}
QByteArray repeated(int n, const std::function<QByteArray(int)>& unit)
{
    QByteArray out;
    for (int i = 0; i < n; ++i)
        out += unit(i);
    return out;
}

// Back and forth along y = 500 between x 0 and 999: 100 segments of 999 pixels.
QList<QPoint> backAndForth()
{
    QList<QPoint> points;
    for (int i = 0; i <= 100; ++i)
        points << QPoint(i % 2 ? 999 : 0, 500);
    return points;
}

// Points far beyond a picture of 1000 pixels, each a new one.
QList<QPoint> outside(int count)
{
    QList<QPoint> points;
    points.reserve(count);
    for (int i = 0; i < count; ++i)
        points << QPoint(2000 + i % 2, 2000 + i / 2 % 30000);
    return points;
}

QByteArray emfNullPenSolidBrush()
{
    return emf::selectObject(gdi::nullPen) + emf::createBrushIndirect(1, gdi::bsSolid, colorRef(0, 0, 200)) + emf::selectObject(1);
}

QList<QRect> dots(int count, int perRow) // pixels two apart, perRow to a row, rows two apart
{
    QList<QRect> rects;
    for (int i = 0; i < count; ++i)
        rects << QRect(2 * (i % perRow), 2 * (i / perRow), 1, 1);
    return rects;
}

struct EdgeRow {
    const char* term;
    double budget;
    std::function<QByteArray(bool past)> file;
};

TEST(MetafileBudget, EachTermDrawsTheFileJustInsideAndRefusesTheOneJustPast)
{
    const EdgeRow rows[] = {
        // A zigzag of 200 points between y 0 and 200 on 200 x 200 pixels,
        // closed: 200 edges on each of the 200 rows. Squares 200^2 x 200 x 1.5
        // = 12,000,000, crossings 40,000 x 20 = 800,000, pixels 199 x 200 =
        // 39,800, 201 points x 50 = 10,050, call 2000, record 50: 12,851,900.
        // Three and the header, pen and brush (200): 38,555,900; four:
        // 51,407,800.
        {"fill crossings", 45e6,
         [](bool past) {
             QList<QPoint> zigzag;
             for (int i = 0; i < 200; ++i)
                 zigzag << QPoint(i, i % 2 ? 200 : 0);
             return emfOn({200, 200}, emfNullPenSolidBrush() + repeated(past ? 4 : 3, [&](int) { return emf::polygon16(zigzag); }));
         }},
        // A rectangle over 1000 x 1000 pixels: 1,000,000 pixels; two edges on
        // 1000 rows: squares 4 x 1000 x 1.5 = 6000, crossings 2000 x 20 =
        // 40,000; 5 points x 50 = 250; call 2000, record 50: 1,048,300.
        // Three and the header, pen and brush (200): 3,145,100; four: 4,193,400.
        {"fill pixels", 3.67e6,
         [](bool past) {
             return emfOn({1000, 1000},
                          emfNullPenSolidBrush() + repeated(past ? 4 : 3, [](int) { return emf::rectangle(0, 0, 1000, 1000); }));
         }},
        // One-pixel polylines of 100 segments of 999 pixels: 99,900 x 14 =
        // 1,398,600, 101 points x 50 = 5050, call 2000, record 50: 1,405,700.
        // Three and the header (50): 4,217,150; four: 5,622,850.
        {"one-pixel lines", 4.9e6,
         [](bool past) {
             return emfOn({1000, 1000}, repeated(past ? 4 : 3, [](int) { return emf::polyline16(backAndForth()); }));
         }},
        // A pen ten pixels wide, round joins, on 10,000 points beyond the
        // picture (no length, no rows): its outline 10,000 x 10 = 100,000
        // pixels and 10,000 x 1500 = 15,000,000 for the points; call 2000,
        // record 50: 15,102,050. Three and the header, pen and its selection
        // (150): 45,306,300; four: 60,408,350.
        {"wide pens", 52e6,
         [](bool past) {
             return emfOn({1000, 1000}, emf::createPen(1, gdi::psSolid, 10, colorRef(0, 120, 0)) + emf::selectObject(1)
                                            + repeated(past ? 4 : 3, [](int) { return emf::polyline16(outside(10000)); }));
         }},
        // The one-pixel polylines mixed with the picture (R2_XORPEN): 99,900
        // x 400 = 39,960,000, 101 points x 50 = 5050, call 2000, record 50:
        // 39,967,100. Three and the header and SetROP2 (100): 119,901,400;
        // four: 159,868,500.
        {"one-pixel lines mixed", 140e6,
         [](bool past) {
             return emfOn({1000, 1000}, emf::setROP2(gdi::r2XorPen)
                                            + repeated(past ? 4 : 3, [](int) { return emf::polyline16(backAndForth()); }));
         }},
        // The one-pixel polylines dotted, in the opaque background mode: the
        // solid count (1,398,600 + 5050 = 1,403,650) times 1.5 for the dots
        // and once more for the background line under them: 3,509,125; call
        // 2000, record 50: 3,511,175. Three and 150: 10,533,675; four:
        // 14,044,850.
        {"one-pixel dashes", 12.3e6,
         [](bool past) {
             return emfOn({1000, 1000}, emf::createPen(1, gdi::psDot, 0, colorRef(0, 0, 0)) + emf::selectObject(1)
                                            + repeated(past ? 4 : 3, [](int) { return emf::polyline16(backAndForth()); }));
         }},
        // A dotted geometric pen (ExtCreatePen: CreatePen's would be solid so
        // wide) 4 pixels wide, round ends and joins (dots of one width, gaps
        // of one: 8 pixels a period) along 999 pixels of row 500, transparent
        // gaps:
        // 999 / 8 + 1 = 125.875 dots, all on the 4 rows 498 to 501: 251.75
        // edges a row, squares 251.75^2 x 4 x 1.5 = 380,268, crossings 251.75
        // x 4 x 20 = 20,140; each dot 1500 and 4000 + 50 x 4 for its round
        // ends: 717,488. The line's own outline: squares 2^2 x 4 x 1.5 = 24,
        // crossings 8 x 20 = 160, pixels (999 + 2) x 4 = 4004, round joins 2 x
        // 1500 = 3000; call 2000, record 50: 1,127,134. Three and 200:
        // 3,381,602; four: 4,508,736.
        {"wide dashes", 3.95e6,
         [](bool past) {
             return emfOn({1000, 1000}, emf::setBkMode(gdi::transparent) + emf::extCreatePen(1, 4, 0, gdi::psDot)
                                            + emf::selectObject(1)
                                            + repeated(past ? 4 : 3, [](int) { return emf::polyline16({{0, 500}, {999, 500}}); }));
         }},
        // Texts of 1000 letters at 10 pixels, transparent: 1000 x (5000 +
        // 100) = 5,100,000, call 2000, record 50: 5,102,050. Once: the face
        // looked up 500,000, its size 60,000, the letter's image 60,000; the
        // font, its selection and the background mode 150. Three: 15,926,300;
        // four: 21,028,350.
        {"glyphs", 18.5e6,
         [](bool past) {
             return wmfOn({1000, 1000}, wmf::createFontIndirect(-10, 400, gdi::ansiCharset, "Arial") + wmf::selectObject(0)
                                            + wmf::setBkMode(gdi::transparent)
                                            + repeated(past ? 4 : 3, [](int) { return wmf::textOut(10, 500, QByteArray(1000, 'A')); }));
         }},
        // No characters and an opaque box over 1000 x 1000 pixels: its fill
        // is the rectangle's, 1,000,000 + 6000 + 40,000 + 5 x 50 = 1,046,250;
        // call 2000, record 50: 1,048,300. No font is asked for (there are no
        // characters); once, the font, its selection and the background mode
        // 150. Three: 3,145,050; four: 4,193,350.
        {"opaque text box", 3.67e6,
         [](bool past) {
             return wmfOn({1000, 1000}, wmf::createFontIndirect(-20, 400, gdi::ansiCharset, "Arial") + wmf::selectObject(0)
                                            + wmf::setBkMode(gdi::transparent)
                                            + repeated(past ? 4 : 3, [](int) {
                                                  return wmf::extTextOut(10, 10, "", {}, gdi::etoOpaque, {0, 0, 1000, 1000});
                                              }));
         }},
        // A letter clipped to a box 4000 pixels tall (its rows, not its
        // pixels): squares 4 x 4000 x 1.5 = 24,000, crossings 8000 x 20 =
        // 160,000, 5 points x 50 = 250; the glyph 5000 + 20^2 = 5400; call
        // 2000, record 50: 191,700. Once: the face 500,000, its size 60,000,
        // the letter's image 60,000, three records 150: 620,150. Three:
        // 1,195,250; four: 1,386,950.
        {"text box clip", 1.29e6,
         [](bool past) {
             return wmfOn({1000, 4000}, wmf::createFontIndirect(-20, 400, gdi::ansiCharset, "Arial") + wmf::selectObject(0)
                                            + wmf::setBkMode(gdi::transparent)
                                            + repeated(past ? 4 : 3, [](int) {
                                                  return wmf::extTextOut(10, 10, "A", {}, gdi::etoClipped, {0, 0, 1000, 4000});
                                              }));
         }},
        // A letter in a font of a face of its own: the face looked up 500,000,
        // its size 60,000, the letter's image 60,000, the glyph 5000 + 100;
        // call 2000; four records 200: 627,300. Three: 1,881,950 (with the
        // background mode); four: 2,509,250.
        {"font lookups", 2.2e6,
         [](bool past) {
             return wmfOn({1000, 1000}, wmf::setBkMode(gdi::transparent) + repeated(past ? 4 : 3, [](int i) {
                                            return wmf::createFontIndirect(-10, 400, gdi::ansiCharset, "Face" + QByteArray::number(i))
                                                   + wmf::selectObject(0) + wmf::textOut(10, 500, "A") + wmf::deleteObject(0);
                                        }));
         }},
        // A letter of one face at a size of its own (10, 11, 12, 13 pixels):
        // the size 60,000 and the letter's image there 60,000, the glyph
        // 5000 + the em squared; call 2000; four records 200: 127,200 + em^2.
        // Once: the face 500,000, the background mode 50. Three: 3 x 127,200
        // + 100 + 121 + 144 + 500,050 = 882,015; four: 1,009,384.
        {"font sizes and glyph images", 945e3,
         [](bool past) {
             return wmfOn({1000, 1000}, wmf::setBkMode(gdi::transparent) + repeated(past ? 4 : 3, [](int i) {
                                            return wmf::createFontIndirect(-(10 + i), 400, gdi::ansiCharset, "Arial")
                                                   + wmf::selectObject(0) + wmf::textOut(10, 500, "A") + wmf::deleteObject(0);
                                        }));
         }},
        // 100 curves from (2000, 2000) round (32000, 2000) and (32000, 32000)
        // back to their start, beyond the picture (no length): each halved
        // nine times, 512 + 2 points; 1 + 51,400 points x 50 = 2,570,050,
        // call 2000, record 50: 2,572,100. Three and the header (50):
        // 7,716,350; four: 10,288,450.
        {"flattened curves", 9e6,
         [](bool past) {
             QList<QPoint> curves{{2000, 2000}};
             for (int i = 0; i < 100; ++i)
                 curves << QPoint(32000, 2000) << QPoint(32000, 32000) << QPoint(2000, 2000);
             return emfOn({1000, 1000}, repeated(past ? 4 : 3, [&](int) { return emf::points(85, curves, false); }));
         }},
        // A bitmap of 100 x 100 pixels decoded, 10,000 x 20 = 200,000, drawn
        // over 10 x 10 pixels: 100 x 3 = 300; call 2000, record 50: 202,350.
        // Three and the header (50): 607,100; four: 809,450.
        {"decoded bitmap pixels", 708e3,
         [](bool past) {
             const Dib plain = dib::rle8(100, 100, {0x00FF00}, QList<uchar>(10000, 0));
             return emfOn({1000, 1000}, repeated(past ? 4 : 3, [&](int) {
                              return emf::stretchDIBits(QRect(0, 0, 10, 10), 100, 100, plain);
                          }));
         }},
        // A bitmap of 2 x 2 pixels (4 x 20 = 80 decoded) drawn over 1000 x
        // 1000 pixels: 1,000,000 x 3 = 3,000,000; call 2000, record 50:
        // 3,002,130. Three and the header (50): 9,006,440; four: 12,008,570.
        {"blitted pixels", 10.5e6,
         [](bool past) {
             const Dib tiny = dib::rgb24(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00});
             return emfOn({1000, 1000}, repeated(past ? 4 : 3, [&](int) {
                              return emf::stretchDIBits(QRect(0, 0, 1000, 1000), 2, 2, tiny);
                          }));
         }},
        // A clip of 1000 separate pixels, then short lines: each 200 x 1000
        // = 200,000 for the clip's rectangles, call 2000, a pixel 14 and 2
        // points 100, record 50: 202,164. The clip, once: its rectangles
        // 200,000, on the picture and united (one band each: bound 1000, ten
        // levels) 20 x 1000 x 10 = 200,000, combined 2000 + 200,000 and
        // 200 x (1 + 1000) = 200,200, records 100: 802,300. Three: 1,408,792;
        // four: 1,610,956.
        {"clip work", 1.51e6,
         [](bool past) {
             return emfOn({1000, 1000}, hostile::emfSelectClipRegion(dots(1000, 500), gdi::rgnCopy)
                                            + repeated(past ? 4 : 3, [](int) { return emf::polyline16({{0, 500}, {1, 500}}); }));
         }},
        // Records that draw nothing, 50 each, the header's among them:
        // 10,000 records 500,000, 10,001 500,050.
        {"record work", 500025,
         [](bool past) {
             return emfOn({100, 100}, repeated(past ? 10000 : 9999, [](int) { return emf::setBkMode(gdi::opaque); }));
         }},
        // A WMF without a placeable header is played twice, to measure its
        // drawing and to draw it, out of one budget: each record that draws
        // nothing 2 x 50, a pixel 2 x (2000 + 50). 9,999 records and the
        // pixel: 1,004,000; 10,000: 1,004,100.
        {"a WMF measured first", 1004050,
         [](bool past) {
             return wmf::metafile(repeated(past ? 10000 : 9999, [](int) { return wmf::setBkMode(gdi::opaque); })
                                      + wmf::record(0x041F, Fields().u32(0).u16s({10, 10}).bytes), // SetPixel
                                  1);
         }},
        // A path bracket grown to 4,194,304 elements by two figures of
        // 2,097,152 (each a move to the current position and its lines) is
        // kept; two more are refused.
        {"path cap", realBudget,
         [](bool past) {
             const QByteArray figure = emf::points(89, outside(past ? 2097152 : 2097151), false);
             return emfOn({100, 100}, emf::beginPath() + figure + figure + emf::record(68, {}));
         }},
        // A one-pixel line of 4,194,304 points is drawn; one more is refused.
        {"points of a call", realBudget,
         [](bool past) { return emfOn({1000, 1000}, emf::polyline16(outside(past ? 4194305 : 4194304))); }},
        // The curves of the row above flattened: 1 + 8160 x 514 = 4,194,241
        // points are drawn, 1 + 8161 x 514 = 4,194,755 refused.
        {"flattened points of a call", realBudget,
         [](bool past) {
             QList<QPoint> curves{{2000, 2000}};
             for (int i = 0; i < (past ? 8161 : 8160); ++i)
                 curves << QPoint(32000, 2000) << QPoint(32000, 32000) << QPoint(2000, 2000);
             return emfOn({1000, 1000}, emf::points(85, curves, false));
         }},
        // A wider pen (flat ends, bevelled joins) round 1,048,576 points is
        // drawn; one more is refused.
        {"points of a wide pen", realBudget,
         [](bool past) {
             return emfOn({1000, 1000}, emf::extCreatePen(1, 10, 0, gdi::psEndcapFlat | gdi::psJoinBevel) + emf::selectObject(1)
                                            + emf::polyline16(outside(past ? 1048577 : 1048576)));
         }},
        // A clip region of 100,000 separate pixels is kept; one more is refused.
        {"clip region cap", realBudget,
         [](bool past) {
             return emfOn({1000, 1000}, hostile::emfSelectClipRegion(dots(past ? 100001 : 100000, 500), gdi::rgnCopy)
                                            + emf::rectangle(0, 0, 1000, 1000));
         }},
        // Columns (one band of n) and, below them, rows (n bands of one)
        // intersected: nothing, but bounded first by 2 x (1 + n) x (n + 1)
        // rectangles: 1,598,472 for 893 is made; 1,602,050 for 894 is refused.
        {"region bound", realBudget,
         [](bool past) {
             const int n = past ? 894 : 893;
             QList<QRect> columns, rows;
             for (int i = 0; i < n; ++i) {
                 columns << QRect(2 * i, 0, 1, 100);
                 rows << QRect(0, 100 + 2 * i, 10, 1);
             }
             return emfOn({2000, 2000}, hostile::emfSelectClipRegion(columns, gdi::rgnCopy)
                                            + hostile::emfSelectClipRegion(rows, gdi::rgnAnd) + emf::rectangle(0, 0, 2000, 2000));
         }},
    };
    for (const EdgeRow& row : rows) {
        EXPECT_EQ(metafile::render(row.file(false), {}, row.budget).fault, MetafileFault::None) << row.term << ", just inside";
        EXPECT_EQ(metafile::render(row.file(true), {}, row.budget).fault, MetafileFault::TooCostly) << row.term << ", just past";
    }
}

// A one-pixel line is counted by its length on the picture, 14 a pixel, and
// its points, 50 each, past the call's 2000: a segment across the axes by
// its true length, a repeated point by none, and a part beyond the picture
// (1000 x 1000 pixels) only up to a pixel outside it.
TEST(MetafileBudget, OnePixelLinesAreCountedByTheirLengthOnThePicture)
{
    struct Row {
        const char* line;
        QPolygonF points;
        double work;
    };
    const Row rows[] = {
        // 300 across and 400 down: 500 pixels; 7000 + 100 + 2000.
        {"across the axes", {{0, 0}, {300, 400}}, 9100},
        // 100 down, nothing, 50 across: 150 pixels; 2100 + 200 + 2000.
        {"along the axes, a point repeated", {{10, 10}, {10, 110}, {10, 110}, {60, 110}}, 4300},
        // Down from row 100 to 2100, held at row 1001: 901 pixels; 12,614 + 100 + 2000.
        {"leaving the picture", {{100, 100}, {100, 2100}}, 14714},
        // From column -5000, held at -1, to 500: 501 pixels; 7014 + 100 + 2000.
        {"coming from far off it", {{-5000, 500}, {500, 500}}, 9114},
    };
    for (const Row& row : rows) {
        metafile::DeviceSetup setup;
        setup.picture = QSize(1000, 1000);
        metafile::Canvas canvas(nullptr, setup, 0);
        canvas.polyline(row.points);
        EXPECT_DOUBLE_EQ(canvas.spent(), row.work) << row.line;
    }
}

// From a pen of 1.5 pixels on, the painter builds the pen's outline round
// every point, and the budget counts it so: two points beyond the picture
// (no length, no rows) cost 700 each and their outline 2 x 1.5 = 3; a pen of
// 1.4 pixels is a one-pixel line, 50 a point.
TEST(MetafileBudget, APenOfOneAndAHalfPixelsIsCountedAsTheOutlineItIsDrawnAs)
{
    const std::vector<QPolygonF> line{QPolygonF{QPointF(2000, 2000), QPointF(2001, 2000)}};
    const QRectF picture(0, 0, 1000, 1000);
    metafile::Budget budget(1000);
    metafile::Stroke wide, onePixel;
    wide.width = 1.5;
    onePixel.width = 1.4;
    EXPECT_DOUBLE_EQ(budget.stroke(line, wide, picture), 1403);
    EXPECT_DOUBLE_EQ(budget.stroke(line, onePixel, picture), 100);
}

// GDI reuses the lowest free slot of a WMF's object table (found at once,
// whatever the table's size): of slots 2 and 0, freed in that order, the
// yellow brush takes 0 and the null pen 2. The left half is yellow inside a
// black outline; the right half green to its last column, outlined by no pen.
TEST(MetafileBudget, FreedObjectSlotsAreTakenLowestFirst)
{
    const QByteArray records = wmf::createBrushIndirect(gdi::bsSolid, colorRef(255, 0, 0))
                               + wmf::createBrushIndirect(gdi::bsSolid, colorRef(0, 255, 0))
                               + wmf::createBrushIndirect(gdi::bsSolid, colorRef(0, 0, 255)) + wmf::deleteObject(2)
                               + wmf::deleteObject(0) + wmf::createBrushIndirect(gdi::bsSolid, colorRef(255, 255, 0))
                               + wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(0)
                               + wmf::rectangle(0, 0, 50, 100) + wmf::selectObject(2) + wmf::selectObject(1)
                               + wmf::rectangle(50, 0, 100, 100);
    const MetafileRead read = renderMetafile(wmfOn({100, 100}, records, 3));
    ASSERT_EQ(read.fault, MetafileFault::None);
    EXPECT_EQ(read.image.pixel(25, 50) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(read.image.pixel(0, 50) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(read.image.pixel(75, 50) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(read.image.pixel(99, 50) & 0xFFFFFF, 0x00FF00u);
}

// The call that passes the budget is not made, nor any after it: a square
// of 10 x 10 pixels (100 pixels, squares 4 x 10 x 1.5 = 60, crossings 20 x
// 20 = 400, 5 points x 50 = 250, call 2000: 2810) fits a budget of 15,000;
// one of 90 x 90 (8100 + 540 + 3600 + 250 + 2000 = 14,490) does not.
TEST(MetafileBudget, TheCallPastTheBudgetIsNotMade)
{
    QImage image(100, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    metafile::DeviceSetup setup;
    setup.picture = QSize(100, 100);
    metafile::Canvas canvas(&painter, setup, 0, 15000);
    canvas.dc.pen.style = 5; // PS_NULL
    canvas.dc.brush = metafile::BrushSpec{0, Qt::black, 0, {}};
    canvas.polygons({QPolygonF(QRectF(0, 0, 10, 10))});
    canvas.polygons({QPolygonF(QRectF(10, 10, 90, 90))});
    canvas.polygons({QPolygonF(QRectF(0, 90, 10, 10))});
    painter.end();
    EXPECT_TRUE(canvas.refused());
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(image.pixel(50, 50) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(5, 95) & 0xFFFFFF, 0xFFFFFFu);
}

} // namespace
} // namespace kv

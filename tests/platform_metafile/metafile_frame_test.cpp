// The metafile player's frame and direction: the size and place of the
// picture a metafile's headers and window records set, text turned by its
// escapement through the mapping, and files whose drawing the player cannot
// read. Each row is a small metafile made here, with its size and pixels
// worked out by hand from what its records say.
#include "platform/metafile/metafile.h"

#include "tests/support/metafile_records.h"
#include "tests/support/metafile_rows.h"
#include "tests/support/metafile_reference.h"
#include "tests/support/program_metafiles.h"

#include <QImageReader>
#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

using namespace test;

constexpr QRgb blueRgb = 0x0000FF;
constexpr quint32 blue = colorRef(0, 0, 255);

// Pictures as large as the picture reader lets them be: 512 MiB of pixels,
// so a side of maxMetafileSide is what limits them here.
class MetafileFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        limit_ = QImageReader::allocationLimit();
        QImageReader::setAllocationLimit(512);
    }
    void TearDown() override { QImageReader::setAllocationLimit(limit_); }

private:
    int limit_ = 0;
};

QByteArray blueBrushWmf()
{
    return wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(0) + wmf::createBrushIndirect(gdi::bsSolid, blue)
           + wmf::selectObject(1);
}

QByteArray blueBrushEmf()
{
    return emf::selectObject(gdi::nullPen) + emf::createBrushIndirect(1, gdi::bsSolid, blue) + emf::selectObject(1);
}

// A WMF without a placeable header.
QByteArray plainWmf(const QByteArray& records) { return wmf::metafile(records, 4); }


// An EMF whose frame is right x bottom hundredths of a millimetre, on a
// device of 96 dots an inch.
QByteArray emfFramed(int right, int bottom, const QByteArray& records)
{
    return emf::metafile(records, QRect(0, 0, 100, 100), QRect(QPoint(0, 0), QPoint(right, bottom)), QSize(960, 960),
                         QSize(254, 254), 6);
}

struct Pixel {
    QPoint at;
    QRgb colour;
};

TEST_F(MetafileFrame, ShowsTheFrameTheFileSetsScaledDownOnlyToFitTheLargestPicture)
{
    const QByteArray windRose = windRoseEmf();
    const struct {
        const char* name;
        QByteArray file;
        QSize size;
        std::vector<Pixel> pixels;
    } rows[] = {
        // No window: the box of the drawing, a logical unit a pixel, however large or small.
        {"WMF drawing 1000 x 1000, no window", plainWmf(blueBrushWmf() + wmf::rectangle(0, 0, 1000, 1000)), {1000, 1000},
         {{{500, 500}, blueRgb}, {{999, 999}, blueRgb}}},
        {"WMF drawing 2000 x 1500, no window", plainWmf(blueBrushWmf() + wmf::rectangle(0, 0, 2000, 1500)), {2000, 1500},
         {{{1999, 1499}, blueRgb}}},
        // Text is in the box: advances of 150 make 4 letters 600 pixels wide,
        // and a height of +400 is their cell, ascent and descent, from the top.
        {"WMF label alone, no window",
         plainWmf(wmf::createFontIndirect(400, 400, gdi::ansiCharset, "Arial") + wmf::selectObject(0)
                  + wmf::extTextOut(0, 0, "ABCD", {150, 150, 150, 150})),
         {600, 400},
         {}},
        // A label (200, 0) to (400, its cell of 100) beyond a box 100 x 400 wide.
        {"WMF label beyond a shape, no window",
         plainWmf(blueBrushWmf() + wmf::rectangle(0, 0, 100, 400) + wmf::createFontIndirect(100, 400, gdi::ansiCharset, "Arial")
                  + wmf::selectObject(2) + wmf::extTextOut(200, 0, "AB", {100, 100})),
         {400, 400},
         {{{50, 200}, blueRgb}, {{150, 200}, white}}},
        // The window's margins are part of the picture.
        {"WMF window (100, 200) 1000 x 800 round a smaller drawing",
         plainWmf(wmf::setWindowOrg(100, 200) + wmf::setWindowExt(1000, 800) + blueBrushWmf()
                  + wmf::rectangle(300, 400, 900, 800)),
         {1000, 800},
         {{{200, 200}, blueRgb}, {{799, 599}, blueRgb}, {{199, 199}, white}, {{800, 600}, white}, {{50, 50}, white}}},
        // A CAD sheet: y up from (20000, 16800); logical (20100, 16700)-(20300, 16600) is pixels (100, 100)-(300, 200).
        {"WMF window at a large origin, y up",
         plainWmf(wmf::setWindowOrg(20000, 16800) + wmf::setWindowExt(1200, -800) + blueBrushWmf()
                  + wmf::rectangle(20100, 16700, 20300, 16600)),
         {1200, 800},
         {{{150, 150}, blueRgb}, {{299, 199}, blueRgb}, {{99, 150}, white}, {{150, 250}, white}, {{150, 650}, white}}},
        // Isotropic: the viewport is the window's own size, so its units stay square.
        {"WMF isotropic window 400 x 200",
         plainWmf(wmf::setMapMode(7) + wmf::setWindowExt(400, 200) + blueBrushWmf() + wmf::rectangle(0, 0, 200, 200)),
         {400, 200},
         {{{100, 100}, blueRgb}, {{199, 199}, blueRgb}, {{250, 100}, white}}},
        // 30000 x 600 units: a third, 10000 x 200; (15000, 300)-(30000, 600) is (5000, 100)-(10000, 200).
        {"WMF window wider than the largest picture",
         plainWmf(wmf::setWindowExt(30000, 600) + blueBrushWmf() + wmf::rectangle(15000, 300, 30000, 600)),
         {10000, 200},
         {{{7500, 150}, blueRgb}, {{4995, 150}, white}, {{7500, 95}, white}}},
        // A fixed map mode has a size: 254 x 127 tenths of a millimetre are 1 x 0.5 inch.
        {"WMF in tenths of a millimetre, no window",
         plainWmf(wmf::setMapMode(2) + blueBrushWmf() + wmf::rectangle(0, 0, 254, -127)), {96, 48},
         {{{48, 24}, blueRgb}, {{95, 47}, blueRgb}}},
        // The placeable box is the picture; the file's viewport does not move or scale it.
        {"placeable WMF with its own viewport origin and extent",
         wmf100(wmf::setViewportOrg(50, 50) + wmf::setViewportExt(2600, 2600) + blueBrushWmf()
                + wmf::rectangle(20, 20, 80, 80)),
         {100, 100},
         {{{20, 20}, blueRgb}, {{79, 79}, blueRgb}, {{19, 19}, white}, {{80, 80}, white}}},
        // 3.19 x 4.13 m: 12056.7 x 15609.4 pixels, times 10000 / 15609.4 = 0.64064.
        {"EMF wind rose whose frame is 3.19 x 4.13 m", windRose, {7724, 10000},
         {{{3862, 5000}, 0xC83C28},        // the centre: (6028, 7805) device pixels
          {{3862, 5000 - 2242}, 0x4682B4}, // on the north petal, 3500 of its 6000 out
          {{3862 + 3300, 5000}, white},    // east, 5151 out: past its petal (4500) and letter, inside the outer ring
          {{3862, 5000 - 3844}, 0xA0A0A0}, // the outer ring, 6000 out
          {{20, 20}, white}}},
    };
    for (const auto& row : rows) {
        const MetafileRead read = renderMetafile(row.file);
        EXPECT_EQ(read.fault, MetafileFault::None) << row.name;
        if (read.image.isNull())
            continue;
        EXPECT_EQ(read.image.size(), row.size) << row.name;
        for (const Pixel& p : row.pixels)
            EXPECT_EQ(read.image.pixel(p.at) & 0xFFFFFF, p.colour) << row.name << " at " << p.at.x() << ", " << p.at.y();
    }
}

TEST_F(MetafileFrame, RefusesOnlyAFrameThatCannotBeAPicture)
{
    const struct {
        const char* name;
        QByteArray file;
    } rows[] = {
        {"EMF frame of no width", emfFramed(0, 2646, blueBrushEmf() + emf::rectangle(10, 10, 60, 60))},
        {"WMF with no window that draws nothing", plainWmf(blueBrushWmf())},
    };
    for (const auto& row : rows)
        EXPECT_EQ(renderMetafile(row.file).fault, MetafileFault::Damaged) << row.name;
}

// SaveDC keeps whether a viewport extent was set: after RestoreDC the
// anisotropic viewport follows the window again (a logical unit a device
// unit), and the rectangle is at (10, 10)-(60, 60). WMF leaves its viewport
// records out (the placeable row above).
TEST_F(MetafileFrame, RestoresTheViewportAsItWasSaved)
{
    const MetafileRead read
        = renderMetafile(emf100(emf::setMapMode(gdi::mmAnisotropic) + emf::setWindowExtEx(200, 200) + emf::saveDC()
                                + emf::setViewportExtEx(100, 100) + emf::restoreDC() + blueBrushEmf()
                                + emf::rectangle(10, 10, 60, 60)));
    ASSERT_EQ(read.fault, MetafileFault::None);
    EXPECT_EQ(read.image.pixel(30, 30) & 0xFFFFFF, blueRgb);
    EXPECT_EQ(read.image.pixel(59, 59) & 0xFFFFFF, blueRgb);
    EXPECT_EQ(read.image.pixel(60, 60) & 0xFFFFFF, white);
}


// "HHH" in a 20-pixel font, 20 pixels a character, from its baseline's start:
// its ink lies within 60 pixels along the baseline and an em across it, on
// the side its glyphs' tops point to (upright on the baseline, never
// mirrored). On a 100 x 100 picture: reading right from (10, 50), x 10 to 70,
// y 30 to 55; up from (50, 90), x 30 to 55, y 30 to 90; down from (50, 10), x
// 45 to 70, y 10 to 70.
TEST_F(MetafileFrame, TurnsTextByItsEscapementThroughTheMapping)
{
    const QRect right(8, 28, 64, 29), up(28, 28, 29, 64), down(43, 8, 29, 64);
    const QByteArray emfText = emf::setBkMode(gdi::transparent) + emf::setTextAlign(gdi::taBaseline);
    const QByteArray wmfText = wmf::setBkMode(gdi::transparent) + wmf::setTextAlign(gdi::taBaseline);
    const auto emfFont = [](int escapement) {
        return emf::extCreateFontIndirectW(2, -20, 400, gdi::ansiCharset, QStringLiteral("Arial"), escapement)
               + emf::selectObject(2);
    };
    const auto wmfFont = [](int escapement) {
        return wmf::createFontIndirect(-20, 400, gdi::ansiCharset, "Arial", escapement) + wmf::selectObject(0);
    };
    // y up: logical (x, y) is pixel (x, 100 - y).
    const QByteArray emfYUp = emf::setMapMode(gdi::mmAnisotropic) + emf::setWindowOrgEx(0, 100)
                              + emf::setWindowExtEx(100, -100) + emf::setViewportExtEx(100, 100);
    const QByteArray wmfYUp = wmf::setWindowOrg(0, 100) + wmf::setWindowExt(100, -100);
    const QString hhh = QStringLiteral("HHH");
    const struct {
        const char* name;
        QByteArray file;
        QRect ink;
    } rows[] = {
        {"EMF y down, 0", emf100(emfText + emfFont(0) + emf::extTextOutW(10, 50, hhh, {20, 20, 20})), right},
        {"EMF y down, 900: up the page", emf100(emfText + emfFont(900) + emf::extTextOutW(50, 90, hhh, {20, 20, 20})), up},
        {"EMF y down, 2700: down the page", emf100(emfText + emfFont(2700) + emf::extTextOutW(50, 10, hhh, {20, 20, 20})),
         down},
        {"EMF y up, 0: upright", emf100(emfYUp + emfText + emfFont(0) + emf::extTextOutW(10, 50, hhh, {20, 20, 20})), right},
        {"EMF y up, 900: down the page", emf100(emfYUp + emfText + emfFont(900) + emf::extTextOutW(50, 90, hhh, {20, 20, 20})),
         down},
        {"EMF y up, 2700: up the page (a chart's axis title)",
         emf100(emfYUp + emfText + emfFont(2700) + emf::extTextOutW(50, 10, hhh, {20, 20, 20})), up},
        // Turned a quarter anticlockwise about (50, 90): x' = y + 50, y' = -x + 90.
        {"EMF world transform turning a quarter, 0: up the page",
         emf100(emf::setWorldTransform(0, -1, 1, 0, 50, 90) + emfText + emfFont(0)
                + emf::extTextOutW(0, 0, hhh, {20, 20, 20})),
         up},
        // Half way up: from (20, 80) towards (62, 38), the glyphs' tops up and left of it.
        {"EMF y down, 450: up and right",
         emf100(emfText + emfFont(450) + emf::extTextOutW(20, 80, hhh, {20, 20, 20})), QRect(6, 27, 58, 57)},
        // From pixel (20, 20) towards (62, 62), the glyphs' tops up and right of it.
        {"EMF y up, 450: down and right",
         emf100(emfYUp + emfText + emfFont(450) + emf::extTextOutW(20, 80, hhh, {20, 20, 20})), QRect(17, 6, 56, 57)},
        // x halved, y not: advances of 40 units along x are 20 pixels.
        {"EMF anisotropic window 200 x 100, 0",
         emf100(emf::setMapMode(gdi::mmAnisotropic) + emf::setWindowExtEx(200, 100) + emf::setViewportExtEx(100, 100)
                + emfText + emfFont(0) + emf::extTextOutW(20, 50, hhh, {40, 40, 40})),
         right},
        {"WMF y down, 900: up the page", wmf100(wmfText + wmfFont(900) + wmf::extTextOut(50, 90, "HHH", {20, 20, 20})), up},
        {"WMF y up, 2700: up the page", wmf100(wmfYUp + wmfText + wmfFont(2700) + wmf::extTextOut(50, 10, "HHH", {20, 20, 20})),
         up},
        {"WMF y up, 0: upright", wmf100(wmfYUp + wmfText + wmfFont(0) + wmf::extTextOut(10, 50, "HHH", {20, 20, 20})), right},
    };
    for (const auto& row : rows) {
        const MetafileRead read = renderMetafile(row.file);
        EXPECT_EQ(read.fault, MetafileFault::None) << row.name;
        if (read.image.isNull())
            continue;
        const int ink = inkIn(read.image, read.image.rect());
        EXPECT_GT(ink, 100) << row.name;
        EXPECT_EQ(inkIn(read.image, row.ink), ink) << row.name << ": ink outside its box";
    }
}

// A WMF record that copies an old device-dependent bitmap (BitBlt with a
// 1 x 1 monochrome bitmap), which the player does not draw.
QByteArray oldBitmapWmf()
{
    return wmf::record(0x0922, Fields()
                                   .u32(gdi::srcCopy)
                                   .u16s({0, 0, 1, 1, 10, 10})           // source y, x, height, width; destination y, x
                                   .u16s({0, 1, 1, 2}).u16(0x0101).u16(0) // the bitmap: type, size, row bytes, planes, bits
                                   .bytes);
}

// "EMF+", then an EMF+ record: a fill of rectangles, as EMF+-only files keep their drawing.
QByteArray emfPlusComment()
{
    return emf::comment(Fields().u32s({0x2B464D45, 0x400A, 28, 16, 0xFF0000FF, 1, 10, 10, 50, 50}).bytes);
}

// Drawing only in records the player does not read is refused; an empty
// page made by a program is not: it has a size and nothing left out, and is
// drawn as the blank picture it is.
TEST_F(MetafileFrame, RefusesAFileWhoseDrawingItCannotRead)
{
    const QByteArray glyphs = emf::extCreateFontIndirectW(2, -20, 400, gdi::ansiCharset, QStringLiteral("Arial"))
                              + emf::selectObject(2) + emf::extTextOutW(10, 50, QStringLiteral("$%&"), {10, 10, 10}, gdi::etoGlyphIndex);
    const QByteArray wmfGlyphs = wmf::createFontIndirect(-20, 400, gdi::ansiCharset, "Arial") + wmf::selectObject(0)
                                 + wmf::extTextOut(10, 50, "$%&", {10, 10, 10}, gdi::etoGlyphIndex, {0, 0, 0, 0});
    const QByteArray opaqueGlyphs = emf::setBkColor(colorRef(0, 0, 255))
                                    + emf::extTextOutW(10, 50, QStringLiteral("$%&"), {10, 10, 10},
                                                       gdi::etoGlyphIndex | gdi::etoOpaque, {10, 40, 60, 60});
    const QByteArray whiteBrush = emf::selectObject(gdi::nullPen) + emf::createBrushIndirect(1, gdi::bsSolid, 0xFFFFFF)
                                  + emf::selectObject(1);
    const struct {
        const char* name;
        QByteArray file;
        MetafileFault fault;
        QSize size; // a picture's, when drawn
    } rows[] = {
        {"EMF+ only", emf100(emfPlusComment()), MetafileFault::Unreadable, {}},
        {"EMF text as glyph indices only", emf100(glyphs), MetafileFault::Unreadable, {}},
        {"WMF text as glyph indices only", wmf100(wmfGlyphs), MetafileFault::Unreadable, {}},
        {"EMF glyph indices in an opaque box: the box is drawn", emf100(opaqueGlyphs), MetafileFault::None, {100, 100}},
        {"EMF glyph indices on a white background", emf100(whiteBrush + emf::rectangle(0, 0, 100, 100) + glyphs),
         MetafileFault::Unreadable, {}},
        {"placeable WMF copying an old bitmap only", wmf100(oldBitmapWmf()), MetafileFault::Unreadable, {}},
        {"WMF without a placeable header copying an old bitmap only", plainWmf(oldBitmapWmf()), MetafileFault::Unreadable, {}},
        {"EMF+ with its EMF drawing", emf100(emfPlusComment() + blueBrushEmf() + emf::rectangle(10, 10, 60, 60)),
         MetafileFault::None, {100, 100}},
        {"EMF glyph indices beside a rectangle", emf100(glyphs + blueBrushEmf() + emf::rectangle(10, 10, 60, 60)),
         MetafileFault::None, {100, 100}},
        {"EMF empty page", emf100({}), MetafileFault::None, {100, 100}},
        {"WMF empty page in a window", plainWmf(wmf::setWindowExt(300, 200)), MetafileFault::None, {300, 200}},
    };
    for (const auto& row : rows) {
        const MetafileRead read = renderMetafile(row.file);
        EXPECT_EQ(read.fault, row.fault) << row.name;
        if (row.fault == MetafileFault::None) {
            EXPECT_EQ(read.image.size(), row.size) << row.name;
        }
    }
}

} // namespace
} // namespace kv

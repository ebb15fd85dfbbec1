// The metafile player, one row per family of records: a small metafile made
// here, drawn, and checked at pixels worked out by hand from what its records
// say; the corpus of ordinary metafiles against an independent drawing of
// their shapes, and the hostile ones, refused before they cost a user's time.
#include "platform/metafile/metafile.h"

#include "tests/support/hostile_metafiles.h"
#include "tests/support/metafile_records.h"
#include "tests/support/metafile_rows.h"
#include "tests/support/metafile_reference.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

using namespace test;

QByteArray png2x2()
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0, 255, 0));
    image.setPixel(1, 0, qRgb(255, 0, 0));
    image.setPixel(0, 1, qRgb(0, 0, 255));
    image.setPixel(1, 1, qRgb(255, 255, 0));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A 2 x 2 DIB with the old 12-byte core header and its whole table of
// 3-byte colours (blue, green, red), the first four given: the top row holds
// indices 0 and 1, the bottom row 2 and 3 (1 bit a pixel: 0 and 1, then 1
// and 0). Rows are stored bottom up, each padded to four bytes.
Dib coreDib(int bits, const QList<quint32>& colours)
{
    Fields f;
    f.u32(12).u16s({2, 2, 1, bits});
    for (int i = 0; i < 1 << bits; ++i) {
        const quint32 c = i < colours.size() ? colours[i] : 0;
        f.bytes.append(char(c & 0xFF)).append(char(c >> 8 & 0xFF)).append(char(c >> 16 & 0xFF));
    }
    const QByteArray rows = bits == 8   ? QByteArray("\x02\x03\0\0\x00\x01\0\0", 8)
                            : bits == 4 ? QByteArray("\x23\0\0\0\x01\0\0\0", 8)
                                        : QByteArray("\x80\0\0\0\x40\0\0\0", 8);
    return {f.bytes, rows};
}

// A 2 x 2 DIB of 16 bits a pixel with a 44-byte header and colour masks
// (red 0xF800, green 0x07E0, blue 0x001F) after it: top row 0xF800 and
// 0x07E0, bottom row 0x001F and 0x8410.
Dib shortMaskDib()
{
    constexpr int biBitfields = 3;
    const QByteArray header = dib::infoHeader(2, 2, 16, biBitfields, 8, 0);
    Fields f;
    f.u32(44).raw(header.mid(4)).u32s({0, 0xF800, 0x07E0, 0x001F});
    return {f.bytes, Fields().u16s({0x001F, 0x8410, 0xF800, 0x07E0}).bytes};
}

struct Pixel {
    QPoint at;
    QRgb colour;
};

TEST(MetafilePlayer, DrawsEachFamilyOfRecordsWhereItsRecordsSay)
{
    const quint32 green = colorRef(10, 200, 30), plum = colorRef(123, 45, 67), blue = colorRef(0, 0, 255);
    const QList<QPoint> square{{20, 20}, {80, 20}, {80, 80}, {20, 80}};
    QList<QPoint> outline; // 100,000 points: back and forth on a short line, then along the bottom
    for (int i = 0; i < 99998; ++i)
        outline << QPoint(10 + 2 * (i % 2), 10);
    outline << QPoint(10, 90) << QPoint(90, 90);
    const struct {
        const char* name;
        QByteArray file;
        std::vector<Pixel> pixels;
        QRect textBox; // ink inside it, none elsewhere
        QRect noInk;   // none here
    } rows[] = {
        {"WMF pen: a 5-unit line's colour and width",
         wmf100(wmf::createPenIndirect(gdi::psSolid, 5, green) + wmf::selectObject(0) + wmf::polyline({{10, 50}, {90, 50}})),
         {{{50, 50}, 0x0AC81E}, {{50, 49}, 0x0AC81E}, {{50, 51}, 0x0AC81E}, {{50, 44}, white}, {{50, 56}, white}}, {}, {}},
        {"WMF polyline: open, so its inside stays white under a solid brush",
         wmf100(wmf::createBrushIndirect(gdi::bsSolid, blue) + wmf::selectObject(0)
                + wmf::polyline({{10, 10}, {10, 90}, {90, 90}, {90, 10}})),
         {{{50, 50}, white}, {{10, 50}, black}, {{50, 90}, black}}, {}, {}},
        {"WMF polygon: the brush's exact colour, from its first pixel to before its last",
         wmf100(wmfFill(plum) + wmf::polygon(square)),
         {{{50, 50}, 0x7B2D43}, {{20, 20}, 0x7B2D43}, {{79, 79}, 0x7B2D43}, {{80, 80}, white}, {{10, 10}, white}}, {}, {}},
        {"WMF rectangle: a one-pixel outline inside its right and bottom edges",
         wmf100(wmf::createBrushIndirect(gdi::bsSolid, blue) + wmf::selectObject(0) + wmf::rectangle(20, 20, 80, 80)),
         {{{20, 20}, black}, {{79, 79}, black}, {{79, 50}, black}, {{78, 50}, 0x0000FF}, {{80, 80}, white}, {{50, 50}, 0x0000FF}},
         {}, {}},
        {"WMF clip rectangle: nothing drawn right of 50 or below it",
         wmf100(wmfFill(blue) + wmf::intersectClipRect(0, 0, 50, 50) + wmf::rectangle(0, 0, 100, 100)),
         {{{25, 25}, 0x0000FF}, {{49, 49}, 0x0000FF}, {{50, 50}, white}, {{75, 25}, white}, {{25, 75}, white}}, {}, {}},
        {"WMF saved state: the clip goes with the state restored",
         wmf100(wmfFill(blue) + wmf::saveDC() + wmf::intersectClipRect(0, 0, 50, 50) + wmf::restoreDC()
                + wmf::rectangle(0, 0, 100, 100)),
         {{{75, 75}, 0x0000FF}}, {}, {}},
        {"WMF window: the metafile's own window over the placeable box",
         wmf100(wmf::setMapMode(gdi::mmAnisotropic) + wmf::setWindowExt(200, 200) + wmfFill(blue)
                + wmf::rectangle(100, 100, 200, 200)),
         {{{75, 75}, 0x0000FF}, {{45, 45}, white}}, {}, {}},
        {"WMF text in GB2312: two characters, the second 30 units after the first",
         wmf100(wmf::createFontIndirect(-20, 400, gdi::gb2312Charset, QByteArray("\xCB\xCE\xCC\xE5")) + wmf::selectObject(0)
                + wmf::extTextOut(10, 10, QByteArray("\xF1\xDE\xD6\xE5"), {30, 0, 30, 0})),
         {}, QRect(8, 8, 56, 26), QRect(33, 8, 5, 26)},
        // Advances of 20 and 26 for each character's two bytes: the second
        // character at 10 + 46 = 56, nothing between the two.
        {"WMF text in GB2312: a character's two advances together place the next",
         wmf100(wmf::createFontIndirect(-20, 400, gdi::gb2312Charset, QByteArray("\xCB\xCE\xCC\xE5")) + wmf::selectObject(0)
                + wmf::extTextOut(10, 10, QByteArray("\xF1\xDE\xD6\xE5"), {20, 26, 20, 26})),
         {}, QRect(8, 8, 72, 26), QRect(33, 8, 20, 26)},
        {"WMF record cut to its header: skipped, so the window's origin stays at -20",
         wmf100(wmf::setWindowOrg(-20, -20) + wmf::cutToHeader(wmf::setWindowOrg(0, 0)) + wmfFill(blue)
                + wmf::rectangle(0, 0, 20, 20)),
         {{{20, 20}, 0x0000FF}, {{39, 39}, 0x0000FF}, {{10, 10}, white}, {{40, 40}, white}}, {}, {}},
        {"WMF record the player does not play: skipped by its size",
         wmf100(wmf::setTextJustification(10, 1) + wmfFill(blue) + wmf::rectangle(20, 20, 80, 80)),
         {{{50, 50}, 0x0000FF}, {{10, 10}, white}}, {}, {}},
        {"WMF bitmap: a bottom-up DIB's corners where they belong",
         wmf100(wmf::stretchDib(QRect(20, 20, 40, 40), 2, 2, dib::rgb24(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00}))),
         {{{21, 21}, 0xFF0000}, {{58, 21}, 0x00FF00}, {{21, 58}, 0x0000FF}, {{58, 58}, 0xFFFF00}, {{10, 10}, white}}, {}, {}},
        // Masked 16-bit values scaled to 0..255 by hand: 16 of 31 is 131, 32 of 63 is 129.
        {"EMF bitmap with a 44-byte header: the colour masks that follow it",
         emf100(emf::stretchDIBits(QRect(20, 20, 40, 40), 2, 2, shortMaskDib())),
         {{{21, 21}, 0xFF0000}, {{58, 21}, 0x00FF00}, {{21, 58}, 0x0000FF}, {{58, 58}, 0x838183}}, {}, {}},
        {"WMF bitmaps with the core header: 8, 4 and 1 bits a pixel in their 3-byte colours", wmf100(
             wmf::stretchDib(QRect(0, 0, 40, 40), 2, 2, coreDib(8, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00}))
             + wmf::stretchDib(QRect(50, 0, 40, 40), 2, 2, coreDib(4, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00}))
             + wmf::stretchDib(QRect(0, 50, 40, 40), 2, 2, coreDib(1, {0x804020, 0x2040C0}))),
         {{{1, 1}, 0xFF0000}, {{38, 1}, 0x00FF00}, {{1, 38}, 0x0000FF}, {{38, 38}, 0xFFFF00},
          {{51, 1}, 0xFF0000}, {{88, 1}, 0x00FF00}, {{51, 38}, 0x0000FF}, {{88, 38}, 0xFFFF00},
          {{1, 51}, 0x804020}, {{38, 51}, 0x2040C0}, {{1, 88}, 0x2040C0}, {{38, 88}, 0x804020}}, {}, {}},
        {"EMF plain pen record: its width in logical units",
         emf100(emf::createPen(1, gdi::psSolid, 6, colorRef(200, 0, 0)) + emf::selectObject(1)
                + emf::polyline16({{10, 50}, {90, 50}})),
         {{{50, 48}, 0xC80000}, {{50, 51}, 0xC80000}, {{50, 44}, white}, {{50, 56}, white}}, {}, {}},
        {"EMF world transform: twice the size",
         emf100(emf::setWorldTransform(2, 0, 0, 2, 0, 0) + emfFill(blue) + emf::rectangle(10, 10, 20, 20)),
         {{{30, 30}, 0x0000FF}, {{15, 15}, white}, {{45, 45}, white}}, {}, {}},
        {"EMF alternate fill: the inner square is a hole",
         emf100(emfFill(blue) + emf::polyPolygon16({{{10, 10}, {90, 10}, {90, 90}, {10, 90}}, {{30, 30}, {70, 30}, {70, 70}, {30, 70}}})),
         {{{20, 20}, 0x0000FF}, {{50, 50}, white}}, {}, {}},
        {"EMF winding fill: the inner square turns the same way and is filled",
         emf100(emf::setPolyFillMode(gdi::winding) + emfFill(blue)
                + emf::polyPolygon16({{{10, 10}, {90, 10}, {90, 90}, {10, 90}}, {{30, 30}, {70, 30}, {70, 70}, {30, 70}}})),
         {{{20, 20}, 0x0000FF}, {{50, 50}, 0x0000FF}}, {}, {}},
        {"EMF path: an open figure closed and filled",
         emf100(emfFill(blue) + emf::record(59, {}) + emf::polyline16({{10, 10}, {10, 90}, {90, 90}}) + emf::record(61, {})
                + emf::record(60, {}) + emf::record(62, emf::rectl(QRect(0, 0, 100, 100)))),
         {{{30, 70}, 0x0000FF}, {{70, 30}, white}}, {}, {}},
        {"EMF clip region: only its left half drawn",
         emf100(emfFill(blue)
                + emf::record(75, Fields().u32s({48, 5, 32, 1, 1, 16, 0, 0, 50, 100, 0, 0, 50, 100}).bytes)
                + emf::rectangle(0, 0, 100, 100)),
         {{{25, 50}, 0x0000FF}, {{75, 50}, white}}, {}, {}},
        {"EMF 100,000-point outline: its last segment is drawn",
         emf100(emf::polyline16(outline)), {{{50, 90}, black}, {{50, 50}, white}}, {}, {}},
        {"EMF text in UTF-16: placed by its advances, labels with XML's marks drawn as text",
         emf100(emf::extCreateFontIndirectW(1, -20, 400, gdi::ansiCharset, "Arial") + emf::selectObject(1)
                + emf::extTextOutW(10, 10, "A&B", {30, 30, 30})),
         {}, QRect(8, 8, 80, 26), QRect(27, 8, 12, 26)},
        {"EMF text in GB2312 (ExtTextOutA): a character's two advances together place the next",
         emf100(emf::extCreateFontIndirectW(1, -20, 400, gdi::gb2312Charset, QStringLiteral("宋体")) + emf::selectObject(1)
                + emf::extTextOutA(10, 10, QByteArray("\xF1\xDE\xD6\xE5"), {20, 26, 20, 26})),
         {}, QRect(8, 8, 72, 26), QRect(33, 8, 20, 26)},
        {"EMF text in Shift_JIS: a half-width katakana is one byte, the kanji after it two",
         emf100(emf::extCreateFontIndirectW(1, -20, 400, gdi::shiftJisCharset, QStringLiteral("MS Gothic")) + emf::selectObject(1)
                + emf::extTextOutA(10, 10, QByteArray("\xB1\x8A\xBF"), {20, 26, 0})),
         {}, QRect(8, 8, 44, 26), QRect(52, 0, 48, 100)},
        {"EMF text ending in a zero byte: the zero is not drawn and the characters keep their advances",
         emf100(emf::extCreateFontIndirectW(1, -20, 400, gdi::gb2312Charset, QStringLiteral("宋体")) + emf::selectObject(1)
                + emf::extTextOutA(10, 10, QByteArray("\xF1\xDE\xD6\xE5", 5), {20, 26, 20, 26, 0})),
         {}, QRect(8, 8, 72, 26), QRect(33, 8, 20, 26)},
        {"EMF record cut to its header: skipped, so the window's origin stays at -20",
         emf100(emf::setWindowOrgEx(-20, -20) + emf::cutToHeader(emf::setWindowOrgEx(0, 0)) + emfFill(blue)
                + emf::rectangle(0, 0, 20, 20)),
         {{{20, 20}, 0x0000FF}, {{39, 39}, 0x0000FF}, {{10, 10}, white}, {{40, 40}, white}}, {}, {}},
        {"EMF record libUEMF does not size: skipped by its own size",
         emf100(emf::setTextJustification(10, 1) + emfFill(blue) + emf::rectangle(20, 20, 80, 80)),
         {{{50, 50}, 0x0000FF}, {{10, 10}, white}}, {}, {}},
        {"EMF text in transparent mode: no box around it on a fill",
         emf100(emf::createBrushIndirect(1, gdi::bsSolid, blue) + emf::selectObject(1) + emf::rectangle(0, 0, 100, 100)
                + emf::setBkMode(gdi::transparent) + emf::extCreateFontIndirectW(2, -20, 400, gdi::ansiCharset, "Arial")
                + emf::selectObject(2) + emf::extTextOutW(10, 10, "A", {20})),
         {{{10, 10}, 0x0000FF}, {{11, 11}, 0x0000FF}}, {}, {}},
        {"EMF run-length bitmap: its top row where it belongs",
         emf100(emf::stretchDIBits(QRect(20, 20, 40, 40), 2, 2, dib::rle8(2, 2, {0xFF0000, 0x0000FF}, {0, 1, 1, 0}))),
         {{{21, 21}, 0xFF0000}, {{58, 21}, 0x0000FF}, {{21, 58}, 0x0000FF}}, {}, {}},
        {"EMF packed PNG: its top left pixel in the top left corner",
         emf100(emf::stretchDIBits(QRect(20, 20, 40, 40), 2, 2, dib::packed(gdi::biPng, 2, 2, png2x2()))),
         {{{21, 21}, 0x00FF00}, {{58, 58}, 0xFFFF00}}, {}, {}},
    };
    for (const auto& row : rows) {
        const MetafileRead read = renderMetafile(row.file);
        ASSERT_EQ(read.fault, MetafileFault::None) << row.name;
        const QImage& image = read.image;
        EXPECT_EQ(image.size(), QSize(100, 100)) << row.name;
        for (const Pixel& p : row.pixels) {
            EXPECT_EQ(image.pixel(p.at) & 0xFFFFFF, p.colour) << row.name << " at " << p.at.x() << ", " << p.at.y();
        }
        if (!row.textBox.isNull()) {
            EXPECT_GT(inkIn(image, row.textBox), 40) << row.name;
            EXPECT_EQ(inkIn(image, image.rect()), inkIn(image, row.textBox)) << row.name << ": ink outside its box";
        }
        if (!row.noInk.isNull()) {
            EXPECT_EQ(inkIn(image, row.noInk), 0) << row.name;
        }
    }
}

// A grey progressive JPEG of 800 x 800 pixels packed in a StretchDIBits
// record, followed by empty scans over its AC band: each counted 2000 +
// 10,000 blocks x (25 + 63) = 882,000 decoder steps of 0.6 units, 529,200
// units. The picture, its decoded pixels (12.8 million units and 5.8 million
// for the decoder's last pass) and its DC scan take about 19 million of the
// 3e9 budget, which leaves room for 5633 scans (5634 are refused); the rows
// stand a little further off, so that a change to another term does not
// move them across.
TEST(MetafilePlayer, CountsAPackedJpegsScansAndHeldCoefficientsInTheBudget)
{
    const auto packed = [](int scans) {
        JpegRecipe r;
        r.width = r.height = 800;
        r.components = 1;
        r.emptyScans = scans;
        return packedJpegsEmf(QStringLiteral("scans.emf"), {r}).bytes;
    };
    EXPECT_EQ(renderMetafile(packed(5600)).fault, MetafileFault::None);
    EXPECT_EQ(renderMetafile(packed(5690)).fault, MetafileFault::TooCostly);
    // 8000 x 8000 in colour, no scan more: 256 MB of pixels and 384 MB of
    // coefficients held between scans, past the 512 MiB a bitmap may take.
    EXPECT_EQ(renderMetafile(packedJpegsEmf(QStringLiteral("colour.emf"), {emptyScans(0)}).bytes).fault,
              MetafileFault::TooCostly);
}

// The ordinary files a geologist has are drawn as a plain painter draws the
// shapes they were made from: shapes a pixel apart at most, labels with
// about the same ink in their boxes.
TEST(MetafilePlayer, DrawsTheOrdinaryCorpusAsItsShapesAreDrawn)
{
    for (const CorpusFile& file : ordinaryMetafiles()) {
        const MetafileRead read = renderMetafile(file.bytes);
        ASSERT_EQ(read.fault, MetafileFault::None) << qPrintable(file.name);
        const PictureComparison c = compareWithReference(read.image, *file.drawing);
        EXPECT_LT(c.differingInkShare(), 0.005) << qPrintable(file.name);
        EXPECT_EQ(c.labelsAlike, c.labels) << qPrintable(file.name);
    }
}

// What would freeze a window or fill the memory is refused at once; labels
// that only look like markup are text, and drawn. The classes of calls whose
// work grows with something else in the file, at their seeds' sizes, are
// drawn or refused, never taken for damaged or too large.
TEST(MetafilePlayer, RefusesTheHostileCorpusOrDrawsItWithinTheBudget)
{
    for (const CorpusFile& file : hostileShapeMetafiles()) {
        const bool labels = file.name.startsWith(QStringLiteral("markup-labels"));
        const MetafileRead read = renderMetafile(file.bytes);
        EXPECT_EQ(read.fault, labels ? MetafileFault::None : MetafileFault::TooCostly) << qPrintable(file.name);
    }
    for (const CorpusFile& file : hostileCallMetafileSeeds()) {
        const MetafileFault fault = renderMetafile(file.bytes).fault;
        EXPECT_TRUE(fault == MetafileFault::None || fault == MetafileFault::TooCostly) << qPrintable(file.name);
    }
}

} // namespace
} // namespace kv

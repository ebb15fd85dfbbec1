// The bitmap records, one row per family in WMF and in EMF where both have
// it: which source rows each record counts from, mirrored destinations, the
// raster operations, every pixel format, run-length coding and pattern
// brushes. The DIBs are small enough to write by hand, so each pixel's
// colour is known where it lands.
#include "tests/support/metafile_rows.h"

namespace kv {
namespace {

using namespace test;

constexpr QRgb green = 0x00FF00;

// Red, green over blue, yellow (stored bottom up, as DIBs are).
Dib corners() { return dib::rgb24(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00}); }

// The same, its rows stored from the top (a negative height).
Dib cornersTopDown()
{
    return dib::raw(2, -2, 24, gdi::biRgb, {},
                    QByteArray("\x00\x00\xFF\x00\xFF\x00\x00\x00" // red, green, padding
                               "\xFF\x00\x00\x00\xFF\xFF\x00\x00", // blue, yellow, padding
                               16));
}

// Each corner of the 2 x 2 bitmap drawn 1:1 from (10, 10).
const std::vector<Expect> cornersAt10{at(10, 10, red), at(11, 10, green), at(10, 11, blue), at(11, 11, yellow)};
// The bitmap on (50, 10) to (10, 50): mirrored left to right.
const std::vector<Expect> mirrored{at(20, 20, green), at(40, 20, red), at(20, 40, yellow), at(40, 40, blue)};

// A colour 0xF0F000 over cyan 0x00FFFF, through each raster operation, in
// bands 20 wide: copy, or, and, exclusive or, the inverse of the source.
template <typename Blit>
QByteArray ropBands(const QByteArray& cyanBackground, Blit blit)
{
    const quint32 rops[] = {gdi::srcCopy, gdi::srcPaint, gdi::srcAnd, gdi::srcInvert, gdi::notSrcCopy};
    QByteArray records = cyanBackground;
    for (int i = 0; i < 5; ++i)
        records += blit(QRect(20 * i, 40, 20, 20), rops[i]);
    return records;
}
const std::vector<Expect> ropPixels{at(10, 50, 0xF0F000), at(30, 50, 0xF0FFFF), at(50, 50, 0x00F000),
                                    at(70, 50, 0xF00FFF), at(90, 50, 0x0F0FFF), at(50, 20, 0x00FFFF)};

TEST(MetafileBitmapRecords, SourceRowsMirrorsAndRasterOperations)
{
    const Dib one = dib::rgb24(1, 1, {0xF0F000});
    const QByteArray wmfCyan = wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(0)
                               + wmf::createBrushIndirect(gdi::bsSolid, colorRef(0, 255, 255)) + wmf::selectObject(1)
                               + wmf::rectangle(0, 0, 100, 100);
    const QByteArray emfCyan = emf::selectObject(gdi::nullPen)
                               + emf::createBrushIndirect(1, gdi::bsSolid, colorRef(0, 255, 255)) + emf::selectObject(1)
                               + emf::rectangle(0, 0, 100, 100);
    // The source pixel (0, 0) onto (10, 10) to (40, 40) and (1, 1) onto (60, 10) to (90, 40).
    const auto twoPixels = [](auto record, const Dib& bitmap) {
        return record(QRect(10, 10, 30, 30), QRect(0, 0, 1, 1), bitmap)
               + record(QRect(60, 10, 30, 30), QRect(1, 1, 1, 1), bitmap);
    };
    const auto wmfStretchDib = [](const QRect& d, const QRect& s, const Dib& b) { return wmf::stretchDib(d, s, b); };
    const auto emfStretchDib = [](const QRect& d, const QRect& s, const Dib& b) { return emf::stretchDIBits(d, s, b); };
    const auto emfStretchBlt = [](const QRect& d, const QRect& s, const Dib& b) {
        return emf::blit(d, s, b, gdi::srcCopy, true);
    };
    // Counted from the bottom of a bottom-up DIB, (0, 0) is its lower left
    // pixel and (1, 1) its upper right; counted from the top, upper left and
    // lower right.
    const std::vector<Expect> fromBottom{at(25, 25, blue), at(75, 25, green)};
    const std::vector<Expect> fromTop{at(25, 25, red), at(75, 25, yellow)};
    const Row rows[] = {
        {"WMF StretchDIBits: source rows from a bottom-up DIB's bottom", wmf100(twoPixels(wmfStretchDib, corners())), fromBottom},
        {"EMF StretchDIBits: source rows from a bottom-up DIB's bottom", emf100(twoPixels(emfStretchDib, corners())), fromBottom},
        {"EMF StretchDIBits: source rows from a top-down DIB's top", emf100(twoPixels(emfStretchDib, cornersTopDown())), fromTop},
        {"WMF DIBStretchBlt: source rows from the top", wmf100(twoPixels(wmf::dibStretchBlt, corners())), fromTop},
        {"EMF StretchBlt: source rows from the top", emf100(twoPixels(emfStretchBlt, corners())), fromTop},
        {"EMF AlphaBlend, opaque: a copy, source rows from the top", emf100(twoPixels(emf::alphaBlendOpaque, corners())),
         fromTop},
        {"WMF DIBBitBlt", wmf100(wmf::dibBitBlt(QRect(10, 10, 2, 2), {0, 0}, corners())), cornersAt10},
        {"EMF BitBlt", emf100(emf::blit(QRect(10, 10, 2, 2), QRect(0, 0, 2, 2), corners(), gdi::srcCopy, false)), cornersAt10},
        {"WMF SetDIBitsToDevice", wmf100(wmf::setDIBitsToDevice(QRect(10, 10, 2, 2), {0, 0}, 2, corners())), cornersAt10},
        {"EMF SetDIBitsToDevice", emf100(emf::setDIBitsToDevice(QRect(10, 10, 2, 2), {0, 0}, 2, corners())), cornersAt10},
        {"WMF StretchDIBits, negative width: mirrored",
         wmf100(wmf::stretchDib(QRect(50, 10, -40, 40), QRect(0, 0, 2, 2), corners())), mirrored},
        {"EMF StretchDIBits, negative width: mirrored",
         emf100(emf::stretchDIBits(QRect(50, 10, -40, 40), QRect(0, 0, 2, 2), corners())), mirrored},
        {"WMF raster operations",
         wmf100(ropBands(wmfCyan, [&](const QRect& d, quint32 rop) { return wmf::stretchDib(d, QRect(0, 0, 1, 1), one, rop); })),
         ropPixels},
        {"EMF raster operations",
         emf100(ropBands(emfCyan,
                         [&](const QRect& d, quint32 rop) { return emf::stretchDIBits(d, QRect(0, 0, 1, 1), one, rop); })),
         ropPixels},
    };
    for (const Row& row : rows)
        expectRow(row);
}

// Two pixels of each format, each stretched over a band 10 high from y:
// the left pixel drawn at (10, y + 5), the right at (30, y + 5).
QList<QPair<Dib, std::pair<QRgb, QRgb>>> pixelFormats()
{
    const QList<quint32> table{0x000000, 0xFF0000, 0x0000FF};
    return {
        {dib::raw(2, 1, 1, gdi::biRgb, {0xFF0000, 0x0000FF}, QByteArray("\x40\0\0\0", 4)), {red, blue}}, // bits 0, 1
        {dib::raw(2, 1, 4, gdi::biRgb, table, QByteArray("\x12\0\0\0", 4)), {red, blue}},                // high nibble first
        {dib::raw(2, 1, 8, gdi::biRgb, table, QByteArray("\x02\x01\0\0", 4)), {blue, red}},
        {dib::raw(2, 1, 16, gdi::biRgb, {}, QByteArray("\x00\x7C\x1F\x00", 4)), {red, blue}}, // 5-5-5
        {dib::raw(2, 1, 16, gdi::biBitfields, {}, QByteArray("\xE0\x07\x00\xF8", 4), {0xF800, 0x07E0, 0x001F}),
         {green, red}}, // 5-6-5 by its masks
        {dib::raw(2, 1, 24, gdi::biRgb, {}, QByteArray("\x00\x00\xFF\xFF\x00\x00\0\0", 8)), {red, blue}}, // blue, green, red
        {dib::raw(2, 1, 32, gdi::biRgb, {}, QByteArray("\x00\xFF\x00\x00\xFF\x00\x00\x00", 8)), {green, blue}},
    };
}

TEST(MetafileBitmapRecords, PixelFormatsRunLengthsAndPatternBrushes)
{
    QByteArray wmfFormats, emfFormats;
    std::vector<Expect> formatPixels;
    int y = 0;
    for (const auto& [bitmap, colours] : pixelFormats()) {
        wmfFormats += wmf::stretchDib(QRect(0, y, 40, 10), QRect(0, 0, 2, 1), bitmap);
        emfFormats += emf::stretchDIBits(QRect(0, y, 40, 10), QRect(0, 0, 2, 1), bitmap);
        formatPixels.push_back(at(10, y + 5, colours.first));
        formatPixels.push_back(at(30, y + 5, colours.second));
        y += 10;
    }
    const QList<quint32> table{0x000000, 0xFF0000, 0x0000FF}; // black, red, blue
    // 4 x 1, run-length coded: three literal indices and a padding byte, a
    // run of one, the end of the line and of the bitmap: red, blue, red, blue.
    const Dib rle8 =
        dib::raw(4, 1, 8, gdi::biRle8, table, QByteArray("\x00\x03\x01\x02\x01\x00" "\x01\x02" "\x00\x00\x00\x01", 12));
    const std::vector<Expect> rle8Pixels{at(20, 50, red), at(40, 50, blue), at(60, 50, red), at(80, 50, blue)};
    // 6 x 2 in four bits: the bottom row a run alternating 1 and 2 from the
    // high nibble; the top row five literal indices (three bytes and a
    // padding byte), then a run of one.
    const Dib rle4 = dib::raw(6, 2, 4, gdi::biRle4, table,
                              QByteArray("\x06\x12\x00\x00" "\x00\x05\x21\x21\x20\x00" "\x01\x10\x00\x00\x00\x01", 16));
    const std::vector<Expect> rle4Pixels{at(5, 10, blue), at(15, 10, red), at(45, 10, blue), at(55, 10, red),
                                         at(5, 30, red), at(15, 30, blue), at(55, 30, blue)};
    // The 2 x 2 pattern from the picture's origin: its top left pixel on even x and y.
    const std::vector<Expect> tiles{at(20, 20, red), at(21, 20, green), at(20, 21, blue), at(21, 21, yellow)};
    const Row rows[] = {
        {"WMF pixel formats", wmf100(wmfFormats), formatPixels},
        {"EMF pixel formats", emf100(emfFormats), formatPixels},
        {"WMF RLE8: literal runs padded to a word", wmf100(wmf::stretchDib(QRect(10, 40, 80, 20), QRect(0, 0, 4, 1), rle8)),
         rle8Pixels},
        {"EMF RLE8", emf100(emf::stretchDIBits(QRect(10, 40, 80, 20), QRect(0, 0, 4, 1), rle8)), rle8Pixels},
        {"WMF RLE4: the high nibble first", wmf100(wmf::stretchDib(QRect(0, 0, 60, 40), QRect(0, 0, 6, 2), rle4)), rle4Pixels},
        {"EMF RLE4", emf100(emf::stretchDIBits(QRect(0, 0, 60, 40), QRect(0, 0, 6, 2), rle4)), rle4Pixels},
        {"WMF DIBCreatePatternBrush",
         wmf100(wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(0) + wmf::dibCreatePatternBrush(corners())
                + wmf::selectObject(1) + wmf::rectangle(0, 0, 100, 100)),
         tiles},
        {"EMF CreateDIBPatternBrushPt",
         emf100(emf::selectObject(gdi::nullPen) + emf::createDibPatternBrushPt(1, corners()) + emf::selectObject(1)
                + emf::rectangle(0, 0, 100, 100)),
         tiles},
    };
    for (const Row& row : rows)
        expectRow(row);
}

} // namespace
} // namespace kv

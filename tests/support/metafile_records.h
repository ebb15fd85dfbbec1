// Windows metafiles built record by record, for the metafile reader's tests,
// benchmarks and fuzz seeds: WMF (with or without its placeable header) and
// EMF. Each function writes one record, header or bitmap laid out as GDI
// writes it, in little-endian fields; what a record's parameters mean is
// named by the function, so a file reads as the drawing calls that made it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace kv::test {

// Little-endian fields, as metafiles store them.
struct Fields {
    QByteArray bytes;
    Fields& u16(int v)
    {
        char b[2];
        qToLittleEndian<quint16>(quint16(v), b);
        bytes.append(b, 2);
        return *this;
    }
    Fields& u32(qint64 v)
    {
        char b[4];
        qToLittleEndian<quint32>(quint32(v), b);
        bytes.append(b, 4);
        return *this;
    }
    Fields& f32(float v)
    {
        quint32 bits;
        std::memcpy(&bits, &v, 4);
        return u32(bits);
    }
    Fields& u16s(std::initializer_list<int> vs)
    {
        for (int v : vs)
            u16(v);
        return *this;
    }
    Fields& u32s(std::initializer_list<qint64> vs)
    {
        for (qint64 v : vs)
            u32(v);
        return *this;
    }
    Fields& raw(const QByteArray& b)
    {
        bytes += b;
        return *this;
    }
};

// A COLORREF: 0x00BBGGRR.
constexpr quint32 colorRef(int red, int green, int blue)
{
    return quint32(red) | quint32(green) << 8 | quint32(blue) << 16;
}

// The GDI values the records below take.
namespace gdi {
constexpr int psSolid = 0, psDash = 1, psDot = 2, psDashDot = 3, psDashDotDot = 4, psNull = 5, psUserStyle = 7; // pen styles
constexpr int psEndcapSquare = 0x100, psEndcapFlat = 0x200, psJoinBevel = 0x1000, psJoinMiter = 0x2000;
constexpr int psGeometric = 0x10000;
constexpr int bsSolid = 0, bsNull = 1, bsHatched = 2, bsDibPatternPt = 6; // brush styles
constexpr int hsHorizontal = 0, hsVertical = 1, hsFDiagonal = 2, hsBDiagonal = 3, hsCross = 4, hsDiagCross = 5;
constexpr int transparent = 1, opaque = 2; // background modes
constexpr int alternate = 1, winding = 2;  // polygon fill modes
constexpr int mmText = 1, mmLoMetric = 2, mmHiMetric = 3, mmLoEnglish = 4, mmHiEnglish = 5, mmTwips = 6,
              mmIsotropic = 7, mmAnisotropic = 8; // map modes
constexpr int taTop = 0, taUpdateCp = 1, taRight = 2, taCenter = 6, taBottom = 8, taBaseline = 24; // text alignment
constexpr int ansiCharset = 0, defaultCharset = 1, symbolCharset = 2, shiftJisCharset = 128, gb2312Charset = 134;
constexpr int etoOpaque = 0x02, etoClipped = 0x04, etoGlyphIndex = 0x10;
constexpr int dibRgbColors = 0, dibPalColors = 1; // what a bitmap's colour table holds
constexpr int rgnAnd = 1, rgnOr = 2, rgnXor = 3, rgnDiff = 4, rgnCopy = 5; // clip combinations
constexpr int mwtIdentity = 1, mwtLeftMultiply = 2, mwtRightMultiply = 3; // world transform changes
constexpr int adClockwise = 2;                                            // arc direction
constexpr int ptCloseFigure = 1, ptLineTo = 2, ptBezierTo = 4, ptMoveTo = 6; // PolyDraw point kinds
// The binary raster operations of lines and fills (SetROP2), 1 to 16.
constexpr int r2Black = 1, r2NotMergePen = 2, r2MaskNotPen = 3, r2NotCopyPen = 4, r2MaskPenNot = 5, r2Not = 6,
              r2XorPen = 7, r2NotMaskPen = 8, r2MaskPen = 9, r2NotXorPen = 10, r2Nop = 11, r2MergeNotPen = 12,
              r2CopyPen = 13, r2MergePenNot = 14, r2MergePen = 15, r2White = 16;
// A colour picked from the selected palette by its index.
constexpr quint32 paletteIndex(int index) { return 0x01000000u | quint32(index); }
// Raster operations of the bitmap records and PatBlt.
constexpr quint32 srcCopy = 0x00CC0020, srcPaint = 0x00EE0086, srcAnd = 0x008800C6, srcInvert = 0x00660046,
                  notSrcCopy = 0x00330008, patCopy = 0x00F00021, patInvert = 0x005A0049, dstInvert = 0x00550009,
                  blackness = 0x00000042, whiteness = 0x00FF0062;
// EMF stock objects.
constexpr quint32 stock(int object) { return 0x80000000u | quint32(object); }
constexpr quint32 whiteBrush = stock(0), lightGreyBrush = stock(1), greyBrush = stock(2), darkGreyBrush = stock(3),
                  blackBrush = stock(4), nullBrush = stock(5), whitePen = stock(6), blackPen = stock(7),
                  nullPen = stock(8);
constexpr int biRgb = 0, biRle8 = 1, biRle4 = 2, biBitfields = 3, biJpeg = 4, biPng = 5;
} // namespace gdi

// A GDI rectangle: its right and bottom edges lie just outside it.
struct Box {
    int left, top, right, bottom;
};

// Points as 16-bit x, y pairs.
inline QByteArray points16(const QList<QPoint>& points)
{
    Fields f;
    for (const QPoint& p : points)
        f.u16(p.x()).u16(p.y());
    return f.bytes;
}

inline QByteArray evenPadded(const QByteArray& bytes) { return bytes + QByteArray(bytes.size() % 2, '\0'); }

// Palette entries as GDI stores them: red, green, blue and a flags byte, from 0xRRGGBB colours.
inline QByteArray paletteEntries(const QList<quint32>& colours)
{
    QByteArray bytes;
    for (quint32 c : colours)
        bytes.append(char(c >> 16 & 0xFF)).append(char(c >> 8 & 0xFF)).append(char(c & 0xFF)).append('\0');
    return bytes;
}

// A device-independent bitmap: its BITMAPINFO (header and colour table) and
// its bits, apart, as EMF records keep them.
struct Dib {
    QByteArray info;
    QByteArray bits;
};

namespace dib {

inline QByteArray infoHeader(int width, int height, int bitCount, int compression, qint64 imageBytes, int colours)
{
    return Fields()
        .u32s({40, width, height})
        .u16s({1, bitCount})
        .u32s({compression, imageBytes, 2835, 2835, colours, 0})
        .bytes;
}

// Pixels as 0xRRGGBB, rows from the top; stored bottom up, blue first, each
// row padded to four bytes.
inline Dib rgb24(int width, int height, const QList<quint32>& pixels)
{
    QByteArray bits;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const quint32 p = pixels[y * width + x];
            bits.append(char(p & 0xFF)).append(char(p >> 8 & 0xFF)).append(char(p >> 16 & 0xFF));
        }
        bits.append(QByteArray((4 - width * 3 % 4) % 4, '\0'));
    }
    return {infoHeader(width, height, 24, gdi::biRgb, bits.size(), 0), bits};
}

// Palette indices, rows from the top, run-length coded (RLE8): each row's
// runs bottom up, an end of line after each, an end of bitmap after all.
inline Dib rle8(int width, int height, const QList<quint32>& palette, const QList<uchar>& indices)
{
    QByteArray bits;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width;) {
            int run = 1;
            const uchar index = indices[y * width + x];
            while (x + run < width && run < 255 && indices[y * width + x + run] == index)
                ++run;
            bits.append(char(run)).append(char(index));
            x += run;
        }
        bits.append(QByteArray("\0\0", 2));
    }
    bits.append(QByteArray("\0\1", 2));
    Fields colours;
    for (quint32 c : palette)
        colours.u32(c);
    return {infoHeader(width, height, 8, gdi::biRle8, bits.size(), int(palette.size())) + colours.bytes, bits};
}

// Pixels of 8 bits, rows from the top, whose colour table holds 16-bit
// indices into the selected palette (gdi::dibPalColors).
inline Dib paletteIndexed8(int width, int height, const QList<int>& tableIndices, const QList<uchar>& pixels)
{
    QByteArray bits;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            bits.append(char(pixels[y * width + x]));
        bits.append(QByteArray((4 - width % 4) % 4, '\0'));
    }
    Fields table;
    for (int index : tableIndices)
        table.u16(index);
    return {infoHeader(width, height, 8, gdi::biRgb, bits.size(), int(tableIndices.size())) + table.bytes, bits};
}

// A bitmap as written by hand: its header (height negative: rows from the
// top), the colour masks of BI_BITFIELDS, the colour table (0xRRGGBB) and
// the bits exactly as given.
inline Dib raw(int width, int height, int bitCount, int compression, const QList<quint32>& palette,
               const QByteArray& bits, const QList<quint32>& masks = {})
{
    Fields f;
    for (quint32 m : masks)
        f.u32(m);
    for (quint32 c : palette)
        f.u32(c);
    return {infoHeader(width, height, bitCount, compression, bits.size(), int(palette.size())) + f.bytes, bits};
}

// A PNG or JPEG file carried whole as the bitmap's bits (gdi::biPng, gdi::biJpeg).
inline Dib packed(int compression, int width, int height, const QByteArray& file)
{
    return {infoHeader(width, height, 0, compression, file.size(), 0), file};
}

} // namespace dib

namespace wmf {

// A record: size in 16-bit words, function, parameters (GDI lists them last
// first: y before x, bottom right before top left).
inline QByteArray record(int function, const QByteArray& parameters)
{
    const QByteArray padded = evenPadded(parameters);
    return Fields().u32(3 + padded.size() / 2).u16(function).bytes + padded;
}

inline QByteArray record(int function, std::initializer_list<int> parameters)
{
    return record(function, Fields().u16s(parameters).bytes);
}

inline QByteArray eof() { return record(0x0000, {}); }

// A record cut to its size and function, its parameters left out.
inline QByteArray cutToHeader(const QByteArray& record)
{
    return Fields().u32(3).raw(record.mid(4, 2)).bytes;
}

// The standard header of an in-memory metafile, its sizes as given.
inline QByteArray standardHeader(qint64 fileWords, int objects, qint64 largestRecordWords)
{
    return Fields().u16s({1, 9, 0x0300}).u32(fileWords).u16(objects).u32(largestRecordWords).u16(0).bytes;
}

// The standard header, the records and the end-of-file record, the header's
// size and largest record counted from the records.
inline QByteArray metafile(const QByteArray& records, int objects)
{
    const QByteArray all = records + eof();
    qint64 largest = 0;
    for (qsizetype at = 0; at + 4 <= all.size();) {
        const quint32 words = qFromLittleEndian<quint32>(all.constData() + at);
        largest = std::max<qint64>(largest, words);
        at += qsizetype(words) * 2;
    }
    return standardHeader((18 + all.size()) / 2, objects, largest) + all;
}

// The placeable header: the picture's box in logical units and their count
// to the inch, and the checksum of its first ten words.
inline QByteArray placeableHeader(int left, int top, int right, int bottom, int unitsPerInch)
{
    Fields header;
    header.u32(0x9AC6CDD7).u16s({0, left, top, right, bottom, unitsPerInch}).u32(0);
    int checksum = 0;
    for (int i = 0; i < 10; ++i)
        checksum ^= qFromLittleEndian<quint16>(header.bytes.constData() + 2 * i);
    return header.u16(checksum).bytes;
}

inline QByteArray setMapMode(int mode) { return record(0x0103, {mode}); }
inline QByteArray setWindowOrg(int x, int y) { return record(0x020B, {y, x}); }
inline QByteArray setWindowExt(int width, int height) { return record(0x020C, {height, width}); }
inline QByteArray setViewportOrg(int x, int y) { return record(0x020D, {y, x}); }
inline QByteArray setViewportExt(int width, int height) { return record(0x020E, {height, width}); }
inline QByteArray setBkMode(int mode) { return record(0x0102, {mode, 0}); }
inline QByteArray setPolyFillMode(int mode) { return record(0x0106, {mode, 0}); }
inline QByteArray setTextAlign(int align) { return record(0x012E, {align, 0}); }
inline QByteArray setTextColor(quint32 colour) { return record(0x0209, Fields().u32(colour).bytes); }
// Extra space spread over the breaks of the next text (a record the player skips).
inline QByteArray setTextJustification(int extra, int breaks) { return record(0x020A, {breaks, extra}); }
inline QByteArray setBkColor(quint32 colour) { return record(0x0201, Fields().u32(colour).bytes); }
inline QByteArray setROP2(int mode) { return record(0x0104, {mode, 0}); }
// Logical units added to each character's advance.
inline QByteArray setTextCharExtra(int extra) { return record(0x0108, {extra}); }
inline QByteArray saveDC() { return record(0x001E, {}); }
inline QByteArray restoreDC(int relative = -1) { return record(0x0127, {relative}); }
inline QByteArray intersectClipRect(int left, int top, int right, int bottom)
{
    return record(0x0416, {bottom, right, top, left});
}

// Objects take the lowest free slot of the object table when created.
inline QByteArray createPenIndirect(int style, int width, quint32 colour)
{
    return record(0x02FA, Fields().u16s({style, width, 0}).u32(colour).bytes);
}
inline QByteArray createBrushIndirect(int style, quint32 colour, int hatch = 0)
{
    return record(0x02FC, Fields().u16(style).u32(colour).u16(hatch).bytes);
}
// height < 0: the em in logical units; face: bytes in the character set's
// code page, at most 31; width: the average character width (0: the font's own).
inline QByteArray createFontIndirect(int height, int weight, int charset, const QByteArray& face, int escapement = 0,
                                     int width = 0, bool underline = false)
{
    return record(0x02FB, Fields()
                              .u16s({height, width, escapement, escapement, weight})
                              .u32(qint64(charset) << 24 | (underline ? 0x100 : 0)) // italic, underline, strike-out, set
                              .u32(0)                     // default precision, quality and family
                              .raw(evenPadded(face + QByteArray(1, '\0')))
                              .bytes);
}
inline QByteArray selectObject(int index) { return record(0x012D, {index}); }
inline QByteArray deleteObject(int index) { return record(0x01F0, {index}); }
// A palette of 0xRRGGBB colours takes a slot like any object; it is
// selected, and changed while selected, by records of its own.
inline QByteArray createPalette(const QList<quint32>& colours)
{
    return record(0x00F7, Fields().u16s({0x0300, int(colours.size())}).raw(paletteEntries(colours)).bytes);
}
inline QByteArray selectPalette(int index) { return record(0x0234, {index}); }
inline QByteArray realizePalette() { return record(0x0035, {}); }
inline QByteArray setPalEntries(int first, const QList<quint32>& colours)
{
    return record(0x0037, Fields().u16s({first, int(colours.size())}).raw(paletteEntries(colours)).bytes);
}

inline QByteArray polyline(const QList<QPoint>& points)
{
    return record(0x0325, Fields().u16(int(points.size())).raw(points16(points)).bytes);
}
inline QByteArray polygon(const QList<QPoint>& points)
{
    return record(0x0324, Fields().u16(int(points.size())).raw(points16(points)).bytes);
}
inline QByteArray polyPolygon(const QList<QList<QPoint>>& rings)
{
    Fields f;
    f.u16(int(rings.size()));
    for (const QList<QPoint>& ring : rings)
        f.u16(int(ring.size()));
    for (const QList<QPoint>& ring : rings)
        f.raw(points16(ring));
    return record(0x0538, f.bytes);
}
inline QByteArray rectangle(int left, int top, int right, int bottom)
{
    return record(0x041B, {bottom, right, top, left});
}
inline QByteArray ellipse(int left, int top, int right, int bottom)
{
    return record(0x0418, {bottom, right, top, left});
}

// Text in the selected font's code page.
inline QByteArray textOut(int x, int y, const QByteArray& text)
{
    return record(0x0521, Fields().u16(int(text.size())).raw(evenPadded(text)).u16s({y, x}).bytes);
}
// With an advance for every byte (a double-byte character's advance on its
// first byte, 0 on its second), no clipping or opaque box.
inline QByteArray extTextOut(int x, int y, const QByteArray& text, const QList<int>& advances)
{
    Fields f;
    f.u16s({y, x, int(text.size()), 0}).raw(evenPadded(text));
    for (int a : advances)
        f.u16(a);
    return record(0x0A32, f.bytes);
}

// The bitmap stretched from its whole source onto the destination box;
// usage: what its colour table holds (gdi::dibRgbColors, gdi::dibPalColors).
inline QByteArray stretchDib(const QRect& destination, int sourceWidth, int sourceHeight, const Dib& bitmap,
                             int usage = gdi::dibRgbColors)
{
    return record(0x0F43, Fields()
                              .u32(gdi::srcCopy)
                              .u16s({usage, sourceHeight, sourceWidth, 0, 0})
                              .u16s({destination.height(), destination.width(), destination.y(), destination.x()})
                              .raw(bitmap.info + bitmap.bits)
                              .bytes);
}

inline QByteArray offsetWindowOrg(int x, int y) { return record(0x020F, {y, x}); }
inline QByteArray scaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    return record(0x0410, {yDenom, yNum, xDenom, xNum});
}
inline QByteArray excludeClipRect(int left, int top, int right, int bottom)
{
    return record(0x0415, {bottom, right, top, left});
}
inline QByteArray offsetClipRgn(int x, int y) { return record(0x0220, {y, x}); }

inline QByteArray moveTo(int x, int y) { return record(0x0214, {y, x}); }
inline QByteArray lineTo(int x, int y) { return record(0x0213, {y, x}); }
inline QByteArray setPixel(int x, int y, quint32 colour) { return record(0x041F, Fields().u32(colour).u16s({y, x}).bytes); }
inline QByteArray roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    return record(0x061C, {cornerHeight, cornerWidth, bottom, right, top, left});
}
// Arc (0x0817), Chord (0x0830) and Pie (0x081A): the ellipse's box, from the
// radial line through start to the one through end.
inline QByteArray arcRecord(int function, const Box& box, QPoint start, QPoint end)
{
    return record(function, {end.y(), end.x(), start.y(), start.x(), box.bottom, box.right, box.top, box.left});
}
inline QByteArray arc(const Box& box, QPoint start, QPoint end) { return arcRecord(0x0817, box, start, end); }
inline QByteArray chord(const Box& box, QPoint start, QPoint end) { return arcRecord(0x0830, box, start, end); }
inline QByteArray pie(const Box& box, QPoint start, QPoint end) { return arcRecord(0x081A, box, start, end); }
inline QByteArray patBlt(const QRect& r, quint32 rop)
{
    return record(0x061D, Fields().u32(rop).u16s({r.height(), r.width(), r.y(), r.x()}).bytes);
}

// A region object of the given rectangles, one scan each.
inline QByteArray createRegion(const QList<Box>& boxes)
{
    Fields scans;
    for (const Box& b : boxes)
        scans.u16s({2, b.top, b.bottom, b.left, b.right, 2});
    Fields f;
    f.u16s({0, 6}).u32(0).u16(22 + int(scans.bytes.size())).u16(int(boxes.size())).u16(1);
    f.u16s({0, 0, 0, 0}).raw(scans.bytes); // the bounds, which nothing reads
    return record(0x06FF, f.bytes);
}
inline QByteArray selectClipRegion(int region) { return record(0x012C, {region}); }
inline QByteArray fillRegion(int region, int brush) { return record(0x0228, {region, brush}); }
inline QByteArray paintRegion(int region) { return record(0x012B, {region}); }

// A pattern brush of a DIB's pixels (colours in its table, not palette indices).
inline QByteArray dibCreatePatternBrush(const Dib& bitmap)
{
    return record(0x0142, Fields().u16s({gdi::bsDibPatternPt, 0}).raw(bitmap.info + bitmap.bits).bytes);
}

// ExtTextOut with its options and their rectangle (gdi::etoOpaque: the box
// filled with the background colour first; gdi::etoClipped), an advance for
// every byte.
inline QByteArray extTextOut(int x, int y, const QByteArray& text, const QList<int>& advances, int options, const Box& box)
{
    Fields f;
    f.u16s({y, x, int(text.size()), options, box.left, box.top, box.right, box.bottom}).raw(evenPadded(text));
    for (int a : advances)
        f.u16(a);
    return record(0x0A32, f.bytes);
}

// The bitmap records with their source rectangle in the DIB's pixels and
// their raster operation: StretchDIBits and SetDIBitsToDevice count the
// source's rows from the bottom of a bottom-up DIB, the blits from the top.
inline QByteArray stretchDib(const QRect& destination, const QRect& source, const Dib& bitmap, quint32 rop = gdi::srcCopy)
{
    return record(0x0F43, Fields()
                              .u32(rop)
                              .u16s({0, source.height(), source.width(), source.y(), source.x()})
                              .u16s({destination.height(), destination.width(), destination.y(), destination.x()})
                              .raw(bitmap.info + bitmap.bits)
                              .bytes);
}
inline QByteArray dibStretchBlt(const QRect& destination, const QRect& source, const Dib& bitmap)
{
    return record(0x0B41, Fields()
                              .u32(gdi::srcCopy)
                              .u16s({source.height(), source.width(), source.y(), source.x()})
                              .u16s({destination.height(), destination.width(), destination.y(), destination.x()})
                              .raw(bitmap.info + bitmap.bits)
                              .bytes);
}
inline QByteArray dibBitBlt(const QRect& destination, QPoint source, const Dib& bitmap)
{
    return record(0x0940, Fields()
                              .u32(gdi::srcCopy)
                              .u16s({source.y(), source.x()})
                              .u16s({destination.height(), destination.width(), destination.y(), destination.x()})
                              .raw(bitmap.info + bitmap.bits)
                              .bytes);
}
inline QByteArray setDIBitsToDevice(const QRect& destination, QPoint source, int rows, const Dib& bitmap)
{
    return record(0x0D33, Fields()
                              .u16s({0, rows, 0, source.y(), source.x()})
                              .u16s({destination.height(), destination.width(), destination.y(), destination.x()})
                              .raw(bitmap.info + bitmap.bits)
                              .bytes);
}

} // namespace wmf

namespace emf {

// A record: type, size in bytes, parameters (padded to four bytes).
inline QByteArray record(quint32 type, const QByteArray& parameters)
{
    const QByteArray padded = parameters + QByteArray((4 - parameters.size() % 4) % 4, '\0');
    return Fields().u32s({type, 8 + padded.size()}).bytes + padded;
}

inline QByteArray rectl(const QRect& r) { return Fields().u32s({r.left(), r.top(), r.right(), r.bottom()}).bytes; }

inline QByteArray eof() { return Fields().u32s({14, 20, 0, 16, 20}).bytes; }

// A record cut to its type and size, its parameters left out.
inline QByteArray cutToHeader(const QByteArray& record) { return record.left(4) + Fields().u32(8).bytes; }

// The header: the drawing's bounds in device pixels and its frame in
// hundredths of a millimetre (both inclusive), the reference device's size in
// pixels and millimetres, and the file's counts as given.
inline QByteArray header(const QRect& bounds, const QRect& frame, QSize devicePixels, QSize deviceMillimetres,
                         qint64 fileBytes, qint64 records, int handles)
{
    return Fields()
        .u32s({1, 88})
        .raw(rectl(bounds) + rectl(frame))
        .u32s({0x464D4520, 0x10000, fileBytes, records})
        .u16s({handles, 0})
        .u32s({0, 0, 0, devicePixels.width(), devicePixels.height(), deviceMillimetres.width(),
               deviceMillimetres.height()})
        .bytes;
}

// The header, the records and the end-of-file record, with the file's size
// and record count counted.
inline QByteArray metafile(const QByteArray& records, const QRect& bounds, const QRect& frame, QSize devicePixels,
                           QSize deviceMillimetres, int handles)
{
    qint64 count = 2;
    for (qsizetype at = 0; at + 8 <= records.size(); ++count)
        at += std::max<quint32>(8, qFromLittleEndian<quint32>(records.constData() + at + 4));
    const qint64 bytes = 88 + records.size() + eof().size();
    return header(bounds, frame, devicePixels, deviceMillimetres, bytes, count, handles) + records + eof();
}

inline QByteArray setWindowExtEx(int width, int height) { return record(9, Fields().u32s({width, height}).bytes); }
inline QByteArray setWindowOrgEx(int x, int y) { return record(10, Fields().u32s({x, y}).bytes); }
inline QByteArray setViewportExtEx(int width, int height) { return record(11, Fields().u32s({width, height}).bytes); }
inline QByteArray setViewportOrgEx(int x, int y) { return record(12, Fields().u32s({x, y}).bytes); }
inline QByteArray setMapMode(int mode) { return record(17, Fields().u32(mode).bytes); }
inline QByteArray setBkMode(int mode) { return record(18, Fields().u32(mode).bytes); }
inline QByteArray setPolyFillMode(int mode) { return record(19, Fields().u32(mode).bytes); }
inline QByteArray setTextAlign(int align) { return record(22, Fields().u32(align).bytes); }
inline QByteArray setTextColor(quint32 colour) { return record(24, Fields().u32(colour).bytes); }
inline QByteArray setBkColor(quint32 colour) { return record(25, Fields().u32(colour).bytes); }
inline QByteArray setROP2(int mode) { return record(20, Fields().u32(mode).bytes); }
// Extra space spread over the break characters of the next text: GDI bakes
// it into the text records' advances, so the record changes nothing drawn.
inline QByteArray setTextJustification(int breakExtra, int breakCount)
{
    return record(120, Fields().u32s({breakExtra, breakCount}).bytes);
}
// Right and bottom are outside the clip.
inline QByteArray intersectClipRect(int left, int top, int right, int bottom)
{
    return record(30, Fields().u32s({left, top, right, bottom}).bytes);
}
inline QByteArray saveDC() { return record(33, {}); }
// A comment: data a program keeps for itself (EMF+ drawing, when it starts with "EMF+").
inline QByteArray comment(const QByteArray& data) { return record(70, Fields().u32(data.size()).raw(data).bytes); }
inline QByteArray restoreDC(int relative = -1) { return record(34, Fields().u32(relative).bytes); }
// x' = m11 x + m21 y + dx, y' = m12 x + m22 y + dy. (An EMF records no
// graphics mode: its world transform holds whatever the mode was.)
inline QByteArray setWorldTransform(float m11, float m12, float m21, float m22, float dx, float dy)
{
    return record(35, Fields().f32(m11).f32(m12).f32(m21).f32(m22).f32(dx).f32(dy).bytes);
}
// mode: gdi::mwtIdentity, mwtLeftMultiply (the new transform applies first), mwtRightMultiply.
inline QByteArray modifyWorldTransform(float m11, float m12, float m21, float m22, float dx, float dy, int mode)
{
    return record(36, Fields().f32(m11).f32(m12).f32(m21).f32(m22).f32(dx).f32(dy).u32(mode).bytes);
}
inline QByteArray setArcDirection(int direction) { return record(57, Fields().u32(direction).bytes); }
inline QByteArray scaleViewportExtEx(int xNum, int xDenom, int yNum, int yDenom)
{
    return record(31, Fields().u32s({xNum, xDenom, yNum, yDenom}).bytes);
}
inline QByteArray scaleWindowExtEx(int xNum, int xDenom, int yNum, int yDenom)
{
    return record(32, Fields().u32s({xNum, xDenom, yNum, yDenom}).bytes);
}
inline QByteArray excludeClipRect(int left, int top, int right, int bottom)
{
    return record(29, Fields().u32s({left, top, right, bottom}).bytes);
}
inline QByteArray offsetClipRgn(int x, int y) { return record(26, Fields().u32s({x, y}).bytes); }

// A region's data: its header and rectangles, in device units.
inline QByteArray regionData(const QList<Box>& boxes)
{
    Fields f;
    f.u32s({32, 1, boxes.size(), 16 * boxes.size(), 0, 0, 0, 0});
    for (const Box& b : boxes)
        f.u32s({b.left, b.top, b.right, b.bottom});
    return f.bytes;
}
// No boxes with gdi::rgnCopy: no clip at all.
inline QByteArray extSelectClipRgn(int mode, const QList<Box>& boxes)
{
    const QByteArray data = boxes.isEmpty() ? QByteArray() : regionData(boxes);
    return record(75, Fields().u32s({data.size(), mode}).raw(data).bytes);
}
inline QByteArray fillRgn(quint32 brush, const QList<Box>& boxes)
{
    const QByteArray data = regionData(boxes);
    return record(71, Fields().u32s({0, 0, 0, 0, data.size(), brush}).raw(data).bytes);
}
inline QByteArray paintRgn(const QList<Box>& boxes)
{
    const QByteArray data = regionData(boxes);
    return record(74, Fields().u32s({0, 0, 0, 0, data.size()}).raw(data).bytes);
}

// Path brackets and what is done with the path.
inline QByteArray beginPath() { return record(59, {}); }
inline QByteArray endPath() { return record(60, {}); }
inline QByteArray closeFigure() { return record(61, {}); }
inline QByteArray fillPath() { return record(62, Fields().u32s({0, 0, 0, 0}).bytes); }
inline QByteArray strokeAndFillPath() { return record(63, Fields().u32s({0, 0, 0, 0}).bytes); }
inline QByteArray strokePath() { return record(64, Fields().u32s({0, 0, 0, 0}).bytes); }
inline QByteArray selectClipPath(int mode) { return record(67, Fields().u32(mode).bytes); }
inline QByteArray abortPath() { return record(68, {}); }

// Objects go into the table at the index the record names.
inline QByteArray selectObject(quint32 index) { return record(37, Fields().u32(index).bytes); }
inline QByteArray deleteObject(quint32 index) { return record(40, Fields().u32(index).bytes); }
// The plain pen record: width in logical units (0: one pixel).
inline QByteArray createPen(quint32 index, int style, int width, quint32 colour)
{
    return record(38, Fields().u32s({index, style, width, 0, colour}).bytes);
}
// A geometric pen, solid with round ends and joins unless style says otherwise.
inline QByteArray extCreatePen(quint32 index, int width, quint32 colour, int style = gdi::psSolid)
{
    return record(95, Fields().u32s({index, 0, 0, 0, 0, gdi::psGeometric | style, width, gdi::bsSolid, colour, 0, 0}).bytes);
}
// A pattern brush of a DIB's pixels (colours in its table, not palette indices).
inline QByteArray createDibPatternBrushPt(quint32 index, const Dib& bitmap)
{
    return record(94, Fields()
                          .u32s({index, 0, 32, bitmap.info.size(), 32 + bitmap.info.size(), bitmap.bits.size()})
                          .raw(bitmap.info + bitmap.bits)
                          .bytes);
}
inline QByteArray createBrushIndirect(quint32 index, int style, quint32 colour, int hatch = 0)
{
    return record(39, Fields().u32s({index, style, colour, hatch}).bytes);
}
// A pen with user-defined dashes and gaps (gdi::psUserStyle in style):
// logical units for a geometric pen, pixels for a cosmetic one.
inline QByteArray extCreateUserStylePen(quint32 index, int style, int width, quint32 colour, const QList<int>& dashes)
{
    Fields f;
    f.u32s({index, 0, 0, 0, 0, style, width, gdi::bsSolid, colour, 0, dashes.size()});
    for (int d : dashes)
        f.u32(d);
    return record(95, f.bytes);
}
// A palette of 0xRRGGBB colours at the index; selected and changed by name.
inline QByteArray createPalette(quint32 index, const QList<quint32>& colours)
{
    return record(49, Fields().u32(index).u16s({0x0300, int(colours.size())}).raw(paletteEntries(colours)).bytes);
}
inline QByteArray selectPalette(quint32 index) { return record(48, Fields().u32(index).bytes); }
inline QByteArray realizePalette() { return record(52, {}); }
inline QByteArray setPaletteEntries(quint32 index, int first, const QList<quint32>& colours)
{
    return record(50, Fields().u32s({index, first, colours.size()}).raw(paletteEntries(colours)).bytes);
}
// height < 0: the em in logical units; face: at most 31 characters;
// escapement: tenths of a degree, anticlockwise; width: the average character
// width (0: the font's own).
inline QByteArray extCreateFontIndirectW(quint32 index, int height, int weight, int charset, const QString& face,
                                         int escapement = 0, int width = 0, bool underline = false)
{
    QByteArray name(64, '\0');
    std::memcpy(name.data(), face.utf16(), size_t(std::min<qsizetype>(face.size(), 31)) * 2);
    // As a WMF's font, with 32-bit sizes and a UTF-16 name.
    return record(82, Fields()
                          .u32s({index, height, width, escapement, escapement, weight,
                                 qint64(charset) << 24 | (underline ? 0x100 : 0), 0})
                          .raw(name)
                          .bytes);
}

// The points' box, as the records' bounds: GDI writes it in device units,
// which is the logical box when no mapping is set.
inline QByteArray boundsOf(const QList<QPoint>& points)
{
    QRect box;
    for (const QPoint& p : points)
        box = box.united(QRect(p, QSize(1, 1)));
    return rectl(box);
}

inline QByteArray points32(const QList<QPoint>& points)
{
    Fields f;
    for (const QPoint& p : points)
        f.u32(p.x()).u32(p.y());
    return f.bytes;
}

inline QByteArray polyline(const QList<QPoint>& points)
{
    return record(4, boundsOf(points) + Fields().u32(points.size()).bytes + points32(points));
}
inline QByteArray polygon(const QList<QPoint>& points)
{
    return record(3, boundsOf(points) + Fields().u32(points.size()).bytes + points32(points));
}
inline QByteArray polyline16(const QList<QPoint>& points)
{
    return record(87, boundsOf(points) + Fields().u32(points.size()).bytes + points16(points));
}
inline QByteArray polygon16(const QList<QPoint>& points)
{
    return record(86, boundsOf(points) + Fields().u32(points.size()).bytes + points16(points));
}
// PolyPolygon (8), PolyPolyline (7) and their 16-bit forms (91, 90).
inline QByteArray polyPoly(quint32 type, const QList<QList<QPoint>>& parts, bool wide)
{
    QList<QPoint> all;
    Fields counts;
    for (const QList<QPoint>& part : parts) {
        all += part;
        counts.u32(part.size());
    }
    return record(type, boundsOf(all) + Fields().u32s({parts.size(), all.size()}).bytes + counts.bytes
                            + (wide ? points32(all) : points16(all)));
}
inline QByteArray polyPolygon16(const QList<QList<QPoint>>& rings) { return polyPoly(91, rings, false); }
inline QByteArray polyPolygon(const QList<QList<QPoint>>& rings) { return polyPoly(8, rings, true); }
inline QByteArray polyPolyline16(const QList<QList<QPoint>>& lines) { return polyPoly(90, lines, false); }
inline QByteArray polyPolyline(const QList<QList<QPoint>>& lines) { return polyPoly(7, lines, true); }
// The records of a count and points: PolyBezier (2), PolyBezierTo (5),
// PolylineTo (6) and their 16-bit forms (85, 88, 89).
inline QByteArray points(quint32 type, const QList<QPoint>& points, bool wide)
{
    return record(type, boundsOf(points) + Fields().u32(points.size()).bytes + (wide ? points32(points) : points16(points)));
}
// Points each with its kind (gdi::ptMoveTo, ptLineTo, ptBezierTo, ptCloseFigure).
inline QByteArray polyDraw(const QList<QPoint>& points, const QList<int>& kinds, bool wide)
{
    QByteArray k;
    for (int kind : kinds)
        k.append(char(kind));
    return record(wide ? 56 : 92, boundsOf(points) + Fields().u32(points.size()).bytes
                                      + (wide ? points32(points) : points16(points)) + k);
}
inline QByteArray moveToEx(int x, int y) { return record(27, Fields().u32s({x, y}).bytes); }
inline QByteArray lineTo(int x, int y) { return record(54, Fields().u32s({x, y}).bytes); }
inline QByteArray setPixelV(int x, int y, quint32 colour) { return record(15, Fields().u32s({x, y, colour}).bytes); }
inline QByteArray roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    return record(44, Fields().u32s({left, top, right, bottom, cornerWidth, cornerHeight}).bytes);
}
// Arc (45), Chord (46), Pie (47) and ArcTo (55): the ellipse's box, from the
// radial line through start to the one through end.
inline QByteArray arcRecord(quint32 type, const Box& box, QPoint start, QPoint end)
{
    return record(type, Fields().u32s({box.left, box.top, box.right, box.bottom, start.x(), start.y(), end.x(), end.y()}).bytes);
}
inline QByteArray arc(const Box& box, QPoint start, QPoint end) { return arcRecord(45, box, start, end); }
inline QByteArray chord(const Box& box, QPoint start, QPoint end) { return arcRecord(46, box, start, end); }
inline QByteArray pie(const Box& box, QPoint start, QPoint end) { return arcRecord(47, box, start, end); }
inline QByteArray arcTo(const Box& box, QPoint start, QPoint end) { return arcRecord(55, box, start, end); }
// From the current position a line to the circle, then along it; degrees anticlockwise.
inline QByteArray angleArc(QPoint centre, int radius, float startDegrees, float sweepDegrees)
{
    return record(41, Fields().u32s({centre.x(), centre.y(), radius}).f32(startDegrees).f32(sweepDegrees).bytes);
}
inline QByteArray rectangle(int left, int top, int right, int bottom)
{
    return record(43, Fields().u32s({left, top, right, bottom}).bytes);
}
inline QByteArray ellipse(int left, int top, int right, int bottom)
{
    return record(42, Fields().u32s({left, top, right, bottom}).bytes);
}

// UTF-16 text from its reference point, an advance for every UTF-16 unit;
// box: the rectangle of ETO_OPAQUE and ETO_CLIPPED.
inline QByteArray extTextOutW(int x, int y, const QString& text, const QList<int>& advances, int options = 0,
                              const Box& box = {0, 0, 0, 0})
{
    const QByteArray utf16 = QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    const QByteArray padded = utf16 + QByteArray(utf16.size() % 4, '\0');
    Fields f;
    f.u32s({0, 0, 0, 0, 1}).f32(1).f32(1); // bounds, GM_COMPATIBLE, scales
    f.u32s({x, y, text.size(), 76, options, box.left, box.top, box.right, box.bottom, 76 + padded.size()});
    f.raw(padded);
    for (int a : advances)
        f.u32(a);
    return record(84, f.bytes);
}

// Text in the selected font's code page from its reference point, an advance
// for every byte (a double-byte character's advance split over its two).
inline QByteArray extTextOutA(int x, int y, const QByteArray& text, const QList<int>& advances, int options = 0)
{
    const QByteArray padded = text + QByteArray((4 - text.size() % 4) % 4, '\0');
    Fields f;
    f.u32s({0, 0, 0, 0, 1}).f32(1).f32(1);                                    // bounds, GM_COMPATIBLE, scales
    f.u32s({x, y, text.size(), 76, options, 0, 0, 0, 0, 76 + padded.size()}); // the text's own part
    f.raw(padded);
    for (int a : advances)
        f.u32(a);
    return record(83, f.bytes);
}

// The bitmap stretched from its source onto the destination box: the whole
// source, or a rectangle of it with rows counted from the bottom of a
// bottom-up DIB; usage: what its colour table holds (gdi::dibRgbColors,
// gdi::dibPalColors).
inline QByteArray stretchDIBits(const QRect& destination, const QRect& source, const Dib& bitmap,
                                quint32 rop = gdi::srcCopy, int usage = gdi::dibRgbColors)
{
    const qint64 infoAt = 80, bitsAt = 80 + bitmap.info.size();
    return record(81, Fields()
                          .raw(rectl(destination))
                          .u32s({destination.x(), destination.y(), source.x(), source.y(), source.width(), source.height()})
                          .u32s({infoAt, bitmap.info.size(), bitsAt, bitmap.bits.size(), usage, rop})
                          .u32s({destination.width(), destination.height()})
                          .raw(bitmap.info + bitmap.bits)
                          .bytes);
}
inline QByteArray stretchDIBits(const QRect& destination, int sourceWidth, int sourceHeight, const Dib& bitmap,
                                int usage = gdi::dibRgbColors)
{
    return stretchDIBits(destination, QRect(0, 0, sourceWidth, sourceHeight), bitmap, gdi::srcCopy, usage);
}
inline QByteArray setDIBitsToDevice(const QRect& destination, QPoint source, int rows, const Dib& bitmap)
{
    const qint64 infoAt = 76, bitsAt = 76 + bitmap.info.size();
    return record(80, Fields()
                          .raw(rectl(destination))
                          .u32s({destination.x(), destination.y(), source.x(), source.y(), destination.width(),
                                 destination.height()})
                          .u32s({infoAt, bitmap.info.size(), bitsAt, bitmap.bits.size(), 0, 0, rows})
                          .raw(bitmap.info + bitmap.bits)
                          .bytes);
}
// BitBlt (76) and StretchBlt (77): the source's rows from its top; with no
// bitmap, the brush through the raster operation (as PatBlt). AlphaBlend
// (114) is laid out as StretchBlt, its blend function in place of the
// raster operation.
inline QByteArray blit(const QRect& destination, const QRect& source, const Dib& bitmap, quint32 rop, bool stretch,
                       quint32 type = 0)
{
    const qint64 fixed = stretch ? 108 : 100;
    const bool none = bitmap.info.isEmpty();
    Fields f;
    f.raw(rectl(destination)).u32s({destination.x(), destination.y(), destination.width(), destination.height(), rop});
    f.u32s({source.x(), source.y()}).f32(1).f32(0).f32(0).f32(1).f32(0).f32(0); // the source's transform
    f.u32s({0, 0, none ? 0 : fixed, bitmap.info.size(), none ? 0 : fixed + bitmap.info.size(), bitmap.bits.size()});
    if (stretch)
        f.u32s({source.width(), source.height()});
    return record(type ? type : stretch ? 77 : 76, f.raw(bitmap.info + bitmap.bits).bytes);
}
// AlphaBlend at full constant opacity, the source without alpha of its own.
inline QByteArray alphaBlendOpaque(const QRect& destination, const QRect& source, const Dib& bitmap)
{
    return blit(destination, source, bitmap, 0x00FF0000, true, 114);
}

} // namespace emf

} // namespace kv::test

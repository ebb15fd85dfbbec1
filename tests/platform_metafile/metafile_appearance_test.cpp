// How the player draws what a metafile's state asks of its lines, fills and
// text: palette colours, condensed and cell-height fonts, letter spacing,
// user-defined dashes, the binary raster operations, opaque text boxes
// without characters, and symbol fonts. Pixels and ink boxes are worked out
// by hand from the records; text by where its ink lies, or against a plain
// painter's drawing of the characters it stands for.
#include "platform/metafile/metafile.h"
#include "platform/metafile/metafile_font.h"

#include "tests/support/metafile_records.h"
#include "tests/support/metafile_rows.h"
#include "tests/support/metafile_reference.h"

#include <QImage>
#include <gtest/gtest.h>

#include <vector>

namespace kv {
namespace {

using namespace test;





// Colours as 0xRRGGBB, and the same as the records' COLORREFs.
constexpr quint32 crimson = 0xC81E32, green = 0x1E9646, blue = 0x2040C0;
constexpr quint32 ref(quint32 rgb) { return colorRef(int(rgb >> 16), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)); }

// The sixteen binary raster operations of a brush P = 0x96C30F over a picture
// D = 0x3C5AA5, worked out bit by bit: black, ~(D|P), D&~P, ~P, P&~D, ~D,
// D^P, ~(D&P), D&P, ~(D^P), D, D|~P, P, P|~D, D|P, white.
constexpr quint32 under = 0x3C5AA5, mixed = 0x96C30F;
constexpr QRgb mixes[16] = {0x000000, 0x412450, 0x2818A0, 0x693CF0, 0x82810A, 0xC3A55A, 0xAA99AA, 0xEBBDFA,
                            0x144205, 0x556655, 0x3C5AA5, 0x7D7EF5, 0x96C30F, 0xD7E75F, 0xBEDBAF, 0xFFFFFF};

// The picture filled with D, then a strip six pixels wide for each raster
// operation, filled with P by a rectangle (no pen).
QByteArray wmfMixStrips()
{
    QByteArray r = wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(0)
                   + wmf::createBrushIndirect(gdi::bsSolid, ref(under)) + wmf::selectObject(1) + wmf::rectangle(0, 0, 100, 100)
                   + wmf::createBrushIndirect(gdi::bsSolid, ref(mixed)) + wmf::selectObject(2);
    for (int mix = 1; mix <= 16; ++mix)
        r += wmf::setROP2(mix) + wmf::rectangle(6 * (mix - 1), 0, 6 * mix, 100);
    return wmf100(r);
}

QByteArray emfMixStrips()
{
    QByteArray r = emf::selectObject(gdi::nullPen) + emf::createBrushIndirect(1, gdi::bsSolid, ref(under))
                   + emf::selectObject(1) + emf::rectangle(0, 0, 100, 100)
                   + emf::createBrushIndirect(2, gdi::bsSolid, ref(mixed)) + emf::selectObject(2);
    for (int mix = 1; mix <= 16; ++mix)
        r += emf::setROP2(mix) + emf::rectangle(6 * (mix - 1), 0, 6 * mix, 100);
    return emf100(r);
}

std::vector<std::pair<QPoint, QRgb>> mixPixels()
{
    std::vector<std::pair<QPoint, QRgb>> pixels;
    for (int mix = 1; mix <= 16; ++mix)
        pixels.push_back({QPoint(6 * (mix - 1) + 3, 50), mixes[mix - 1]});
    return pixels;
}

struct Row {
    const char* name;
    QByteArray file;
    std::vector<std::pair<QPoint, QRgb>> pixels;
    std::vector<QRect> ink;   // each holds ink
    std::vector<QRect> noInk; // none holds any
};

TEST(MetafileAppearance, DrawsPalettesFontsDashesMixesAndOpaqueBoxesAsTheRecordsSay)
{
    const QByteArray wmfPalette = wmf::createPalette({crimson, green}) + wmf::selectPalette(0) + wmf::realizePalette();
    const QByteArray wmfNullPen = wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(1);
    const QByteArray emfPalette = emf::createPalette(1, {crimson, green, blue}) + emf::selectPalette(1) + emf::realizePalette();
    // Lines, fills over D: an exclusive-or pen, a NOT line, a line that draws nothing.
    const QList<QPoint> at20{{0, 20}, {100, 20}}, at40{{0, 40}, {100, 40}}, at60{{0, 60}, {100, 60}};
    const Row rows[] = {
        {"WMF palette: a PALETTEINDEX brush takes the selected palette's entry",
         wmf100(wmfPalette + wmfNullPen + wmf::createBrushIndirect(gdi::bsSolid, gdi::paletteIndex(1)) + wmf::selectObject(2)
                + wmf::rectangle(20, 20, 80, 80)),
         {{{50, 50}, green}, {{10, 10}, white}}, {}, {}},
        {"WMF palette: none selected, the default palette's entry; an index past its end, its first",
         wmf100(wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(0)
                + wmf::createBrushIndirect(gdi::bsSolid, gdi::paletteIndex(9)) + wmf::selectObject(1) + wmf::rectangle(0, 0, 50, 100)
                + wmf::createBrushIndirect(gdi::bsSolid, gdi::paletteIndex(25)) + wmf::selectObject(2)
                + wmf::rectangle(50, 0, 100, 100)),
         {{{25, 50}, 0xA6CAF0}, {{75, 50}, black}}, {}, {}},
        {"WMF palette: SetPalEntries changes the selected palette; text and pens take it too",
         wmf100(wmfPalette + wmf::setPalEntries(1, {blue}) + wmfNullPen
                    + wmf::createBrushIndirect(gdi::bsSolid, gdi::paletteIndex(1)) + wmf::selectObject(2)
                    + wmf::rectangle(0, 0, 100, 50) + wmf::createPenIndirect(gdi::psSolid, 5, gdi::paletteIndex(0))
                    + wmf::selectObject(3) + wmf::polyline({{10, 75}, {90, 75}}),
                5),
         {{{50, 25}, blue}, {{50, 75}, crimson}}, {}, {}},
        {"WMF palette: a DIB_PAL_COLORS bitmap's colour table indexes the palette",
         wmf100(wmf::createPalette({crimson, green, blue}) + wmf::selectPalette(0)
                + wmf::stretchDib(QRect(20, 20, 40, 40), 2, 1, dib::paletteIndexed8(2, 1, {2, 0}, {0, 1}), gdi::dibPalColors)),
         {{{25, 40}, blue}, {{55, 40}, crimson}}, {}, {}},
        {"EMF palette: a PALETTEINDEX pen; a brush index past the palette's end takes its first entry",
         emf100(emfPalette + emf::createBrushIndirect(2, gdi::bsSolid, gdi::paletteIndex(7)) + emf::selectObject(2)
                + emf::selectObject(gdi::nullPen) + emf::rectangle(0, 0, 100, 30) + emf::extCreatePen(3, 5, gdi::paletteIndex(1))
                + emf::selectObject(3) + emf::polyline16({{10, 60}, {90, 60}})),
         {{{50, 10}, crimson}, {{50, 60}, green}, {{50, 80}, white}}, {}, {}},
        {"EMF palette: SetPaletteEntries, then a DIB_PAL_COLORS bitmap",
         emf100(emfPalette + emf::setPaletteEntries(1, 0, {0x808000})
                + emf::stretchDIBits(QRect(20, 20, 40, 40), 2, 1, dib::paletteIndexed8(2, 1, {2, 0}, {0, 1}), gdi::dibPalColors)),
         {{{25, 40}, blue}, {{55, 40}, 0x808000}}, {}, {}},
        // Ten e's condensed to an average width of 6: GDI narrows Arial (average
        // 0.44 em, 'e' 0.56 em) so that an 'e' is about 7.6 pixels, the label
        // about 76 from x 10; at its own width (an 'e' about 0.6 em, 14.6
        // pixels) it would run past the picture's edge.
        {"WMF condensed font: lfWidth narrows the label",
         wmf100(wmf::setBkMode(gdi::transparent) + wmf::createFontIndirect(-24, 400, gdi::ansiCharset, "Arial", 0, 6)
                + wmf::selectObject(0) + wmf::textOut(10, 40, "eeeeeeeeee")),
         {}, {QRect(66, 40, 14, 30)}, {QRect(90, 0, 10, 100)}},
        {"EMF condensed font: lfWidth narrows the label",
         emf100(emf::setBkMode(gdi::transparent) + emf::extCreateFontIndirectW(1, -24, 400, gdi::ansiCharset, "Arial", 0, 6)
                + emf::selectObject(1) + emf::extTextOutW(10, 40, "eeeeeeeeee", {})),
         {}, {QRect(66, 40, 14, 30)}, {QRect(90, 0, 10, 100)}},
        // A cell 40 high: with this machine's sans-serif (ascent 0.93 and
        // descent 0.24 of its em) an em of 34 pixels, whose H (0.73 em)
        // stands from row 17 to row 42 below a top at 10; as an em of 40 it
        // would reach row 47.
        {"WMF positive font height: the cell, ascent and descent together",
         wmf100(wmf::setBkMode(gdi::transparent) + wmf::createFontIndirect(40, 400, gdi::ansiCharset, "Arial")
                + wmf::selectObject(0) + wmf::textOut(10, 10, "HH")),
         {}, {QRect(10, 38, 40, 3)}, {QRect(0, 45, 100, 55), QRect(0, 0, 100, 14)}},
        {"EMF positive font height: the cell, ascent and descent together",
         emf100(emf::setBkMode(gdi::transparent) + emf::extCreateFontIndirectW(1, 40, 400, gdi::ansiCharset, "Arial")
                + emf::selectObject(1) + emf::extTextOutW(10, 10, "HH", {})),
         {}, {QRect(10, 38, 40, 3)}, {QRect(0, 45, 100, 55), QRect(0, 0, 100, 14)}},
        // Four I's 20 units apart besides their own advance (about 6): the
        // fourth starts near x 88, and nothing lies between the first two.
        {"WMF SetTextCharacterExtra spaces the letters",
         wmf100(wmf::setBkMode(gdi::transparent) + wmf::setTextCharExtra(20)
                + wmf::createFontIndirect(-20, 400, gdi::ansiCharset, "Arial") + wmf::selectObject(0)
                + wmf::textOut(10, 10, "IIII")),
         {}, {QRect(86, 10, 10, 20)}, {QRect(17, 0, 15, 100)}},
        {"EMF SetTextJustification changes nothing drawn: GDI put it in the advances",
         emf100(emf::setBkMode(gdi::transparent) + emf::setTextJustification(30, 1)
                + emf::extCreateFontIndirectW(1, -20, 400, gdi::ansiCharset, "Arial") + emf::selectObject(1)
                + emf::extTextOutW(10, 10, "I I", {10, 10, 10})),
         {}, {QRect(10, 10, 30, 20)}, {QRect(40, 0, 60, 100)}},
        {"EMF cosmetic user-style pen: dashes of 10 and gaps of 5 pixels",
         emf100(emf::extCreateUserStylePen(1, gdi::psUserStyle, 1, black, {10, 5}) + emf::selectObject(1)
                + emf::polyline16({{10, 50}, {90, 50}})),
         {{{15, 50}, black}, {{22, 50}, white}, {{30, 50}, black}, {{37, 50}, white}, {{45, 50}, black}}, {}, {}},
        {"EMF cosmetic user-style pen: an odd count runs again with dashes and gaps swapped",
         emf100(emf::extCreateUserStylePen(1, gdi::psUserStyle, 1, black, {6, 3, 3}) + emf::selectObject(1)
                + emf::polyline16({{10, 50}, {90, 50}})),
         {{{12, 50}, black}, {{17, 50}, white}, {{20, 50}, black}, {{24, 50}, white}, {{29, 50}, black}, {{32, 50}, white}},
         {}, {}},
        // Logical units of half a pixel: dashes and gaps of 20 units are 10 pixels.
        {"EMF geometric user-style pen: its dashes in logical units",
         emf100(emf::setMapMode(gdi::mmAnisotropic) + emf::setWindowExtEx(200, 200) + emf::setViewportExtEx(100, 100)
                + emf::extCreateUserStylePen(1, gdi::psGeometric | gdi::psUserStyle | gdi::psEndcapFlat, 4, ref(blue), {20, 20})
                + emf::selectObject(1) + emf::polyline16({{20, 100}, {180, 100}})),
         {{{15, 50}, blue}, {{25, 50}, white}, {{35, 50}, blue}, {{45, 50}, white}}, {}, {}},
        {"WMF SetROP2: each of the sixteen mixes of a brush over a colour", wmfMixStrips(), mixPixels(), {}, {}},
        {"EMF SetROP2: each of the sixteen mixes of a brush over a colour", emfMixStrips(), mixPixels(), {}, {}},
        {"WMF SetROP2 for lines: exclusive or, NOT, and a line that draws nothing",
         wmf100(wmf::createPenIndirect(gdi::psNull, 0, 0) + wmf::selectObject(0) + wmf::createBrushIndirect(gdi::bsSolid, ref(under))
                + wmf::selectObject(1) + wmf::rectangle(0, 0, 100, 100) + wmf::createPenIndirect(gdi::psSolid, 1, ref(mixed))
                + wmf::selectObject(2) + wmf::setROP2(gdi::r2XorPen) + wmf::polyline(at20) + wmf::setROP2(gdi::r2Not)
                + wmf::polyline(at40) + wmf::setROP2(gdi::r2Nop) + wmf::polyline(at60)),
         {{{50, 20}, 0xAA99AA}, {{50, 40}, 0xC3A55A}, {{50, 60}, under}}, {}, {}},
        {"EMF SetROP2 for lines: exclusive or, NOT, and a line that draws nothing",
         emf100(emf::selectObject(gdi::nullPen) + emf::createBrushIndirect(1, gdi::bsSolid, ref(under)) + emf::selectObject(1)
                + emf::rectangle(0, 0, 100, 100) + emf::createPen(2, gdi::psSolid, 1, ref(mixed)) + emf::selectObject(2)
                + emf::setROP2(gdi::r2XorPen) + emf::polyline16(at20) + emf::setROP2(gdi::r2Not) + emf::polyline16(at40)
                + emf::setROP2(gdi::r2Nop) + emf::polyline16(at60)),
         {{{50, 20}, 0xAA99AA}, {{50, 40}, 0xC3A55A}, {{50, 60}, under}}, {}, {}},
        {"WMF ExtTextOut without characters fills its opaque box with the background colour",
         wmf100(wmf::setBkColor(ref(green)) + wmf::extTextOut(20, 30, {}, {}, gdi::etoOpaque, {20, 30, 60, 50})),
         {{{20, 30}, green}, {{59, 49}, green}, {{60, 49}, white}, {{59, 50}, white}, {{19, 30}, white}}, {}, {}},
        {"EMF ExtTextOut without characters fills its opaque box with the background colour",
         emf100(emf::setBkColor(ref(green)) + emf::extTextOutW(20, 30, {}, {}, gdi::etoOpaque, {20, 30, 60, 50})),
         {{{20, 30}, green}, {{59, 49}, green}, {{60, 49}, white}, {{59, 50}, white}, {{19, 30}, white}}, {}, {}},
    };
    for (const Row& row : rows) {
        const MetafileRead read = renderMetafile(row.file);
        ASSERT_EQ(read.fault, MetafileFault::None) << row.name;
        for (const auto& [at, colour] : row.pixels)
            EXPECT_EQ(read.image.pixel(at) & 0xFFFFFF, colour) << row.name << " at " << at.x() << ", " << at.y();
        for (const QRect& box : row.ink)
            EXPECT_GT(inkIn(read.image, box), 0) << row.name << ": no ink in " << box.x() << ", " << box.y();
        for (const QRect& box : row.noInk)
            EXPECT_EQ(inkIn(read.image, box), 0) << row.name << ": ink in " << box.x() << ", " << box.y();
    }
}

// A symbol font's codes are the characters they stand for; other fonts keep
// their character set's code page.
TEST(MetafileAppearance, ReadsSymbolFontCodesAsTheCharactersTheyStandFor)
{
    const auto font = [](const char* face, int charSet) {
        metafile::FontSpec f;
        f.face = QString::fromLatin1(face);
        f.charSet = charSet;
        return f;
    };
    const struct {
        const char* name;
        metafile::FontSpec font;
        QByteArray bytes;
        QString text;
    } rows[] = {
        {"Symbol: Greek, less or equal, primes, brackets", font("Symbol", gdi::symbolCharset), "a\xA3" "b\xA2\xB2\xE6\xF6",
         QString::fromUtf8("α≤β′″⎛⎞")},
        {"Symbol in the default character set: minus and times, not GBK's pairs", font("symbol", gdi::defaultCharset),
         "x\xB4y\x2D\xB3", QString::fromUtf8("ξ×ψ−≥")},
        {"Wingdings: check mark, ballot boxes, bullet, an arrow; a sign Unicode has only beyond its basic plane is a space",
         font("Wingdings", gdi::symbolCharset), "\xFC\xFD\xFE\x9F\xE8\x31", QString::fromUtf8("✓☒☑•➔ ")},
        {"MT Extra: ellipses, Planck's constant, script l, minus-plus",
         font("MT Extra", gdi::symbolCharset), "\x4B\x4C\x68\x6C\x6D", QString::fromUtf8("…⋯ℏℓ∓")},
        {"a text font in the default character set stays GBK", font("\xCB\xCE\xCC\xE5", gdi::defaultCharset),
         "\xB5\xD8\xD6\xCA", QString::fromUtf8("地质")},
        {"Symbol in a Chinese character set is a Chinese font", font("Symbol", gdi::gb2312Charset), "\xB5\xD8",
         QString::fromUtf8("地")},
    };
    for (const auto& row : rows)
        EXPECT_EQ(metafile::fontText(QByteArrayView(row.bytes), row.font), row.text) << row.name;
    // ExtTextOutW writes a symbol font's codes plainly or in the private use area.
    EXPECT_EQ(metafile::fontText(QString::fromUtf8("\uF061\uF0A3b"), font("Symbol", gdi::symbolCharset)),
              QString::fromUtf8("α≤β"));
}

// Symbol text drawn is the same as a plain painter's drawing of the
// characters it stands for, in the font that has them, at the same places.
TEST(MetafileAppearance, DrawsSymbolFontTextAsItsUnicodeCharacters)
{
    // An equation's signs "α ≤ ′ ″" in the Symbol font, as an equation editor
    // writes them: each at its own advance, baselines at y 50.
    const QList<double> advances{20, 20, 20, 20};
    const struct {
        const char* name;
        QByteArray file;
        QString face;
        QString text;
    } rows[] = {
        {"WMF Symbol text",
         wmf100(wmf::setBkMode(gdi::transparent) + wmf::setTextAlign(gdi::taBaseline)
                + wmf::createFontIndirect(-30, 400, gdi::symbolCharset, "Symbol") + wmf::selectObject(0)
                + wmf::extTextOut(10, 50, "a\xA3\xA2\xB2", {20, 20, 20, 20})),
         QStringLiteral("Symbola"), QString::fromUtf8("α≤′″")},
        {"EMF Symbol text in the private use area",
         emf100(emf::setBkMode(gdi::transparent) + emf::setTextAlign(gdi::taBaseline)
                + emf::extCreateFontIndirectW(1, -30, 400, gdi::symbolCharset, "Symbol") + emf::selectObject(1)
                + emf::extTextOutW(10, 50, QString::fromUtf8("\uF061\uF0A3\uF0A2\uF0B2"), {20, 20, 20, 20})),
         QStringLiteral("Symbola"), QString::fromUtf8("α≤′″")},
    };
    for (const auto& row : rows) {
        const MetafileRead read = renderMetafile(row.file);
        ASSERT_EQ(read.fault, MetafileFault::None) << row.name;
        const QImage reference =
            referencePicture(Drawing{QSize(100, 100), {DrawnText{QPointF(10, 50), row.text, advances, 30, row.face, Qt::black}}});
        const int referenceInk = inkIn(reference, reference.rect());
        int differing = 0;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x)
                differing += read.image.pixel(x, y) != reference.pixel(x, y) ? 1 : 0;
        EXPECT_GT(referenceInk, 100) << row.name;
        EXPECT_LT(differing, referenceInk / 20) << row.name << ": " << differing << " of " << referenceInk << " differ";
    }
}

} // namespace
} // namespace kv

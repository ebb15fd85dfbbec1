// The text records, one row per family in WMF and in EMF where both have
// it: alignment, escapement, the font's height and underline, colours and
// the background, the opaque and clipping rectangle, and text at the
// current position. Glyphs are antialiased and their shapes the font's, so
// rows check where ink lies: "H" stands on its baseline with nothing below
// it, and rises 0.66 to 0.76 of the em above it in the fonts this machine
// draws Arial with. Advances fix where each character starts.
#include "tests/support/metafile_rows.h"

namespace kv {
namespace {

using namespace test;

const quint32 redRef = colorRef(255, 0, 0), yellowRef = colorRef(255, 255, 0);

// An Arial of em 40 (height -40), selected, and the alignment.
QByteArray wmfFont(int align, int height = -40, int escapement = 0, bool underline = false)
{
    return wmf::createFontIndirect(height, 400, gdi::ansiCharset, "Arial", escapement, 0, underline) + wmf::selectObject(0)
           + wmf::setTextAlign(align);
}
QByteArray emfFont(int align, int height = -40, int escapement = 0, bool underline = false)
{
    return emf::extCreateFontIndirectW(1, height, 400, gdi::ansiCharset, "Arial", escapement, 0, underline)
           + emf::selectObject(1) + emf::setTextAlign(align);
}

// "HH" from (50, 50), 30 units a character: 60 wide.
QByteArray wmfHH(int align) { return wmf100(wmfFont(align) + wmf::extTextOut(50, 50, "HH", {30, 30})); }
QByteArray emfHH(int align) { return emf100(emfFont(align) + emf::extTextOutW(50, 50, "HH", {30, 30})); }

// TextOut "H" cut short before its point (y and x follow the string).
QByteArray textOutWithoutPoint()
{
    QByteArray record = wmf::textOut(10, 50, "H");
    record.chop(4);
    record[0] = char(record.size() / 2); // its size in words
    return record;
}

// Left and top: all of it right of and below the point.
const std::vector<Expect> leftTop{ink(50, 50, 99, 99), blank(0, 0, 49, 99), blank(0, 0, 99, 49)};
// Right and baseline: left of the point, the H's feet in the rows just above it.
const std::vector<Expect> rightBaseline{ink(0, 44, 49, 49), blank(50, 0, 99, 99), blank(0, 50, 99, 99)};
// Centre and bottom: across the point, the descent (at least 8 pixels at
// em 40) below the feet.
const std::vector<Expect> centreBottom{ink(20, 0, 49, 44), ink(50, 0, 79, 44), blank(0, 42, 99, 99)};

TEST(MetafileTextRecords, AlignmentEscapementHeightAndPosition)
{
    // Turned a quarter anticlockwise from (50, 90): the baseline runs up to
    // (50, 30) and the letters stand left of it.
    const std::vector<Expect> upwards{ink(20, 30, 49, 89), blank(52, 0, 99, 99), blank(0, 0, 99, 25)};
    // Em 100 from the baseline at 90: the H's top at 14 to 24.
    const std::vector<Expect> em100{ink(0, 24, 99, 25), blank(0, 0, 99, 12)};
    // Two H's from the current position (10, 60), 40 units each; the line
    // from where the second ends, (90, 60), down to (90, 90).
    const std::vector<Expect> fromPosition{ink(12, 30, 48, 59), ink(52, 30, 88, 59), at(90, 75, black), blank(0, 61, 89, 99)};
    const int updateCp = gdi::taUpdateCp | gdi::taBaseline;
    const Row rows[] = {
        {"WMF left, top", wmfHH(gdi::taTop), leftTop},
        {"EMF left, top", emfHH(gdi::taTop), leftTop},
        {"WMF right, baseline", wmfHH(gdi::taRight | gdi::taBaseline), rightBaseline},
        {"EMF right, baseline", emfHH(gdi::taRight | gdi::taBaseline), rightBaseline},
        {"WMF centre, bottom", wmfHH(gdi::taCenter | gdi::taBottom), centreBottom},
        {"EMF centre, bottom", emfHH(gdi::taCenter | gdi::taBottom), centreBottom},
        {"WMF escapement 900", wmf100(wmfFont(gdi::taBaseline, -40, 900) + wmf::extTextOut(50, 90, "HH", {30, 30})), upwards},
        {"EMF escapement 900", emf100(emfFont(gdi::taBaseline, -40, 900) + emf::extTextOutW(50, 90, "HH", {30, 30})), upwards},
        {"WMF negative height: the em", wmf100(wmfFont(gdi::taBaseline, -100) + wmf::extTextOut(5, 90, "H", {90})), em100},
        {"EMF negative height: the em", emf100(emfFont(gdi::taBaseline, -100) + emf::extTextOutW(5, 90, "H", {90})), em100},
        {"WMF height in logical units: em 100 at half a pixel each",
         wmf100(wmf::setWindowExt(200, 200) + wmfFont(gdi::taBaseline, -100) + wmf::extTextOut(20, 180, "H", {180})),
         {ink(0, 60, 99, 89), blank(0, 0, 99, 45), blank(0, 90, 99, 99)}},
        {"WMF TA_UPDATECP",
         wmf100(wmf::moveTo(10, 60) + wmfFont(updateCp) + wmf::extTextOut(0, 0, "H", {40}) + wmf::extTextOut(0, 0, "H", {40})
                + wmf::lineTo(90, 90)),
         fromPosition},
        {"EMF TA_UPDATECP",
         emf100(emf::moveToEx(10, 60) + emfFont(updateCp) + emf::extTextOutW(0, 0, "H", {40})
                + emf::extTextOutW(0, 0, "H", {40}) + emf::lineTo(90, 90)),
         fromPosition},
        {"WMF TextOut", wmf100(wmfFont(gdi::taTop) + wmf::textOut(10, 50, "H")), {ink(10, 50, 60, 99), blank(0, 0, 99, 49)}},
        {"WMF TextOut cut before its point: passed over", wmf100(wmfFont(gdi::taTop) + textOutWithoutPoint()),
         {blank(0, 0, 99, 99)}},
        {"EMF ExtTextOutA", emf100(emfFont(gdi::taTop) + emf::extTextOutA(50, 50, "HH", {30, 30})), leftTop},
    };
    for (const Row& row : rows)
        expectRow(row);
}

TEST(MetafileTextRecords, ColoursBackgroundsAndRectangles)
{
    // The text's cell, 40 wide from (10, 10), in yellow behind a red H; its
    // corner at (12, 12) lies in the cell and not in the H.
    const std::vector<Expect> opaqueCell{holds(10, 10, 50, 60, red), at(12, 12, yellow), blank(60, 0, 99, 99),
                                         blank(0, 70, 99, 99)};
    const std::vector<Expect> transparentCell{holds(10, 10, 50, 60, red), at(12, 12, white), blank(60, 0, 99, 99)};
    // ETO_OPAQUE fills (10, 10) to (90, 60) in the background colour whatever
    // the background mode; the H drawn from (20, 30) over it.
    const std::vector<Expect> opaqueBox{at(12, 12, yellow), at(88, 58, yellow), at(50, 62, white), at(8, 8, white),
                                        at(92, 30, white), holds(20, 30, 60, 80, red)};
    // ETO_CLIPPED to x < 40: the second H, from x = 40, is cut off.
    const std::vector<Expect> clipped{ink(10, 30, 39, 80), blank(41, 0, 99, 99)};
    // Underlined: ink under the baseline at 50, where an H has none.
    const std::vector<Expect> underlined{ink(12, 51, 48, 62), blank(0, 65, 99, 99)};
    const QByteArray wmfColours = wmf::setTextColor(redRef) + wmf::setBkColor(yellowRef);
    const QByteArray emfColours = emf::setTextColor(redRef) + emf::setBkColor(yellowRef);
    const Row rows[] = {
        {"WMF text colour over an opaque background",
         wmf100(wmfColours + wmf::setBkMode(gdi::opaque) + wmfFont(gdi::taTop) + wmf::extTextOut(10, 10, "H", {40})),
         opaqueCell},
        {"EMF text colour over an opaque background",
         emf100(emfColours + emf::setBkMode(gdi::opaque) + emfFont(gdi::taTop) + emf::extTextOutW(10, 10, "H", {40})),
         opaqueCell},
        {"WMF text colour, transparent background",
         wmf100(wmfColours + wmf::setBkMode(gdi::transparent) + wmfFont(gdi::taTop) + wmf::extTextOut(10, 10, "H", {40})),
         transparentCell},
        {"EMF text colour, transparent background",
         emf100(emfColours + emf::setBkMode(gdi::transparent) + emfFont(gdi::taTop) + emf::extTextOutW(10, 10, "H", {40})),
         transparentCell},
        {"WMF ETO_OPAQUE",
         wmf100(wmfColours + wmf::setBkMode(gdi::transparent) + wmfFont(gdi::taTop)
                + wmf::extTextOut(20, 30, "H", {40}, gdi::etoOpaque, {10, 10, 90, 60})),
         opaqueBox},
        {"EMF ETO_OPAQUE",
         emf100(emfColours + emf::setBkMode(gdi::transparent) + emfFont(gdi::taTop)
                + emf::extTextOutW(20, 30, "H", {40}, gdi::etoOpaque, {10, 10, 90, 60})),
         opaqueBox},
        {"WMF ETO_CLIPPED",
         wmf100(wmfFont(gdi::taTop) + wmf::extTextOut(10, 30, "HH", {30, 30}, gdi::etoClipped, {0, 0, 40, 100})), clipped},
        {"EMF ETO_CLIPPED",
         emf100(emfFont(gdi::taTop) + emf::extTextOutW(10, 30, "HH", {30, 30}, gdi::etoClipped, {0, 0, 40, 100})), clipped},
        {"WMF underline", wmf100(wmfFont(gdi::taBaseline, -40, 0, true) + wmf::extTextOut(10, 50, "H", {40})), underlined},
        {"EMF underline", emf100(emfFont(gdi::taBaseline, -40, 0, true) + emf::extTextOutW(10, 50, "H", {40})), underlined},
    };
    for (const Row& row : rows)
        expectRow(row);
}

} // namespace
} // namespace kv

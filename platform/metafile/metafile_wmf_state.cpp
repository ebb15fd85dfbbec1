// The WMF records that keep something for later drawing: the device
// context's state, the objects of the object table, and the regions.
#include "platform/metafile/metafile_wmf.h"

#include "platform/metafile/metafile_font.h"

namespace kv::metafile {
namespace {

constexpr qint64 p = wmfParameters;

FontSpec fontOf(const Record& r)
{
    FontSpec f;
    f.height = r.s16(p);
    f.width = r.s16(p + 2);
    f.escapement = r.s16(p + 4);
    f.weight = r.s16(p + 8);
    f.italic = r.get<quint8>(p + 10);
    f.underline = r.get<quint8>(p + 11);
    f.strikeOut = r.get<quint8>(p + 12);
    f.charSet = r.get<quint8>(p + 13);
    constexpr qint64 faceAt = p + 18;
    const QByteArrayView face = r.bytes(faceAt, std::min<qint64>(U_LF_FACESIZE, r.size() - faceAt));
    const qsizetype nul = face.indexOf('\0');
    f.face = decodeText(nul < 0 ? face : face.first(nul), f.charSet);
    return f;
}

// A region object: its scans, each of rectangles between its top and bottom.
RegionSpec regionOf(const Record& r)
{
    RegionSpec region;
    const qint64 scans = r.s16(p + 10);
    qint64 at = p + 22;
    for (qint64 s = 0; s < scans && r.has(at, 6); ++s) {
        const qint64 count = r.u16(at);
        const int top = r.s16(at + 2), bottom = r.s16(at + 4);
        if (!r.has(at + 6, count * 2 + 2))
            break;
        for (qint64 i = 0; i + 1 < count; i += 2) {
            const int left = r.s16(at + 6 + 2 * i), right = r.s16(at + 8 + 2 * i);
            region.rects.emplace_back(QPoint(left, top), QPoint(right - 1, bottom - 1));
        }
        at += 6 + count * 2 + 2;
    }
    return region;
}

// A region object on the picture, counted first; none when over the budget.
std::optional<QRegion> regionOn(Canvas& c, const RegionSpec& region)
{
    if (!c.countRegion(qint64(region.rects.size())))
        return std::nullopt;
    return c.regionOf(region.rects, RegionUnits::Logical);
}

// The colours of a palette record: their count at at, the entries after it.
std::vector<QRgb> paletteEntries(const Record& r, qint64 at)
{
    return paletteEntriesAt(r, at + 2, r.u16(at));
}

// A WMF object takes the lowest free slot of the object table.
void createObject(Canvas& c, GdiObject object)
{
    if (const auto slot = c.freeSlot())
        c.create(*slot, std::move(object));
}

} // namespace

bool playWmfState(Canvas& c, const Record& r, int type)
{
    switch (type) {
    case U_WMR_SETBKCOLOR: c.dc.backColour = c.colour(r.u32(p)); break;
    case U_WMR_SETBKMODE: c.dc.opaque = r.u16(p) == U_OPAQUE; break;
    case U_WMR_SETMAPMODE: c.setMapMode(r.u16(p)); break;
    case U_WMR_SETPOLYFILLMODE: c.dc.fillRule = r.u16(p) == U_WINDING ? Qt::WindingFill : Qt::OddEvenFill; break;
    case U_WMR_SETTEXTCOLOR: c.dc.textColour = c.colour(r.u32(p)); break;
    case U_WMR_SETTEXTCHAREXTRA: c.dc.charExtra = r.s16(p); break;
    case U_WMR_SETROP2:
        if (const int rop2 = r.u16(p); rop2 >= U_R2_BLACK && rop2 <= U_R2_WHITE)
            c.dc.rop2 = rop2;
        break;
    case U_WMR_SETTEXTALIGN: c.dc.textAlign = r.u16(p); break;
    case U_WMR_SETWINDOWORG: c.dc.windowOrg = reversedPoint(r, p); break;
    case U_WMR_OFFSETWINDOWORG: c.dc.windowOrg += reversedPoint(r, p); break;
    case U_WMR_SETWINDOWEXT: c.setWindowExt(reversedSize(r, p)); break;
    // The scales list yDenom, yNum, xDenom, xNum.
    case U_WMR_SCALEWINDOWEXT: c.scaleWindow(r.s16(p + 6), r.s16(p + 4), r.s16(p + 2), r.s16(p)); break;
    // The viewport is the picture's, set by the player (openWmf): the
    // records' own viewport is left out.
    case U_WMR_SETVIEWPORTORG:
    case U_WMR_OFFSETVIEWPORTORG:
    case U_WMR_SETVIEWPORTEXT:
    case U_WMR_SCALEVIEWPORTEXT:
        break;
    case U_WMR_MOVETO: c.moveTo(reversedPoint(r, p)); break;
    case U_WMR_SAVEDC: c.save(); break;
    case U_WMR_RESTOREDC: c.restore(r.s16(p)); break;
    case U_WMR_EXCLUDECLIPRECT: c.excludeClip(reversedRect(r, p)); break;
    case U_WMR_INTERSECTCLIPRECT: c.intersectClip(reversedRect(r, p)); break;
    case U_WMR_OFFSETCLIPRGN: c.offsetClip(reversedPoint(r, p)); break;
    default: return false;
    }
    return true;
}

bool playWmfObject(Canvas& c, const Record& r, int type)
{
    switch (type) {
    case U_WMR_SELECTOBJECT: c.select(r.u16(p)); break;
    case U_WMR_DELETEOBJECT: c.remove(r.u16(p)); break;
    case U_WMR_CREATEPENINDIRECT: {
        const quint16 style = r.u16(p);
        const double width = r.s16(p + 2);
        createObject(c, PenSpec{style, width, width <= 1, c.colour(r.u32(p + 6)), {}});
        break;
    }
    case U_WMR_CREATEBRUSHINDIRECT: createObject(c, BrushSpec{r.u16(p), c.colour(r.u32(p + 2)), r.u16(p + 6), {}}); break;
    case U_WMR_CREATEFONTINDIRECT: createObject(c, fontOf(r)); break;
    case U_WMR_DIBCREATEPATTERNBRUSH: createObject(c, patternBrush(c, packedDib(r, p + 4, r.u16(p + 2)))); break;
    // A palette's entries follow its version; the records that change one
    // change the palette selected.
    case U_WMR_CREATEPALETTE: createObject(c, PaletteSpec{paletteEntries(r, p + 2)}); break;
    case U_WMR_SELECTPALETTE: c.selectPalette(r.u16(p)); break;
    case U_WMR_SETPALENTRIES:
        if (c.dc.palette)
            c.setPaletteEntries(*c.dc.palette, r.u16(p), paletteEntries(r, p + 2));
        break;
    case U_WMR_RESIZEPALETTE:
        if (c.dc.palette)
            c.resizePalette(*c.dc.palette, r.u16(p));
        break;
    // The old brush record and the old device-dependent bitmaps and their
    // brushes take a slot and draw nothing.
    case U_WMR_F8:
    case U_WMR_CREATEPATTERNBRUSH:
    case U_WMR_CREATEBITMAPINDIRECT:
    case U_WMR_CREATEBITMAP:
        createObject(c, OtherObject());
        break;
    default: return false;
    }
    return true;
}

bool playWmfRegion(Canvas& c, const Record& r, int type)
{
    switch (type) {
    case U_WMR_CREATEREGION: createObject(c, regionOf(r)); break;
    case U_WMR_SELECTCLIPREGION:
        if (const auto* region = std::get_if<RegionSpec>(c.object(r.u16(p)))) {
            if (const auto pixels = regionOn(c, *region))
                c.combineClip(*pixels, U_RGN_COPY);
        } else {
            c.resetClip();
        }
        break;
    case U_WMR_FILLREGION:
    case U_WMR_PAINTREGION: {
        const auto* region = std::get_if<RegionSpec>(c.object(r.u16(p)));
        const auto* brush = type == U_WMR_FILLREGION ? std::get_if<BrushSpec>(c.object(r.u16(p + 2))) : &c.dc.brush;
        const auto pixels = region && brush ? regionOn(c, *region) : std::nullopt;
        if (pixels)
            c.fillRegion(*pixels, *brush);
        break;
    }
    default: return false;
    }
    return true;
}

} // namespace kv::metafile

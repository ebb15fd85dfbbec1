// The WMF player: the headers, the walk and the size of the picture. Each
// record is checked to lie inside the file, and before it is played against
// the smallest size of its function, so that its fixed fields are all there.
// The fields are read through Record, inside the record's own bytes:
// libUEMF's WMF getters check a record's size against their smallest one,
// but neither that size against the end of the file nor a count inside the
// record against the record's end.
#include "platform/metafile/metafile_wmf.h"

#include "platform/metafile/metafile_bitmap.h"

#include <cmath>

namespace kv::metafile {
namespace {

constexpr qint64 headerBytes = U_SIZE_WMRHEADER;

struct Layout {
    qint64 first = 0; // the first record, after the headers
    bool placeable = false;
    std::size_t objects = 0;
};

bool isWmfHeader(const QByteArray& b, qint64 at)
{
    return b.size() - at >= headerBytes && startsWmfHeader(QByteArrayView(b).sliced(at));
}

// Calls play(record, function) for every record up to the end-of-file record.
template <typename Play>
bool walk(const QByteArray& b, qint64 first, Play play)
{
    const auto headOf = [](const Record& header, qint64) {
        return std::optional<RecordHead>(RecordHead{qint64(header.u32(0)) * 2, header.u16(4)});
    };
    return walkRecords(b, first, U_SIZE_METARECORD, U_WMR_EOF, headOf, play);
}

// The headers: where the records start, and the object table's size.
std::optional<Layout> headersOf(const QByteArray& b)
{
    Layout layout;
    if (b.size() >= 4 && Record(b.constData(), 4).u32(0) == wmfPlaceableKey) {
        layout.placeable = true;
        layout.first = U_SIZE_WMRPLACEABLE;
    }
    // The headers are read here rather than by libUEMF's wmfheader_get, which
    // asks for 40 bytes after a placeable header where the standard header
    // takes 18, and so refuses a small whole file.
    if (!isWmfHeader(b, layout.first))
        return std::nullopt;
    layout.objects = Record(b.constData() + layout.first, headerBytes).u16(offsetof(U_WMRHEADER, nObjects));
    layout.first += headerBytes;
    return layout;
}

// The headers of a file whose every record is whole, up to the end-of-file
// record.
std::optional<Layout> layoutOf(const QByteArray& b)
{
    const std::optional<Layout> layout = headersOf(b);
    if (!layout || !walk(b, layout->first, [](const Record&, quint32) { return true; }))
        return std::nullopt;
    return layout;
}

// The smallest record of each function the player plays, all its fixed
// fields there: libUEMF's size, or the player's own where libUEMF's ends
// before a field the player reads. Functions not listed need their header
// only: the player reads none of their fields (palettes, old bitmaps).
qint64 smallestRecord(int type)
{
    switch (type) {
    case U_WMR_SETBKCOLOR: return U_SIZE_WMRSETBKCOLOR;
    case U_WMR_SETBKMODE: return U_SIZE_WMRSETBKMODE;
    case U_WMR_SETMAPMODE: return U_SIZE_WMRSETMAPMODE;
    case U_WMR_SETPOLYFILLMODE: return U_SIZE_WMRSETPOLYFILLMODE;
    case U_WMR_SETTEXTCOLOR: return U_SIZE_WMRSETTEXTCOLOR;
    case U_WMR_SETTEXTALIGN: return U_SIZE_WMRSETTEXTALIGN;
    case U_WMR_SETTEXTCHAREXTRA: return U_SIZE_WMRSETTEXTCHAREXTRA;
    case U_WMR_SETROP2: return U_SIZE_WMRSETROP2;
    case U_WMR_SETWINDOWORG: return U_SIZE_WMRSETWINDOWORG;
    case U_WMR_SETWINDOWEXT: return U_SIZE_WMRSETWINDOWEXT;
    case U_WMR_SETVIEWPORTORG: return U_SIZE_WMRSETVIEWPORTORG;
    case U_WMR_SETVIEWPORTEXT: return U_SIZE_WMRSETVIEWPORTEXT;
    case U_WMR_OFFSETWINDOWORG: return U_SIZE_WMROFFSETWINDOWORG;
    case U_WMR_OFFSETVIEWPORTORG: return U_SIZE_WMROFFSETVIEWPORTORG;
    case U_WMR_SCALEWINDOWEXT: return U_SIZE_WMRSCALEWINDOWEXT;
    case U_WMR_SCALEVIEWPORTEXT: return U_SIZE_WMRSCALEVIEWPORTEXT;
    case U_WMR_RESTOREDC: return U_SIZE_WMRRESTOREDC;
    case U_WMR_EXCLUDECLIPRECT: return U_SIZE_WMREXCLUDECLIPRECT;
    case U_WMR_INTERSECTCLIPRECT: return U_SIZE_WMRINTERSECTCLIPRECT;
    case U_WMR_OFFSETCLIPRGN: return U_SIZE_WMROFFSETCLIPRGN;
    case U_WMR_MOVETO: return U_SIZE_WMRMOVETO;
    case U_WMR_LINETO: return U_SIZE_WMRLINETO;
    case U_WMR_ARC: return U_SIZE_WMRARC;
    case U_WMR_CHORD: return U_SIZE_WMRCHORD;
    case U_WMR_PIE: return U_SIZE_WMRPIE;
    case U_WMR_ELLIPSE: return U_SIZE_WMRELLIPSE;
    case U_WMR_RECTANGLE: return U_SIZE_WMRRECTANGLE;
    case U_WMR_ROUNDRECT: return U_SIZE_WMRROUNDRECT;
    case U_WMR_PATBLT: return U_SIZE_WMRPATBLT;
    case U_WMR_SETPIXEL: return U_SIZE_WMRSETPIXEL;
    case U_WMR_POLYGON: return U_SIZE_WMRPOLYGON;
    case U_WMR_POLYLINE: return U_SIZE_WMRPOLYLINE;
    case U_WMR_POLYPOLYGON: return U_SIZE_WMRPOLYPOLYGON;
    case U_WMR_TEXTOUT: return U_SIZE_WMRTEXTOUT;
    case U_WMR_EXTTEXTOUT: return U_SIZE_WMREXTTEXTOUT;
    case U_WMR_SELECTOBJECT: return U_SIZE_WMRSELECTOBJECT;
    case U_WMR_DELETEOBJECT: return U_SIZE_WMRDELETEOBJECT;
    case U_WMR_CREATEPENINDIRECT: return U_SIZE_WMRCREATEPENINDIRECT;
    case U_WMR_CREATEFONTINDIRECT: return U_SIZE_WMRCREATEFONTINDIRECT;
    case U_WMR_CREATEBRUSHINDIRECT: return U_SIZE_WMRCREATEBRUSHINDIRECT;
    case U_WMR_CREATEREGION: return U_SIZE_WMRCREATEREGION;
    case U_WMR_CREATEPALETTE: return U_SIZE_WMRCREATEPALETTE;
    case U_WMR_SELECTPALETTE: return U_SIZE_WMRSELECTPALETTE;
    case U_WMR_SETPALENTRIES: return U_SIZE_WMRSETPALENTRIES;
    case U_WMR_RESIZEPALETTE: return U_SIZE_WMRRESIZEPALETTE;
    case U_WMR_DIBCREATEPATTERNBRUSH: return U_SIZE_WMRDIBCREATEPATTERNBRUSH;
    case U_WMR_SELECTCLIPREGION: return U_SIZE_WMRSELECTCLIPREGION;
    case U_WMR_FILLREGION: return U_SIZE_WMRFILLREGION;
    case U_WMR_PAINTREGION: return U_SIZE_WMRPAINTREGION;
    // The bitmap copies without a bitmap are the longer: their source has a
    // reserved word the copies with one leave out.
    case U_WMR_DIBBITBLT: return U_SIZE_WMRDIBBITBLT_NOPX;
    case U_WMR_DIBSTRETCHBLT: return U_SIZE_WMRDIBSTRETCHBLT_NOPX;
    case U_WMR_STRETCHDIB: return U_SIZE_WMRSTRETCHDIB;
    case U_WMR_SETDIBTODEV: return 24; // libUEMF's size ends before the destination's x
    default: return U_SIZE_METARECORD;
    }
}

// The records that draw and that this system does not draw: flood fills,
// framed and inverted regions, and the copies of old device-dependent bitmaps.
bool drawingLeftOut(int type)
{
    switch (type) {
    case U_WMR_FLOODFILL: case U_WMR_EXTFLOODFILL: case U_WMR_FRAMEREGION: case U_WMR_INVERTREGION:
    case U_WMR_BITBLT: case U_WMR_STRETCHBLT:
        return true;
    default:
        return false;
    }
}

bool play(Canvas& c, const Record& r, quint32 function)
{
    if (!c.spend(recordWork))
        return false;
    // A function is told by its low byte; one whose high byte is not the
    // function's own is none GDI knows, and is skipped, as is a record cut
    // shorter than its function and whatever this system does not draw.
    const int type = int(function & U_WMR_MASK);
    if (function != U_wmr_values(type) || r.size() < smallestRecord(type))
        return true;
    const bool played = playWmfState(c, r, type) || playWmfObject(c, r, type) || playWmfRegion(c, r, type)
                        || playWmfShape(c, r, type) || playWmfText(c, r, type) || playWmfBitmap(c, r, type);
    if (!played && drawingLeftOut(type))
        c.leaveOutDrawing();
    return !c.refused();
}

bool physicalMapMode(int mode)
{
    return mode != U_MM_TEXT && mode != U_MM_ISOTROPIC && mode != U_MM_ANISOTROPIC;
}

} // namespace

RecordDib packedDib(const Record& r, qint64 at, quint32 usage)
{
    const QByteArrayView dib = r.bytes(at, r.size() - at);
    if (dib.size() < 12)
        return {{}, {}, usage};
    const std::optional<DibHeader> header = readDibHeader(dib, {}, usage);
    const qint64 bitsAt = header ? header->packedBitsAt() : dib.size();
    return {dib, dib.sliced(std::min<qsizetype>(bitsAt, dib.size())), usage};
}

// A WMF's viewport is the picture's, as the program playing a metafile sets
// it: the records' own viewport (the maker's screen in its pixels) is left
// out, so it neither moves nor scales the picture (metafile_wmf_state.cpp).
Opened openWmf(const QByteArray& bytes)
{
    const std::optional<Layout> layout = layoutOf(bytes);
    if (!layout)
        return {MetafileFault::Damaged};
    Opened opened;
    opened.objects = layout->objects;
    if (layout->placeable) {
        // The placeable box is the picture, at its units to the inch; the box
        // is the window the records start with, their own window records
        // override it.
        const Record p(bytes.constData(), U_SIZE_WMRPLACEABLE);
        const double left = p.s16(6), top = p.s16(8), right = p.s16(10), bottom = p.s16(12), inch = p.u16(14);
        const std::optional<QSize> size = fittedPicture(right - left, bottom - top, inch);
        if (!size)
            return {MetafileFault::Damaged};
        opened.setup.picture = *size;
        opened.setup.viewportExt = QSizeF(*size);
        return opened;
    }
    // No placeable header, so no physical size (README): the picture is the
    // frame the records draw in, found by playing them without drawing. It is
    // the window they draw through where they set its extent in a map mode
    // that uses it (isotropic or anisotropic), margins and all, a logical
    // unit a pixel; else the box of what they draw, in device units: a pixel
    // in the text mode, the mode's own millimetres or inches at 96 dots an
    // inch in the fixed map modes. Either way scaled down to fit the largest
    // picture, in its own proportion.
    DeviceSetup measure;
    measure.picture = QSize(1, 1);
    Canvas canvas(nullptr, measure, layout->objects);
    playWmf(bytes, canvas);
    if (canvas.refused())
        return {MetafileFault::TooCostly};
    opened.measuringWork = canvas.spent();
    // With nothing drawn, the window the records leave set (an empty page).
    const Window window = canvas.firstDrawingWindow().value_or(
        Window{canvas.dc.mapMode, canvas.dc.windowOrg, canvas.dc.windowExt, canvas.dc.windowExtSet});
    if (window.extentSet && !physicalMapMode(window.mapMode)) {
        const QSizeF frame(std::fabs(window.extent.width()), std::fabs(window.extent.height()));
        const std::optional<QSize> size = fittedPicture(frame.width(), frame.height(), screenDotsPerInch);
        if (!size)
            return {MetafileFault::Damaged};
        opened.setup.picture = *size;
        opened.setup.viewportExt = frame;
        opened.setup.deviceToPicture = QTransform::fromScale(size->width() / frame.width(), size->height() / frame.height());
        return opened;
    }
    const QRectF box = canvas.drawnBox();
    const std::optional<QSize> size = fittedPicture(box.width(), box.height(), screenDotsPerInch);
    if (!size)
        return {canvas.drawingLeftOut() ? MetafileFault::Unreadable : MetafileFault::Damaged};
    opened.setup.picture = *size;
    opened.setup.deviceToPicture = QTransform::fromTranslate(-box.left(), -box.top())
                                   * QTransform::fromScale(size->width() / box.width(), size->height() / box.height());
    return opened;
}

// Its records were checked whole when it was opened.
void playWmf(const QByteArray& bytes, Canvas& canvas)
{
    const std::optional<Layout> layout = headersOf(bytes);
    if (!layout)
        return;
    canvas.dc.mapMode = U_MM_ANISOTROPIC;
    if (layout->placeable) {
        const Record p(bytes.constData(), U_SIZE_WMRPLACEABLE);
        canvas.dc.windowOrg = QPointF(p.s16(6), p.s16(8));
        canvas.setWindowExt(QSizeF(p.s16(10) - p.s16(6), p.s16(12) - p.s16(8)));
    }
    walk(bytes, layout->first, [&canvas](const Record& r, quint32 function) { return play(canvas, r, function); });
}

} // namespace kv::metafile

// The EMF player: the walk, the header, the device context's state and the
// objects. The walk checks each record to lie inside the file. A record the
// player plays is checked by libUEMF (U_emf_record_safe) before it is
// played: at least the smallest size of its type, and the counts and offsets
// inside it within the record; a record that fails is skipped, as is every
// record the player does not play. libUEMF works out those byte counts in
// int and lets a count of 2^29 points through, so every count is checked
// again here, in 64 bits, as Record reads it.
#include "platform/metafile/metafile_emf.h"

#include <cmath>
#include <cstddef>

#include <uemf.h>
#include <uemf_safe.h>

namespace kv::metafile {
namespace {

constexpr double frameUnitsPerInch = 2540.0; // the frame is in hundredths of a millimetre
constexpr quint32 mwtSet = 4;                // ModifyWorldTransform's MWT_SET, which libUEMF does not name

// Calls play(record, type) for every record, the header first, up to the
// end-of-file record. A record whose size is not whole four-byte words, or a
// second header, makes the file damaged.
template <typename Play>
bool walk(const QByteArray& b, Play play)
{
    const auto headOf = [](const Record& header, qint64 at) -> std::optional<RecordHead> {
        const quint32 type = header.u32(0), size = header.u32(4);
        if (size % 4 != 0 || (type == U_EMR_HEADER && at != 0))
            return std::nullopt;
        return RecordHead{size, type};
    };
    return walkRecords(b, 0, qint64(sizeof(U_EMR)), U_EMR_EOF, headOf, play);
}

QTransform xformAt(const Record& r, qint64 at)
{
    return QTransform(r.f32(at), r.f32(at + 4), r.f32(at + 8), r.f32(at + 12), r.f32(at + 16), r.f32(at + 20));
}

bool usable(const QTransform& t)
{
    for (double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()})
        if (!(std::fabs(v) < maxCoordinate))
            return false;
    return t.isInvertible();
}

PenSpec penOf(const Canvas& c, const Record& r)
{
    PenSpec pen;
    pen.style = r.u32(offsetof(U_EMRCREATEPEN, lopn.lopnStyle));
    pen.width = r.s32(offsetof(U_EMRCREATEPEN, lopn.lopnWidth.x));
    pen.cosmetic = pen.width <= 1;
    pen.colour = c.colour(r.u32(offsetof(U_EMRCREATEPEN, lopn.lopnColor)));
    return pen;
}

// GDI takes at most this many dashes and gaps for a user-styled pen.
constexpr qint64 maxStyleEntries = 16;

PenSpec extPenOf(const Canvas& c, const Record& r)
{
    PenSpec pen;
    pen.style = r.u32(offsetof(U_EMREXTCREATEPEN, elp.elpPenStyle));
    pen.width = r.u32(offsetof(U_EMREXTCREATEPEN, elp.elpWidth));
    pen.cosmetic = (pen.style & U_PS_TYPE_MASK) != U_PS_GEOMETRIC || pen.width <= 1;
    pen.dashedWhenWide = (pen.style & U_PS_TYPE_MASK) == U_PS_GEOMETRIC;
    pen.colour = c.colour(r.u32(offsetof(U_EMREXTCREATEPEN, elp.elpColor)));
    if (r.u32(offsetof(U_EMREXTCREATEPEN, elp.elpBrushStyle)) == U_BS_NULL)
        pen.style = (pen.style & ~quint32(U_PS_STYLE_MASK)) | U_PS_NULL;
    if ((pen.style & U_PS_STYLE_MASK) == U_PS_USERSTYLE) {
        // Its dashes and gaps; a pen with more than GDI takes, or with
        // entries past the record's end, is drawn solid.
        const qint64 count = r.u32(offsetof(U_EMREXTCREATEPEN, elp.elpNumEntries));
        constexpr qint64 entriesAt = offsetof(U_EMREXTCREATEPEN, elp.elpStyleEntry);
        if (count <= maxStyleEntries && r.has(entriesAt, count * 4))
            for (qint64 i = 0; i < count; ++i)
                pen.userDashes.push_back(r.u32(entriesAt + 4 * i));
    }
    return pen;
}

FontSpec fontOf(const Record& r)
{
    constexpr qint64 logfont = offsetof(U_EMREXTCREATEFONTINDIRECTW, elfw);
    FontSpec f;
    f.height = r.s32(logfont + offsetof(U_LOGFONT, lfHeight));
    f.width = r.s32(logfont + offsetof(U_LOGFONT, lfWidth));
    f.escapement = r.s32(logfont + offsetof(U_LOGFONT, lfEscapement));
    f.weight = r.s32(logfont + offsetof(U_LOGFONT, lfWeight));
    f.italic = r.get<quint8>(logfont + offsetof(U_LOGFONT, lfItalic));
    f.underline = r.get<quint8>(logfont + offsetof(U_LOGFONT, lfUnderline));
    f.strikeOut = r.get<quint8>(logfont + offsetof(U_LOGFONT, lfStrikeOut));
    f.charSet = r.get<quint8>(logfont + offsetof(U_LOGFONT, lfCharSet));
    const QByteArrayView face = r.bytes(logfont + offsetof(U_LOGFONT, lfFaceName), 2 * U_LF_FACESIZE);
    f.face = QString::fromUtf16(reinterpret_cast<const char16_t*>(face.data()), face.size() / 2);
    f.face.truncate(f.face.indexOf(QChar(0)) < 0 ? f.face.size() : f.face.indexOf(QChar(0)));
    return f;
}

// The objects an EMF numbers itself: slot 0 is the metafile's own.
void create(Canvas& c, quint32 slot, GdiObject object)
{
    if (slot != 0)
        c.create(slot, std::move(object));
}

bool playState(Canvas& c, const Record& r, quint32 type)
{
    switch (type) {
    case U_EMR_SETWINDOWEXTEX: c.setWindowExt(sizeAt(r, 8)); break;
    case U_EMR_SETVIEWPORTEXTEX: c.setViewportExt(sizeAt(r, 8)); break;
    case U_EMR_SETWINDOWORGEX: c.dc.windowOrg = pointAt(r, 8); break;
    case U_EMR_SETVIEWPORTORGEX: c.dc.viewportOrg = pointAt(r, 8); break;
    case U_EMR_SCALEVIEWPORTEXTEX: c.scaleViewport(r.s32(8), r.s32(12), r.s32(16), r.s32(20)); break;
    case U_EMR_SCALEWINDOWEXTEX: c.scaleWindow(r.s32(8), r.s32(12), r.s32(16), r.s32(20)); break;
    case U_EMR_SETMAPMODE: c.setMapMode(int(r.u32(8))); break;
    case U_EMR_SETBKMODE: c.dc.opaque = r.u32(8) == U_OPAQUE; break;
    case U_EMR_SETPOLYFILLMODE: c.dc.fillRule = r.u32(8) == U_WINDING ? Qt::WindingFill : Qt::OddEvenFill; break;
    case U_EMR_SETTEXTALIGN: c.dc.textAlign = r.u32(8); break;
    case U_EMR_SETTEXTCOLOR: c.dc.textColour = c.colour(r.u32(8)); break;
    case U_EMR_SETBKCOLOR: c.dc.backColour = c.colour(r.u32(8)); break;
    case U_EMR_SETROP2:
        if (const quint32 rop2 = r.u32(8); rop2 >= U_R2_BLACK && rop2 <= U_R2_WHITE)
            c.dc.rop2 = int(rop2);
        break;
    case U_EMR_SETARCDIRECTION: c.dc.clockwise = r.u32(8) == U_AD_CLOCKWISE; break;
    case U_EMR_MOVETOEX: c.moveTo(pointAt(r, 8)); break;
    case U_EMR_SAVEDC: c.save(); break;
    case U_EMR_RESTOREDC: c.restore(r.s32(8)); break;
    case U_EMR_SETWORLDTRANSFORM:
        if (const QTransform t = xformAt(r, 8); usable(t))
            c.dc.world = t;
        break;
    case U_EMR_MODIFYWORLDTRANSFORM: {
        const QTransform t = xformAt(r, 8);
        const quint32 mode = r.u32(offsetof(U_EMRMODIFYWORLDTRANSFORM, iMode));
        const QTransform next = mode == U_MWT_IDENTITY      ? QTransform()
                                : mode == U_MWT_LEFTMULTIPLY ? t * c.dc.world
                                : mode == U_MWT_RIGHTMULTIPLY ? c.dc.world * t
                                : mode == mwtSet              ? t
                                                              : c.dc.world;
        if (usable(next))
            c.dc.world = next;
        break;
    }
    default: return false;
    }
    return true;
}

bool playObject(Canvas& c, const Record& r, quint32 type)
{
    switch (type) {
    case U_EMR_SELECTOBJECT: {
        const quint32 slot = r.u32(8);
        if (slot & U_STOCK_OBJECT)
            c.selectStock(slot);
        else
            c.select(slot);
        break;
    }
    case U_EMR_DELETEOBJECT: c.remove(r.u32(8)); break;
    case U_EMR_CREATEPEN: create(c, r.u32(8), penOf(c, r)); break;
    case U_EMR_EXTCREATEPEN: create(c, r.u32(8), extPenOf(c, r)); break;
    case U_EMR_CREATEBRUSHINDIRECT:
        create(c, r.u32(8), BrushSpec{r.u32(12), c.colour(r.u32(16)), r.u32(20), {}});
        break;
    case U_EMR_CREATEDIBPATTERNBRUSHPT:
    case U_EMR_CREATEMONOBRUSH: {
        const auto field = [&r](std::size_t offset) { return r.u32(qint64(offset)); };
        const QByteArrayView info = r.bytes(field(offsetof(U_EMRCREATEDIBPATTERNBRUSHPT, offBmi)),
                                            field(offsetof(U_EMRCREATEDIBPATTERNBRUSHPT, cbBmi)));
        const QByteArrayView bits = r.bytes(field(offsetof(U_EMRCREATEDIBPATTERNBRUSHPT, offBits)),
                                            field(offsetof(U_EMRCREATEDIBPATTERNBRUSHPT, cbBits)));
        const quint32 usage = field(offsetof(U_EMRCREATEDIBPATTERNBRUSHPT, iUsage));
        create(c, r.u32(8), patternBrush(c, r.whole() ? RecordDib{info, bits, usage} : RecordDib{}));
        break;
    }
    case U_EMR_EXTCREATEFONTINDIRECTW: create(c, r.u32(8), fontOf(r)); break;
    // Palettes: a palette's entries follow its version and count; the
    // records that change one name it.
    case U_EMR_CREATEPALETTE: {
        constexpr qint64 countAt = offsetof(U_EMRCREATEPALETTE, lgpl.palNumEntries);
        create(c, r.u32(8), PaletteSpec{paletteEntriesAt(r, countAt + 2, r.u16(countAt))});
        break;
    }
    case U_EMR_SELECTPALETTE:
        if (const quint32 slot = r.u32(8); slot == U_DEFAULT_PALETTE)
            c.dc.palette.reset();
        else
            c.selectPalette(slot);
        break;
    case U_EMR_SETPALETTEENTRIES:
        c.setPaletteEntries(r.u32(8), r.u32(offsetof(U_EMRSETPALETTEENTRIES, iStart)),
                            paletteEntriesAt(r, offsetof(U_EMRSETPALETTEENTRIES, aPalEntries),
                                             r.u32(offsetof(U_EMRSETPALETTEENTRIES, cEntries))));
        break;
    case U_EMR_RESIZEPALETTE: c.resizePalette(r.u32(8), r.u32(offsetof(U_EMRRESIZEPALETTE, cEntries))); break;
    case U_EMR_CREATECOLORSPACE:
    case U_EMR_CREATECOLORSPACEW: create(c, r.u32(8), OtherObject()); break;
    default: return false;
    }
    return true;
}

// The records the player plays; all others are skipped.
bool emfPlays(quint32 type)
{
    switch (type) {
    // The device context's state.
    case U_EMR_SETWINDOWEXTEX: case U_EMR_SETVIEWPORTEXTEX: case U_EMR_SETWINDOWORGEX: case U_EMR_SETVIEWPORTORGEX:
    case U_EMR_SCALEVIEWPORTEXTEX: case U_EMR_SCALEWINDOWEXTEX: case U_EMR_SETMAPMODE: case U_EMR_SETBKMODE:
    case U_EMR_SETPOLYFILLMODE: case U_EMR_SETTEXTALIGN: case U_EMR_SETTEXTCOLOR: case U_EMR_SETBKCOLOR:
    case U_EMR_SETARCDIRECTION: case U_EMR_MOVETOEX: case U_EMR_SAVEDC: case U_EMR_RESTOREDC:
    case U_EMR_SETWORLDTRANSFORM: case U_EMR_MODIFYWORLDTRANSFORM: case U_EMR_SETROP2:
    // Objects.
    case U_EMR_SELECTOBJECT: case U_EMR_DELETEOBJECT: case U_EMR_CREATEPEN: case U_EMR_EXTCREATEPEN:
    case U_EMR_CREATEBRUSHINDIRECT: case U_EMR_CREATEDIBPATTERNBRUSHPT: case U_EMR_CREATEMONOBRUSH:
    case U_EMR_EXTCREATEFONTINDIRECTW: case U_EMR_CREATEPALETTE: case U_EMR_CREATECOLORSPACE:
    case U_EMR_CREATECOLORSPACEW: case U_EMR_SELECTPALETTE: case U_EMR_SETPALETTEENTRIES: case U_EMR_RESIZEPALETTE:
    // Shapes, in 32 and 16 bits.
    case U_EMR_POLYBEZIER: case U_EMR_POLYGON: case U_EMR_POLYLINE: case U_EMR_POLYBEZIERTO: case U_EMR_POLYLINETO:
    case U_EMR_POLYPOLYLINE: case U_EMR_POLYPOLYGON: case U_EMR_POLYBEZIER16: case U_EMR_POLYGON16:
    case U_EMR_POLYLINE16: case U_EMR_POLYBEZIERTO16: case U_EMR_POLYLINETO16: case U_EMR_POLYPOLYLINE16:
    case U_EMR_POLYPOLYGON16: case U_EMR_POLYDRAW: case U_EMR_POLYDRAW16: case U_EMR_LINETO: case U_EMR_SETPIXELV:
    case U_EMR_ELLIPSE: case U_EMR_RECTANGLE: case U_EMR_ROUNDRECT: case U_EMR_ARC: case U_EMR_CHORD: case U_EMR_PIE:
    case U_EMR_ARCTO: case U_EMR_ANGLEARC:
    // Paths and clipping.
    case U_EMR_BEGINPATH: case U_EMR_ENDPATH: case U_EMR_ABORTPATH: case U_EMR_CLOSEFIGURE: case U_EMR_FILLPATH:
    case U_EMR_STROKEPATH: case U_EMR_STROKEANDFILLPATH: case U_EMR_SELECTCLIPPATH: case U_EMR_INTERSECTCLIPRECT:
    case U_EMR_EXCLUDECLIPRECT: case U_EMR_OFFSETCLIPRGN: case U_EMR_EXTSELECTCLIPRGN:
    // Regions, text and bitmaps.
    case U_EMR_FILLRGN: case U_EMR_PAINTRGN: case U_EMR_EXTTEXTOUTA: case U_EMR_EXTTEXTOUTW: case U_EMR_BITBLT:
    case U_EMR_STRETCHBLT: case U_EMR_STRETCHDIBITS: case U_EMR_SETDIBITSTODEVICE: case U_EMR_ALPHABLEND:
        return true;
    default:
        return false;
    }
}

// Whether a record is whole enough to play: libUEMF's check (which reports
// the types it does not know on standard output, so only the types played
// come here). Text is checked only against its smallest size: libUEMF wants
// its spacing array, which a record may leave out (Record checks the string
// and the array where they are).
bool whole(const Record& r, quint32 type)
{
    switch (type) {
    case U_EMR_EXTTEXTOUTA: return r.size() >= qint64(U_SIZE_EMREXTTEXTOUTA);
    case U_EMR_EXTTEXTOUTW: return r.size() >= qint64(U_SIZE_EMREXTTEXTOUTW);
    default: return U_emf_record_safe(r.data());
    }
}

// Whether a record the player does not play draws: EMF+ drawing (kept in
// comments that start with "EMF+"), the gradient fills, flood fills, framed
// and inverted regions, the masked, parallelogram and transparent bitmap
// copies, the compact and multi-string text records, and OpenGL's records.
bool drawingLeftOut(const Record& r, quint32 type)
{
    switch (type) {
    case U_EMR_COMMENT:
        return r.size() >= 16 && r.u32(offsetof(U_EMRCOMMENT, Data)) == U_EMR_COMMENT_EMFPLUSRECORD;
    case U_EMR_GRADIENTFILL: case U_EMR_EXTFLOODFILL: case U_EMR_FRAMERGN: case U_EMR_INVERTRGN:
    case U_EMR_MASKBLT: case U_EMR_PLGBLT: case U_EMR_TRANSPARENTBLT: case U_EMR_SMALLTEXTOUT:
    case U_EMR_POLYTEXTOUTA: case U_EMR_POLYTEXTOUTW: case U_EMR_GLSRECORD: case U_EMR_GLSBOUNDEDRECORD:
        return true;
    default:
        return false;
    }
}

bool play(Canvas& c, const Record& r, quint32 type)
{
    if (!c.spend(recordWork))
        return false;
    if (emfPlays(type) && whole(r, type))
        playState(c, r, type) || playObject(c, r, type) || playEmfDrawing(c, r, type);
    else if (drawingLeftOut(r, type))
        c.leaveOutDrawing();
    return !c.refused();
}

} // namespace

Opened openEmf(const QByteArray& bytes)
{
    if (!walk(bytes, [](const Record&, quint32) { return true; }))
        return {MetafileFault::Damaged};
    // The header, as old as it may be: its fields up to the reference
    // device's size.
    const Record h(bytes.constData(), bytes.size());
    if (h.u32(0) != U_EMR_HEADER || h.u32(4) < U_SIZE_EMRHEADER_MIN
        || h.u32(offsetof(U_EMRHEADER, dSignature)) != U_ENHMETA_SIGNATURE)
        return {MetafileFault::Damaged};
    // The frame is the picture; its size at 96 dots an inch is the image's,
    // scaled down to fit the largest picture.
    const QRectF frame(QPointF(h.s32(24), h.s32(28)), QPointF(h.s32(32), h.s32(36)));
    const std::optional<QSize> size = fittedPicture(frame.width(), frame.height(), frameUnitsPerInch);
    if (!size)
        return {MetafileFault::Damaged};
    // The records draw in the reference device's pixels: the frame there.
    const double pixelsX = double(h.s32(72)) / (double(h.s32(80)) * 100.0);
    const double pixelsY = double(h.s32(76)) / (double(h.s32(84)) * 100.0);
    if (!(pixelsX > 0 && pixelsY > 0 && std::isfinite(pixelsX) && std::isfinite(pixelsY)))
        return {MetafileFault::Damaged};
    const QRectF device = QRectF(QPointF(frame.left() * pixelsX, frame.top() * pixelsY),
                                 QPointF(frame.right() * pixelsX, frame.bottom() * pixelsY));
    Opened opened;
    opened.objects = h.u16(offsetof(U_EMRHEADER, nHandles));
    opened.setup.picture = *size;
    opened.setup.devicePixelsPerMm = pixelsX * 100;
    opened.setup.deviceToPicture = QTransform::fromTranslate(-device.left(), -device.top())
                                   * QTransform::fromScale(size->width() / device.width(), size->height() / device.height());
    return opened;
}

void playEmf(const QByteArray& bytes, Canvas& canvas)
{
    walk(bytes, [&canvas](const Record& r, quint32 type) { return play(canvas, r, type); });
}

} // namespace kv::metafile

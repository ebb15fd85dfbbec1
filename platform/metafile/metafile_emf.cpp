// The EMF player: the walk, the header, the device context's state and the
// objects. libUEMF checks each record against the end of the file and its
// smallest size (U_emf_record_sizeok), and the counts inside a record it
// plays against the record's end (U_emf_record_safe); that check works out
// its byte counts in int and lets a count of 2^29 points through, so every
// count is checked again here, in 64 bits, as Record reads it.
#include "platform/metafile/metafile_emf.h"

#include <cmath>
#include <cstddef>

#include <uemf.h>
#include <uemf_endian.h>
#include <uemf_safe.h>

namespace kv::metafile {
namespace {

constexpr quint32 signature = 0x464D4520; // " EMF"
constexpr double frameUnitsPerInch = 2540.0; // the frame is in hundredths of a millimetre

template <typename Each>
bool walk(const QByteArray& b, Each each)
{
    const char* const end = b.constData() + b.size();
    for (qint64 at = 0; b.size() - at >= 8;) {
        uint32_t size = 0, type = 0;
        // On a little-endian machine libUEMF's "reversed" order is the file's own.
        constexpr int fileOrder = 1;
        if (!U_emf_record_sizeok(b.constData() + at, end, &size, &type, fileOrder) || size % 4 != 0 ||
            (type == U_EMR_HEADER && at != 0))
            return false;
        if (type == U_EMR_EOF)
            return true;
        if (!each(Record(b.constData() + at, size), type))
            return true;
        at += size;
    }
    return false;
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

PenSpec penOf(const Record& r, bool extended)
{
    PenSpec pen;
    if (!extended) {
        pen.style = r.u32(offsetof(U_EMRCREATEPEN, lopn.lopnStyle));
        pen.width = r.s32(offsetof(U_EMRCREATEPEN, lopn.lopnWidth.x));
        pen.cosmetic = pen.width <= 1;
        pen.colour = colourRef(r.u32(offsetof(U_EMRCREATEPEN, lopn.lopnColor)));
        return pen;
    }
    pen.style = r.u32(offsetof(U_EMREXTCREATEPEN, elp.elpPenStyle));
    pen.width = r.u32(offsetof(U_EMREXTCREATEPEN, elp.elpWidth));
    pen.cosmetic = (pen.style & U_PS_TYPE_MASK) != U_PS_GEOMETRIC || pen.width <= 1;
    pen.colour = colourRef(r.u32(offsetof(U_EMREXTCREATEPEN, elp.elpColor)));
    if (r.u32(offsetof(U_EMREXTCREATEPEN, elp.elpBrushStyle)) == U_BS_NULL)
        pen.style = (pen.style & ~quint32(U_PS_STYLE_MASK)) | U_PS_NULL;
    return pen;
}

FontSpec fontOf(const Record& r)
{
    constexpr qint64 logfont = offsetof(U_EMREXTCREATEFONTINDIRECTW, elfw);
    FontSpec f;
    f.height = r.s32(logfont + offsetof(U_LOGFONT, lfHeight));
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
    const auto pointAt = [&r](qint64 at) { return QPointF(r.s32(at), r.s32(at + 4)); };
    const auto sizeAt = [&r](qint64 at) { return QSizeF(r.s32(at), r.s32(at + 4)); };
    switch (type) {
    case U_EMR_SETWINDOWEXTEX:
        if (const QSizeF e = sizeAt(8); e.width() != 0 && e.height() != 0)
            c.dc.windowExt = e;
        break;
    case U_EMR_SETVIEWPORTEXTEX:
        if (const QSizeF e = sizeAt(8); e.width() != 0 && e.height() != 0)
            c.setViewportExt(e);
        break;
    case U_EMR_SETWINDOWORGEX: c.dc.windowOrg = pointAt(8); break;
    case U_EMR_SETVIEWPORTORGEX: c.dc.viewportOrg = pointAt(8); break;
    case U_EMR_SCALEVIEWPORTEXTEX: c.scaleViewport(r.s32(8), r.s32(12), r.s32(16), r.s32(20)); break;
    case U_EMR_SCALEWINDOWEXTEX: c.scaleWindow(r.s32(8), r.s32(12), r.s32(16), r.s32(20)); break;
    case U_EMR_SETMAPMODE: c.setMapMode(int(r.u32(8))); break;
    case U_EMR_SETBKMODE: c.dc.opaque = r.u32(8) == U_OPAQUE; break;
    case U_EMR_SETPOLYFILLMODE: c.dc.fillRule = r.u32(8) == U_WINDING ? Qt::WindingFill : Qt::OddEvenFill; break;
    case U_EMR_SETTEXTALIGN: c.dc.textAlign = r.u32(8); break;
    case U_EMR_SETTEXTCOLOR: c.dc.textColour = colourRef(r.u32(8)); break;
    case U_EMR_SETBKCOLOR: c.dc.backColour = colourRef(r.u32(8)); break;
    case U_EMR_SETARCDIRECTION: c.dc.clockwise = r.u32(8) == U_AD_CLOCKWISE; break;
    case U_EMR_MOVETOEX: c.moveTo(pointAt(8)); break;
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
                                : mode == 4                   ? t // MWT_SET
                                                              : c.dc.world;
        if (usable(next))
            c.dc.world = next;
        break;
    }
    case U_EMR_SELECTOBJECT: {
        const quint32 slot = r.u32(8);
        if (slot & 0x80000000u)
            c.selectStock(slot & 0x7FFFFFFFu);
        else
            c.select(slot);
        break;
    }
    case U_EMR_DELETEOBJECT: c.remove(r.u32(8)); break;
    case U_EMR_CREATEPEN: create(c, r.u32(8), penOf(r, false)); break;
    case U_EMR_EXTCREATEPEN: create(c, r.u32(8), penOf(r, true)); break;
    case U_EMR_CREATEBRUSHINDIRECT:
        create(c, r.u32(8), BrushSpec{r.u32(12), colourRef(r.u32(16)), r.u32(20), {}});
        break;
    case U_EMR_CREATEDIBPATTERNBRUSHPT:
    case U_EMR_CREATEMONOBRUSH: {
        const auto field = [&r](std::size_t offset) { return r.u32(qint64(offset)); };
        const QByteArrayView info = r.bytes(field(offsetof(U_EMRCREATEDIBPATTERNBRUSHPT, offBmi)),
                                            field(offsetof(U_EMRCREATEDIBPATTERNBRUSHPT, cbBmi)));
        const QByteArrayView bits = r.bytes(field(offsetof(U_EMRCREATEDIBPATTERNBRUSHPT, offBits)),
                                            field(offsetof(U_EMRCREATEDIBPATTERNBRUSHPT, cbBits)));
        const auto brush = r.whole() ? dibBrush(c, info, bits, field(offsetof(U_EMRCREATEDIBPATTERNBRUSHPT, iUsage)) == 1)
                                     : std::nullopt;
        create(c, r.u32(8), brush ? *brush : BrushSpec{0, Qt::black, 0, {}});
        break;
    }
    case U_EMR_EXTCREATEFONTINDIRECTW: create(c, r.u32(8), fontOf(r)); break;
    case U_EMR_CREATEPALETTE:
    case U_EMR_CREATECOLORSPACE:
    case U_EMR_CREATECOLORSPACEW: create(c, r.u32(8), OtherObject()); break;
    default: return playEmfDrawing(c, r, type);
    }
    return true;
}

bool play(Canvas& c, const Record& r, quint32 type)
{
    if (!c.spend(recordWork))
        return false;
    // Only the records played are checked inside: libUEMF reports the others
    // on standard output, and they are skipped anyway. Text is not: libUEMF
    // wants its spacing array, which a record may leave out (Record checks
    // the string and the array where they are).
    const bool text = type == U_EMR_EXTTEXTOUTA || type == U_EMR_EXTTEXTOUTW;
    if (emfPlays(type) && !text && !U_emf_record_safe(r.data()))
        return !c.refused();
    playState(c, r, type);
    return !c.refused();
}

} // namespace

Opened openEmf(const QByteArray& bytes)
{
    if (bytes.size() < qint64(sizeof(U_EMRHEADER)) - 12 || !walk(bytes, [](const Record&, quint32) { return true; }))
        return {MetafileFault::Damaged};
    const Record h(bytes.constData(), bytes.size());
    if (h.u32(0) != U_EMR_HEADER || h.u32(offsetof(U_EMRHEADER, dSignature)) != signature)
        return {MetafileFault::Damaged};
    // The frame is the picture; its size at 96 dots an inch is the image's.
    const QRectF frame(QPointF(h.s32(24), h.s32(28)), QPointF(h.s32(32), h.s32(36)));
    const std::optional<QSize> size = pictureSize(frame.width(), frame.height(), frameUnitsPerInch);
    if (!size)
        return refusedSize(frame.width(), frame.height(), frameUnitsPerInch);
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

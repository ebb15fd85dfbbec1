// The EMF drawing records: shapes in 16 and 32 bits, paths, clipping,
// regions, text and bitmaps.
#include "platform/metafile/metafile_emf.h"

#include "platform/metafile/metafile_font.h"

#include <cmath>
#include <cstddef>

#include <uemf.h>

namespace kv::metafile {
namespace {

// A region's rectangles in device units: a header and nCount rectangles, all
// inside the region's bytes. Too many refuse the metafile: each costs every
// later drawing call.
std::optional<std::vector<QRect>> regionRects(Canvas& c, const Record& r, qint64 at, qint64 bytes)
{
    const qint64 count = r.u32(at + offsetof(U_RGNDATAHEADER, nCount));
    if (!r.whole() || bytes < qint64(sizeof(U_RGNDATAHEADER)) || !r.has(at, bytes) ||
        count > (bytes - qint64(sizeof(U_RGNDATAHEADER))) / 16)
        return std::nullopt;
    if (!c.countRegion(count))
        return std::nullopt;
    std::vector<QRect> rects;
    rects.reserve(std::size_t(count));
    for (qint64 i = 0, p = at + qint64(sizeof(U_RGNDATAHEADER)); i < count; ++i, p += 16) {
        const qint64 left = r.s32(p), top = r.s32(p + 4), right = r.s32(p + 8), bottom = r.s32(p + 12);
        if (right > left && bottom > top && right - left < (1LL << 30) && bottom - top < (1LL << 30))
            rects.emplace_back(int(left), int(top), int(right - left), int(bottom - top));
    }
    return rects;
}

// Curves from start through triples of points.
void addBeziers(QPainterPath& path, const QPolygonF& points, qsizetype from)
{
    for (qsizetype i = from; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
}

void polys(Canvas& c, const Record& r, quint32 type)
{
    // The 16-bit records follow the 32-bit ones in the same order.
    const bool wide = type <= U_EMR_POLYPOLYGON;
    const Coordinates size = wide ? Coordinates::Long : Coordinates::Short;
    const quint32 kind = wide ? type : type - (U_EMR_POLYBEZIER16 - U_EMR_POLYBEZIER);
    if (kind == U_EMR_POLYPOLYLINE || kind == U_EMR_POLYPOLYGON) {
        const qint64 polygons = r.u32(24), total = r.u32(28);
        if (!r.has(32, polygons * 4))
            return;
        const QPolygonF points = pointsAt(r, 32 + polygons * 4, total, size);
        std::vector<QPolygonF> parts;
        qint64 at = 0;
        for (qint64 i = 0; i < polygons; ++i) {
            const qint64 count = r.u32(32 + 4 * i);
            if (count > total - at)
                return;
            parts.push_back(points.mid(qsizetype(at), qsizetype(count)));
            at += count;
        }
        if (kind == U_EMR_POLYPOLYGON)
            c.polygons(parts);
        else
            for (QPolygonF& part : parts)
                c.polyline(std::move(part));
        return;
    }
    QPolygonF points = pointsAt(r, 28, r.u32(24), size);
    if (points.isEmpty())
        return;
    QPainterPath path;
    switch (kind) {
    case U_EMR_POLYGON: c.polygons({points}); return;
    case U_EMR_POLYLINE: c.polyline(std::move(points)); return;
    case U_EMR_POLYBEZIER:
        path.moveTo(points.first());
        addBeziers(path, points, 1);
        c.shape(path, Paint::Stroke);
        return;
    case U_EMR_POLYLINETO:
        path.moveTo(c.dc.position);
        for (const QPointF& p : points)
            path.lineTo(p);
        c.pathTo(path);
        return;
    case U_EMR_POLYBEZIERTO:
        path.moveTo(c.dc.position);
        addBeziers(path, points, 0);
        c.pathTo(path);
        return;
    }
}

// Points each with its kind: a move, a line, a curve (three points), and a
// flag that closes the figure.
void polyDraw(Canvas& c, const Record& r, Coordinates size)
{
    const qint64 count = r.u32(24);
    const QPolygonF points = pointsAt(r, 28, count, size);
    const QByteArrayView kinds = r.bytes(28 + count * (size == Coordinates::Long ? 8 : 4), count);
    if (points.isEmpty() || !r.whole())
        return;
    QPainterPath path;
    path.moveTo(c.dc.position);
    for (qsizetype i = 0; i < points.size(); ++i) {
        const int kind = quint8(kinds[i]) & ~U_PT_CLOSEFIGURE;
        if (kind == U_PT_MOVETO) {
            path.moveTo(points[i]);
        } else if (kind == U_PT_BEZIERTO && i + 2 < points.size()) {
            path.cubicTo(points[i], points[i + 1], points[i + 2]);
            i += 2;
        } else {
            path.lineTo(points[i]);
        }
        if (quint8(kinds[i]) & U_PT_CLOSEFIGURE)
            path.closeSubpath();
    }
    c.pathTo(path);
}

// The characters of a text record: UTF-16 (ExtTextOutW), or bytes in the
// code page of the font's character set (ExtTextOutA).
enum class Characters { CodePage, Utf16 };

void extTextOut(Canvas& c, const Record& r, Characters characters)
{
    const bool wide = characters == Characters::Utf16;
    constexpr qint64 t = offsetof(U_EMREXTTEXTOUTW, emrtext);
    const QPointF at = pointAt(r, t);
    const qint64 count = r.u32(t + offsetof(U_EMRTEXT, nChars));
    const qint64 stringAt = r.u32(t + offsetof(U_EMRTEXT, offString));
    const quint32 options = r.u32(t + offsetof(U_EMRTEXT, fOptions));
    const bool hasBox = !(options & U_ETO_NO_RECT);
    const qint64 afterOptions = t + qint64(sizeof(U_EMRTEXT));
    const std::optional<QRectF> box = hasBox ? std::optional<QRectF>(boxAt(r, afterOptions)) : std::nullopt;
    const qint64 dxAt = r.u32(afterOptions + (hasBox ? 16 : 0));
    // A record without characters may still fill its opaque box.
    const QByteArrayView bytes = count == 0 ? QByteArrayView() : r.bytes(stringAt, count * (wide ? 2 : 1));
    if (!r.whole())
        return;
    const QString s = wide ? fontText(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.data()), qsizetype(count)), c.dc.font)
                           : fontText(bytes, c.dc.font);
    // An advance for each character (UTF-16) or byte (code page), when the
    // record holds them; with U_ETO_PDY each is followed by a vertical one.
    std::vector<double> advances;
    const qint64 step = options & U_ETO_PDY ? 8 : 4;
    if (dxAt != 0 && r.has(dxAt, count * step)) {
        advances.reserve(std::size_t(count));
        for (qint64 i = 0; i < count; ++i)
            advances.push_back(r.s32(dxAt + i * step));
    }
    if (!wide)
        advances = characterAdvances(bytes, s.size(), advances, c.dc.font.charSet);
    c.text(at, s, s.size() == qsizetype(advances.size()) ? advances : std::vector<double>(), options, box);
}

void bitmap(Canvas& c, const Record& r, quint32 type)
{
    // Where each record keeps its destination, source and DIB.
    struct Fields {
        std::size_t dest, destSize, source, sourceSize, rop, usage, offBmi, cbBmi, offBits, cbBits;
        SourceRows rows;
    };
    Fields f{};
    switch (type) {
    case U_EMR_BITBLT:
        f = {offsetof(U_EMRBITBLT, Dest), offsetof(U_EMRBITBLT, cDest), offsetof(U_EMRBITBLT, Src), 0,
             offsetof(U_EMRBITBLT, dwRop), offsetof(U_EMRBITBLT, iUsageSrc), offsetof(U_EMRBITBLT, offBmiSrc),
             offsetof(U_EMRBITBLT, cbBmiSrc), offsetof(U_EMRBITBLT, offBitsSrc), offsetof(U_EMRBITBLT, cbBitsSrc),
             SourceRows::FromTop};
        break;
    case U_EMR_STRETCHBLT:
        f = {offsetof(U_EMRSTRETCHBLT, Dest), offsetof(U_EMRSTRETCHBLT, cDest), offsetof(U_EMRSTRETCHBLT, Src),
             offsetof(U_EMRSTRETCHBLT, cSrc), offsetof(U_EMRSTRETCHBLT, dwRop), offsetof(U_EMRSTRETCHBLT, iUsageSrc),
             offsetof(U_EMRSTRETCHBLT, offBmiSrc), offsetof(U_EMRSTRETCHBLT, cbBmiSrc),
             offsetof(U_EMRSTRETCHBLT, offBitsSrc), offsetof(U_EMRSTRETCHBLT, cbBitsSrc), SourceRows::FromTop};
        break;
    case U_EMR_STRETCHDIBITS:
        f = {offsetof(U_EMRSTRETCHDIBITS, Dest), offsetof(U_EMRSTRETCHDIBITS, cDest), offsetof(U_EMRSTRETCHDIBITS, Src),
             offsetof(U_EMRSTRETCHDIBITS, cSrc), offsetof(U_EMRSTRETCHDIBITS, dwRop),
             offsetof(U_EMRSTRETCHDIBITS, iUsageSrc), offsetof(U_EMRSTRETCHDIBITS, offBmiSrc),
             offsetof(U_EMRSTRETCHDIBITS, cbBmiSrc), offsetof(U_EMRSTRETCHDIBITS, offBitsSrc),
             offsetof(U_EMRSTRETCHDIBITS, cbBitsSrc), SourceRows::FromBottom};
        break;
    case U_EMR_SETDIBITSTODEVICE:
        f = {offsetof(U_EMRSETDIBITSTODEVICE, Dest), offsetof(U_EMRSETDIBITSTODEVICE, cSrc),
             offsetof(U_EMRSETDIBITSTODEVICE, Src), offsetof(U_EMRSETDIBITSTODEVICE, cSrc), 0,
             offsetof(U_EMRSETDIBITSTODEVICE, iUsageSrc), offsetof(U_EMRSETDIBITSTODEVICE, offBmiSrc),
             offsetof(U_EMRSETDIBITSTODEVICE, cbBmiSrc), offsetof(U_EMRSETDIBITSTODEVICE, offBitsSrc),
             offsetof(U_EMRSETDIBITSTODEVICE, cbBitsSrc), SourceRows::FromBottom};
        break;
    case U_EMR_ALPHABLEND: {
        // Drawn as a copy when it blends nothing: full constant opacity, no alpha of its own.
        const quint32 blend = r.u32(offsetof(U_EMRALPHABLEND, Blend));
        const int constantAlpha = (blend >> 16) & 0xFF, alphaFormat = (blend >> 24) & 0xFF;
        if (constantAlpha != 0xFF || alphaFormat != 0) {
            c.leaveOutDrawing();
            return;
        }
        f = {offsetof(U_EMRALPHABLEND, Dest), offsetof(U_EMRALPHABLEND, cDest), offsetof(U_EMRALPHABLEND, Src),
             offsetof(U_EMRALPHABLEND, cSrc), 0, offsetof(U_EMRALPHABLEND, iUsageSrc),
             offsetof(U_EMRALPHABLEND, offBmiSrc), offsetof(U_EMRALPHABLEND, cbBmiSrc),
             offsetof(U_EMRALPHABLEND, offBitsSrc), offsetof(U_EMRALPHABLEND, cbBitsSrc), SourceRows::FromTop};
        break;
    }
    default: return;
    }
    const auto at = [](std::size_t offset) { return qint64(offset); };
    const QRectF dest(pointAt(r, at(f.dest)), sizeAt(r, at(f.destSize)));
    const QSizeF sourceSize = f.sourceSize ? sizeAt(r, at(f.sourceSize)) : dest.size();
    const QRectF source(pointAt(r, at(f.source)), sourceSize);
    const quint32 rop = f.rop ? r.u32(at(f.rop)) : U_SRCCOPY;
    const qint64 cbBmi = r.u32(at(f.cbBmi));
    const QByteArrayView info = cbBmi ? r.bytes(r.u32(at(f.offBmi)), cbBmi) : QByteArrayView();
    const QByteArrayView bits = cbBmi ? r.bytes(r.u32(at(f.offBits)), r.u32(at(f.cbBits))) : QByteArrayView();
    if (r.whole())
        drawDib(c, RecordDib{info, bits, r.u32(at(f.usage))}, dest, source, f.rows, rop);
}

} // namespace

bool playEmfDrawing(Canvas& c, const Record& r, quint32 type)
{
    switch (type) {
    case U_EMR_POLYBEZIER: case U_EMR_POLYGON: case U_EMR_POLYLINE: case U_EMR_POLYBEZIERTO:
    case U_EMR_POLYLINETO: case U_EMR_POLYPOLYLINE: case U_EMR_POLYPOLYGON:
    case U_EMR_POLYBEZIER16: case U_EMR_POLYGON16: case U_EMR_POLYLINE16: case U_EMR_POLYBEZIERTO16:
    case U_EMR_POLYLINETO16: case U_EMR_POLYPOLYLINE16: case U_EMR_POLYPOLYGON16:
        polys(c, r, type);
        break;
    case U_EMR_POLYDRAW: polyDraw(c, r, Coordinates::Long); break;
    case U_EMR_POLYDRAW16: polyDraw(c, r, Coordinates::Short); break;
    case U_EMR_LINETO: c.lineTo(pointAt(r, 8)); break;
    case U_EMR_SETPIXELV: c.setPixel(pointAt(r, 8), c.colour(r.u32(16))); break;
    case U_EMR_ELLIPSE: c.box(boxAt(r, 8), {}, BoxShape::Ellipse); break;
    case U_EMR_RECTANGLE: c.box(boxAt(r, 8), {}, BoxShape::Rectangle); break;
    case U_EMR_ROUNDRECT: c.box(boxAt(r, 8), QSizeF(r.s32(24), r.s32(28)), BoxShape::Rectangle); break;
    case U_EMR_ARC: case U_EMR_CHORD: case U_EMR_PIE: {
        const ArcShape shape = type == U_EMR_ARC ? ArcShape::Arc : type == U_EMR_CHORD ? ArcShape::Chord : ArcShape::Pie;
        c.shape(arcPath(shape, boxAt(r, 8), pointAt(r, 24), pointAt(r, 32), c.dc.clockwise),
                shape == ArcShape::Arc ? Paint::Stroke : Paint::FillAndStroke);
        break;
    }
    case U_EMR_ARCTO: {
        // A line from the current position to the arc's start, then the arc.
        const QPainterPath arc = arcPath(ArcShape::Arc, boxAt(r, 8), pointAt(r, 24), pointAt(r, 32), c.dc.clockwise);
        if (arc.isEmpty()) // an empty box: no arc, and no start to draw to
            break;
        QPainterPath p;
        p.moveTo(c.dc.position);
        p.lineTo(arc.elementAt(0));
        p.connectPath(arc);
        c.pathTo(p);
        break;
    }
    case U_EMR_ANGLEARC: {
        const QPointF centre = pointAt(r, 8);
        const double radius = r.u32(16);
        QPainterPath p;
        p.moveTo(c.dc.position);
        p.arcTo(QRectF(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius)), r.f32(20), r.f32(24));
        c.pathTo(p);
        break;
    }
    case U_EMR_BEGINPATH: c.beginPath(); break;
    case U_EMR_ENDPATH: c.endPath(); break;
    case U_EMR_ABORTPATH: c.abortPath(); break;
    case U_EMR_CLOSEFIGURE: c.closeFigure(); break;
    case U_EMR_FILLPATH: c.paintPath(Paint::Fill); break;
    case U_EMR_STROKEPATH: c.paintPath(Paint::Stroke); break;
    case U_EMR_STROKEANDFILLPATH: c.paintPath(Paint::FillAndStroke); break;
    case U_EMR_SELECTCLIPPATH: c.clipToPath(int(r.u32(8))); break;
    case U_EMR_INTERSECTCLIPRECT: c.intersectClip(boxAt(r, 8)); break;
    case U_EMR_EXCLUDECLIPRECT: c.excludeClip(boxAt(r, 8)); break;
    case U_EMR_OFFSETCLIPRGN: c.offsetClip(pointAt(r, 8)); break;
    case U_EMR_EXTSELECTCLIPRGN: {
        const qint64 bytes = r.u32(8);
        const int mode = int(r.u32(12));
        if (bytes == 0 && mode == U_RGN_COPY)
            c.resetClip();
        else if (const auto rects = regionRects(c, r, 16, bytes))
            c.combineClip(c.regionOf(*rects, RegionUnits::Device), mode);
        break;
    }
    case U_EMR_FILLRGN:
    case U_EMR_PAINTRGN: {
        const bool fill = type == U_EMR_FILLRGN;
        const auto* brush = fill ? std::get_if<BrushSpec>(c.object(r.u32(28))) : &c.dc.brush;
        const auto rects = regionRects(c, r, fill ? 32 : 28, r.u32(24));
        if (brush && rects)
            c.fillRegion(c.regionOf(*rects, RegionUnits::Device), *brush);
        break;
    }
    case U_EMR_EXTTEXTOUTW: extTextOut(c, r, Characters::Utf16); break;
    case U_EMR_EXTTEXTOUTA: extTextOut(c, r, Characters::CodePage); break;
    case U_EMR_BITBLT: case U_EMR_STRETCHBLT: case U_EMR_STRETCHDIBITS: case U_EMR_SETDIBITSTODEVICE:
    case U_EMR_ALPHABLEND:
        bitmap(c, r, type);
        break;
    default: return false;
    }
    return true;
}

} // namespace kv::metafile

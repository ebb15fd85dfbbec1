// The WMF records that draw: shapes, text and bitmaps.
#include "platform/metafile/metafile_wmf.h"

#include "platform/metafile/metafile_font.h"

namespace kv::metafile {
namespace {

constexpr qint64 p = wmfParameters;

// WMF has no arc direction: its arcs, chords and pies go anticlockwise.
constexpr bool wmfArcsClockwise = false;

// The destination of a bitmap record: its y and x at at, its height and
// width before them.
QRectF destinationAt(const Record& r, qint64 at)
{
    return QRectF(r.s16(at + 2), r.s16(at), r.s16(at - 2), r.s16(at - 4));
}

// A bitmap record whose DIB is packed from dibAt to the record's end.
void blit(Canvas& c, const Record& r, qint64 dibAt, quint32 usage, const QRectF& dest, const QRectF& source,
          SourceRows rows, quint32 rop)
{
    drawDib(c, packedDib(r, dibAt, usage), dest, source, rows, rop);
}

void textOut(Canvas& c, const Record& r)
{
    const qint64 count = r.u16(p);
    const qint64 stringAt = p + 2, after = stringAt + (count + 1) / 2 * 2;
    const QByteArrayView bytes = r.bytes(stringAt, count);
    const QPointF at = reversedPoint(r, after); // after the string: a record cut short lacks it
    if (r.whole())
        c.text(at, fontText(bytes, c.dc.font), {}, U_ETO_NONE, std::nullopt);
}

void extTextOut(Canvas& c, const Record& r)
{
    const QPointF at = reversedPoint(r, p);
    const qint64 count = r.s16(p + 4);
    const quint16 options = r.u16(p + 6);
    std::optional<QRectF> box;
    qint64 stringAt = p + 8;
    if (options & (U_ETO_OPAQUE | U_ETO_CLIPPED)) { // a rectangle follows
        box = QRectF(QPointF(r.s16(stringAt), r.s16(stringAt + 2)), QPointF(r.s16(stringAt + 4), r.s16(stringAt + 6)));
        stringAt += 8;
    }
    const QByteArrayView bytes = r.bytes(stringAt, count);
    if (!r.whole() || count < 0)
        return;
    const QString decoded = fontText(bytes, c.dc.font);
    // An advance for each byte, when the record holds them.
    const qint64 dxAt = stringAt + (count + 1) / 2 * 2;
    std::vector<double> byteAdvances;
    if (r.has(dxAt, count * 2)) {
        byteAdvances.reserve(std::size_t(count));
        for (qint64 i = 0; i < count; ++i)
            byteAdvances.push_back(r.s16(dxAt + 2 * i));
    }
    c.text(at, decoded, characterAdvances(bytes, decoded.size(), byteAdvances, c.dc.font.charSet), options, box);
}

} // namespace

bool playWmfShape(Canvas& c, const Record& r, int type)
{
    switch (type) {
    case U_WMR_LINETO: c.lineTo(reversedPoint(r, p)); break;
    case U_WMR_ARC:
    case U_WMR_CHORD:
    case U_WMR_PIE: {
        const ArcShape shape = type == U_WMR_ARC ? ArcShape::Arc : type == U_WMR_CHORD ? ArcShape::Chord : ArcShape::Pie;
        // The end point, the start point, then the box.
        c.shape(arcPath(shape, reversedRect(r, p + 8), reversedPoint(r, p + 4), reversedPoint(r, p), wmfArcsClockwise),
                shape == ArcShape::Arc ? Paint::Stroke : Paint::FillAndStroke);
        break;
    }
    case U_WMR_ELLIPSE: c.box(reversedRect(r, p), {}, BoxShape::Ellipse); break;
    case U_WMR_RECTANGLE: c.box(reversedRect(r, p), {}, BoxShape::Rectangle); break;
    case U_WMR_ROUNDRECT: c.box(reversedRect(r, p + 4), reversedSize(r, p), BoxShape::Rectangle); break;
    case U_WMR_PATBLT: c.fillRect(QRectF(reversedPoint(r, p + 8), reversedSize(r, p + 4)), c.dc.brush, r.u32(p)); break;
    case U_WMR_SETPIXEL: c.setPixel(reversedPoint(r, p + 4), c.colour(r.u32(p))); break;
    case U_WMR_POLYLINE: c.polyline(pointsAt(r, p + 2, r.s16(p), Coordinates::Short)); break;
    case U_WMR_POLYGON: c.polygons({pointsAt(r, p + 2, r.s16(p), Coordinates::Short)}); break;
    case U_WMR_POLYPOLYGON: {
        const qint64 polygons = r.u16(p);
        std::vector<QPolygonF> rings;
        qint64 at = p + 2 + 2 * polygons;
        for (qint64 i = 0; i < polygons && r.whole(); ++i) {
            const qint64 count = r.u16(p + 2 + 2 * i);
            rings.push_back(pointsAt(r, at, count, Coordinates::Short));
            at += 4 * count;
        }
        if (r.has(0, at))
            c.polygons(rings);
        break;
    }
    default: return false;
    }
    return true;
}

bool playWmfText(Canvas& c, const Record& r, int type)
{
    switch (type) {
    case U_WMR_TEXTOUT: textOut(c, r); break;
    case U_WMR_EXTTEXTOUT: extTextOut(c, r); break;
    default: return false;
    }
    return true;
}

// The DIB records count the source's rows from the bottom of a bottom-up
// DIB; the bitmap copies (bit blits) from the top, as a device does.
bool playWmfBitmap(Canvas& c, const Record& r, int type)
{
    switch (type) {
    case U_WMR_DIBBITBLT: {
        const bool withBitmap = r.size() > U_SIZE_WMRDIBBITBLT_NOPX;
        const QRectF dest = destinationAt(r, withBitmap ? p + 12 : p + 14);
        blit(c, r, withBitmap ? p + 16 : r.size(), U_DIB_RGB_COLORS, dest, QRectF(reversedPoint(r, p + 4), dest.size()),
             SourceRows::FromTop, r.u32(p));
        break;
    }
    case U_WMR_DIBSTRETCHBLT: {
        const bool withBitmap = r.size() > U_SIZE_WMRDIBSTRETCHBLT_NOPX;
        blit(c, r, withBitmap ? p + 20 : r.size(), U_DIB_RGB_COLORS, destinationAt(r, withBitmap ? p + 16 : p + 18),
             QRectF(reversedPoint(r, p + 8), reversedSize(r, p + 4)), SourceRows::FromTop, r.u32(p));
        break;
    }
    case U_WMR_STRETCHDIB:
        blit(c, r, p + 22, r.u16(p + 4), destinationAt(r, p + 18), QRectF(reversedPoint(r, p + 10), reversedSize(r, p + 6)),
             SourceRows::FromBottom, r.u32(p));
        break;
    case U_WMR_SETDIBTODEV: {
        const QRectF dest = destinationAt(r, p + 14);
        blit(c, r, p + 18, r.u16(p), dest, QRectF(reversedPoint(r, p + 6), dest.size()), SourceRows::FromBottom, U_SRCCOPY);
        break;
    }
    default: return false;
    }
    return true;
}

} // namespace kv::metafile

// The WMF player. libUEMF walks the records (each one's size against the end
// of the file) and gives the smallest size of each kind; the fields are read
// through Record, inside the record's own bytes, since libUEMF's WMF getters
// check no count against the record's end.
#include "platform/metafile/metafile_bitmap.h"
#include "platform/metafile/metafile_player.h"

#include <QPainter>

#include <cmath>

#include <uwmf.h>

namespace kv::metafile {
namespace {

constexpr quint32 placeableKey = 0x9AC6CDD7;
constexpr qint64 headerBytes = U_SIZE_WMRHEADER;

struct Layout {
    qint64 first = 0; // the first record, after the headers
    bool placeable = false;
    std::size_t objects = 0;
};

bool isWmfHeader(const QByteArray& b, qint64 at)
{
    if (b.size() - at < headerBytes)
        return false;
    const Record r(b.constData() + at, headerBytes);
    const quint16 type = r.u16(0), words = r.u16(2), version = r.u16(4);
    return (type == 1 || type == 2) && words == 9 && (version == 0x0100 || version == 0x0300);
}

// Calls each(record, function) for every record up to the end-of-file record;
// false when a record does not lie inside the file or there is no end.
template <typename Each>
bool walk(const QByteArray& b, qint64 first, Each each)
{
    // libUEMF's walker takes the record and the end of the bytes; its size is
    // worked out in 32 bits, so it must also agree with the size in 64.
    char* const begin = const_cast<char*>(b.constData());
    char* const end = begin + b.size();
    for (qint64 at = first; b.size() - at >= U_SIZE_METARECORD;) {
        const size_t size = U_WMRRECSAFE_get(begin + at, end);
        const Record header(b.constData() + at, U_SIZE_METARECORD);
        if (size == 0 || qint64(size) != qint64(header.u32(0)) * 2)
            return false;
        const quint16 function = header.u16(4);
        if (function == 0)
            return true;
        if (!each(Record(b.constData() + at, qint64(size)), function))
            return true;
        at += qint64(size);
    }
    return false;
}

std::optional<Layout> layoutOf(const QByteArray& b)
{
    Layout layout;
    if (b.size() >= 4 && Record(b.constData(), 4).u32(0) == placeableKey) {
        layout.placeable = true;
        layout.first = U_SIZE_WMRPLACEABLE;
    }
    if (!isWmfHeader(b, layout.first))
        return std::nullopt;
    U_WMRPLACEABLE placeable{};
    U_WMRHEADER header{};
    if (!wmfheader_get(b.constData(), b.constData() + b.size(), &placeable, &header))
        return std::nullopt;
    layout.objects = header.nObjects;
    layout.first += headerBytes;
    if (!walk(b, layout.first, [](const Record&, quint16) { return true; }))
        return std::nullopt;
    return layout;
}

QPointF pointAt(const Record& r, qint64 at) { return QPointF(r.s16(at), r.s16(at + 2)); }

// GDI lists a record's parameters last first: y before x, bottom right before top left.
QPointF reversedPoint(const Record& r, qint64 at) { return QPointF(r.s16(at + 2), r.s16(at)); }
QRectF reversedRect(const Record& r, qint64 at)
{
    return QRectF(QPointF(r.s16(at + 6), r.s16(at + 4)), QPointF(r.s16(at + 2), r.s16(at)));
}
QSizeF reversedSize(const Record& r, qint64 at) { return QSizeF(r.s16(at + 2), r.s16(at)); }

QPolygonF pointsAt(const Record& r, qint64 at, qint64 count)
{
    QPolygonF points;
    if (!r.has(at, count * 4))
        return points;
    points.reserve(qsizetype(count));
    for (qint64 i = 0; i < count; ++i)
        points << pointAt(r, at + 4 * i);
    return points;
}

FontSpec fontOf(const Record& r)
{
    FontSpec f;
    f.height = r.s16(6);
    f.escapement = r.s16(10);
    f.weight = r.s16(14);
    f.italic = r.get<quint8>(16);
    f.underline = r.get<quint8>(17);
    f.strikeOut = r.get<quint8>(18);
    f.charSet = r.get<quint8>(19);
    const QByteArrayView face = r.bytes(24, std::min<qint64>(32, r.size() - 24));
    const qsizetype nul = face.indexOf('\0');
    f.face = decodeText(nul < 0 ? face : face.first(nul), f.charSet);
    return f;
}

// A region object: its scans, each of rectangles between its top and bottom.
RegionSpec regionOf(const Record& r)
{
    RegionSpec region;
    const qint64 scans = r.s16(6 + 10);
    qint64 at = 6 + 22;
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
    const qint64 count = qint64(region.rects.size());
    if (!c.spend(count > maxRegionRects ? maxDrawingWork * 2 : regionRectWork * double(count)))
        return std::nullopt;
    return c.regionOf(region.rects, true);
}

void createObject(Canvas& c, GdiObject object)
{
    if (const auto slot = c.freeSlot())
        c.create(*slot, std::move(object));
}

// The DIB of a bitmap record from at to the record's end. The DIB records
// count the source's rows from the bottom of a bottom-up DIB; the blits from
// the top, as a device does.
void blit(Canvas& c, const Record& r, qint64 dibAt, bool paletteIndices, const QRectF& dest, const QRectF& source,
          quint32 rop, bool fromBottom = false)
{
    const QByteArrayView dib = r.bytes(dibAt, r.size() - dibAt);
    if (dib.size() < 12) {
        c.fillRect(dest, c.dc.brush, rop);
        return;
    }
    const std::optional<DibHeader> header = readDibHeader(dib, {});
    const qint64 bitsAt = header ? header->packedBitsAt() : dib.size();
    drawDib(c, dib, dib.sliced(std::min<qsizetype>(bitsAt, dib.size())), paletteIndices, dest, source, fromBottom, rop);
}

QRectF destOf(const Record& r, qint64 at) // y, x, then height and width before them
{
    return QRectF(r.s16(at + 2), r.s16(at), r.s16(at - 2), r.s16(at - 4));
}

void text(Canvas& c, const Record& r, bool extended)
{
    if (!extended) {
        const qint64 count = r.u16(6);
        const qint64 stringAt = 8, after = stringAt + (count + 1) / 2 * 2;
        const QByteArrayView bytes = r.bytes(stringAt, count);
        if (r.whole())
            c.text(reversedPoint(r, after), decodeText(bytes, c.dc.font.charSet), {}, 0, std::nullopt);
        return;
    }
    const QPointF at = reversedPoint(r, 6);
    const qint64 count = r.s16(10);
    const quint16 options = r.u16(12);
    std::optional<QRectF> box;
    qint64 stringAt = 14;
    if (options & 0x0006) { // ETO_OPAQUE, ETO_CLIPPED: a rectangle follows
        box = QRectF(QPointF(r.s16(14), r.s16(16)), QPointF(r.s16(18), r.s16(20)));
        stringAt = 22;
    }
    const QByteArrayView bytes = r.bytes(stringAt, count);
    if (!r.whole() || count < 0)
        return;
    const QString decoded = decodeText(bytes, c.dc.font.charSet);
    // Advances for each byte, when the record holds them; a double-byte
    // character's two advances place it as one.
    const qint64 dxAt = stringAt + (count + 1) / 2 * 2;
    std::vector<double> advances;
    if (r.has(dxAt, count * 2)) {
        for (qint64 i = 0; i < count;) {
            const bool twoBytes = decoded.size() < count && quint8(bytes[i]) >= 0x81 && i + 1 < count;
            advances.push_back(r.s16(dxAt + 2 * i) + (twoBytes ? r.s16(dxAt + 2 * i + 2) : 0));
            i += twoBytes ? 2 : 1;
        }
        if (qsizetype(advances.size()) != decoded.size())
            advances.clear();
    }
    c.text(at, decoded, advances, options, box);
}

bool play(Canvas& c, const Record& r, quint16 function)
{
    if (!c.spend(recordWork))
        return false;
    switch (function) {
    case 0x0201: c.dc.backColour = colourRef(r.u32(6)); break;          // SetBkColor
    case 0x0102: c.dc.opaque = r.u16(6) == 2; break;                    // SetBkMode
    case 0x0103: c.setMapMode(r.u16(6)); break;                         // SetMapMode
    case 0x0106: c.dc.fillRule = r.u16(6) == 2 ? Qt::WindingFill : Qt::OddEvenFill; break; // SetPolyFillMode
    case 0x0209: c.dc.textColour = colourRef(r.u32(6)); break;          // SetTextColor
    case 0x012E: c.dc.textAlign = r.u16(6); break;                      // SetTextAlign
    case 0x020B: c.dc.windowOrg = reversedPoint(r, 6); break;           // SetWindowOrg
    case 0x020F: c.dc.windowOrg += reversedPoint(r, 6); break;          // OffsetWindowOrg
    case 0x020D: c.dc.viewportOrg = reversedPoint(r, 6); break;         // SetViewportOrg
    case 0x0211: c.dc.viewportOrg += reversedPoint(r, 6); break;        // OffsetViewportOrg
    case 0x020C:                                                        // SetWindowExt
        if (const QSizeF e = reversedSize(r, 6); e.width() != 0 && e.height() != 0)
            c.dc.windowExt = e;
        break;
    case 0x020E:                                                        // SetViewportExt
        if (const QSizeF e = reversedSize(r, 6); e.width() != 0 && e.height() != 0)
            c.setViewportExt(e);
        break;
    case 0x0410: c.scaleWindow(r.s16(12), r.s16(10), r.s16(8), r.s16(6)); break;   // ScaleWindowExt
    case 0x0412: c.scaleViewport(r.s16(12), r.s16(10), r.s16(8), r.s16(6)); break; // ScaleViewportExt
    case 0x0213: c.lineTo(reversedPoint(r, 6)); break;                  // LineTo
    case 0x0214: c.moveTo(reversedPoint(r, 6)); break;                  // MoveTo
    case 0x0415: c.excludeClip(reversedRect(r, 6)); break;              // ExcludeClipRect
    case 0x0416: c.intersectClip(reversedRect(r, 6)); break;            // IntersectClipRect
    case 0x0220: c.offsetClip(reversedPoint(r, 6)); break;              // OffsetClipRgn
    case 0x0817:                                                        // Arc
    case 0x0830:                                                        // Chord
    case 0x081A: {                                                      // Pie
        const int kind = function == 0x0817 ? 0 : function == 0x0830 ? 1 : 2;
        c.shape(arcPath(kind, reversedRect(r, 14), reversedPoint(r, 10), reversedPoint(r, 6), false), kind != 0);
        break;
    }
    case 0x0418: c.box(reversedRect(r, 6), {}, true); break;            // Ellipse
    case 0x041B: c.box(reversedRect(r, 6), {}, false); break;           // Rectangle
    case 0x061C: c.box(reversedRect(r, 10), reversedSize(r, 6), false); break; // RoundRect
    case 0x061D:                                                        // PatBlt
        c.fillRect(QRectF(reversedPoint(r, 14), reversedSize(r, 10)), c.dc.brush, r.u32(6));
        break;
    case 0x001E: c.save(); break;                                       // SaveDC
    case 0x0127: c.restore(r.s16(6)); break;                            // RestoreDC
    case 0x041F: c.setPixel(reversedPoint(r, 10), colourRef(r.u32(6))); break; // SetPixel
    case 0x0521: text(c, r, false); break;                              // TextOut
    case 0x0A32: text(c, r, true); break;                               // ExtTextOut
    case 0x0324:                                                        // Polygon
    case 0x0325: {                                                      // Polyline
        const QPolygonF points = pointsAt(r, 8, r.s16(6));
        if (function == 0x0325)
            c.polyline(points);
        else
            c.polygons({points});
        break;
    }
    case 0x0538: {                                                      // PolyPolygon
        const qint64 polygons = r.u16(6);
        std::vector<QPolygonF> rings;
        qint64 at = 8 + 2 * polygons;
        for (qint64 i = 0; i < polygons && r.whole(); ++i) {
            const qint64 count = r.u16(8 + 2 * i);
            rings.push_back(pointsAt(r, at, count));
            at += 4 * count;
        }
        if (r.has(0, at))
            c.polygons(rings);
        break;
    }
    case 0x012D: c.select(r.u16(6)); break;                             // SelectObject
    case 0x01F0: c.remove(r.u16(6)); break;                             // DeleteObject
    case 0x02FA: {                                                      // CreatePenIndirect
        const quint16 style = r.u16(6);
        const double width = r.s16(8);
        createObject(c, PenSpec{style, width, width <= 1, colourRef(r.u32(12))});
        break;
    }
    case 0x02FB: createObject(c, fontOf(r)); break;                     // CreateFontIndirect
    case 0x02FC: createObject(c, BrushSpec{r.u16(6), colourRef(r.u32(8)), r.u16(12), {}}); break; // CreateBrushIndirect
    case 0x06FF: createObject(c, regionOf(r)); break;                   // CreateRegion
    case 0x0142: {                                                      // DIBCreatePatternBrush
        const QByteArrayView dib = r.bytes(10, r.size() - 10);
        const std::optional<DibHeader> h = readDibHeader(dib, {});
        const auto brush = h ? dibBrush(c, dib, dib.sliced(std::min<qsizetype>(h->packedBitsAt(), dib.size())), r.u16(8) == 1)
                             : std::nullopt;
        createObject(c, brush ? GdiObject(*brush) : GdiObject(BrushSpec{0, Qt::black, 0, {}}));
        break;
    }
    case 0x00F7: case 0x00F8: case 0x01F9: case 0x02FD: case 0x06FE:   // palettes, old bitmaps and their brushes
        createObject(c, OtherObject());
        break;
    case 0x012C:                                                        // SelectClipRegion
        if (const auto* region = std::get_if<RegionSpec>(c.object(r.u16(6)))) {
            if (const auto pixels = regionOn(c, *region))
                c.combineClip(*pixels, 5);
        } else {
            c.resetClip();
        }
        break;
    case 0x0228:                                                        // FillRegion
    case 0x012B: {                                                      // PaintRegion
        const auto* region = std::get_if<RegionSpec>(c.object(r.u16(6)));
        const auto* brush = function == 0x0228 ? std::get_if<BrushSpec>(c.object(r.u16(8))) : &c.dc.brush;
        const auto pixels = region && brush ? regionOn(c, *region) : std::nullopt;
        if (pixels)
            c.fillRegion(*pixels, *brush);
        break;
    }
    case 0x0940: {                                                      // DIBBitBlt
        const bool withBitmap = r.size() > 24;
        const qint64 destAt = withBitmap ? 18 : 20;
        const QRectF dest = destOf(r, destAt);
        blit(c, r, withBitmap ? 22 : r.size(), false, dest, QRectF(reversedPoint(r, 10), dest.size()), r.u32(6));
        break;
    }
    case 0x0B41: {                                                      // DIBStretchBlt
        const bool withBitmap = r.size() > 28;
        const qint64 destAt = withBitmap ? 22 : 24;
        blit(c, r, withBitmap ? 26 : r.size(), false, destOf(r, destAt),
             QRectF(reversedPoint(r, 14), reversedSize(r, 10)), r.u32(6));
        break;
    }
    case 0x0F43:                                                        // StretchDIBits
        blit(c, r, 28, r.u16(10) == 1, destOf(r, 24), QRectF(reversedPoint(r, 16), reversedSize(r, 12)), r.u32(6), true);
        break;
    case 0x0D33: {                                                      // SetDIBitsToDevice
        const QRectF dest = destOf(r, 20);
        blit(c, r, 24, r.u16(6) == 1, dest, QRectF(reversedPoint(r, 12), dest.size()), 0x00CC0020, true);
        break;
    }
    default:
        break; // what this system does not draw, as GDI skips a record it does not know
    }
    return !c.refused();
}

} // namespace

Opened openWmf(const QByteArray& bytes)
{
    const std::optional<Layout> layout = layoutOf(bytes);
    if (!layout)
        return {MetafileFault::Damaged};
    Opened opened;
    opened.objects = layout->objects;
    if (layout->placeable) {
        const Record p(bytes.constData(), U_SIZE_WMRPLACEABLE);
        const double left = p.s16(6), top = p.s16(8), right = p.s16(10), bottom = p.s16(12), inch = p.u16(14);
        const std::optional<QSize> size = pictureSize(right - left, bottom - top, inch);
        if (!size)
            return refusedSize(right - left, bottom - top, inch);
        // A placeable metafile plays with its box as the window and the
        // picture as the viewport; its own window records override the first.
        opened.setup.picture = *size;
        opened.setup.devicePixelsPerMm = screenDotsPerInch / 25.4;
        return opened;
    }
    // No physical size: the box of what it draws, in its own units, taken as
    // points (72 an inch) for a small drawing and as twips (1440) for a large one.
    DeviceSetup measure;
    measure.picture = QSize(1, 1);
    Canvas canvas(nullptr, measure, layout->objects);
    playWmf(bytes, canvas);
    if (canvas.refused())
        return {MetafileFault::TooCostly};
    opened.measuringWork = canvas.spent();
    const QRectF box = canvas.drawnBox();
    if (!(box.width() > 0 && box.height() > 0 && std::isfinite(box.width() + box.height())))
        return {MetafileFault::Damaged};
    const double perInch = box.width() * box.height() < 1024.0 * 1024.0 ? 72 : 1440;
    const std::optional<QSize> size = pictureSize(box.width(), box.height(), perInch);
    if (!size)
        return refusedSize(box.width(), box.height(), perInch);
    opened.setup.picture = *size;
    opened.setup.deviceToPicture = QTransform::fromTranslate(-box.left(), -box.top())
                                   * QTransform::fromScale(size->width() / box.width(), size->height() / box.height());
    return opened;
}

void playWmf(const QByteArray& bytes, Canvas& canvas)
{
    const std::optional<Layout> layout = layoutOf(bytes);
    if (!layout)
        return;
    canvas.dc.mapMode = U_MM_ANISOTROPIC;
    if (layout->placeable) {
        const Record p(bytes.constData(), U_SIZE_WMRPLACEABLE);
        canvas.dc.windowOrg = QPointF(p.s16(6), p.s16(8));
        canvas.dc.windowExt = QSizeF(p.s16(10) - p.s16(6), p.s16(12) - p.s16(8));
        canvas.setViewportExt(QSizeF(canvas.picture()));
    }
    walk(bytes, layout->first, [&canvas](const Record& r, quint16 function) { return play(canvas, r, function); });
}

} // namespace kv::metafile

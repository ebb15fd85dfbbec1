// Inside the metafile reader: what the WMF and EMF players share (arcs, text
// in its character set, the bitmap records) and the players themselves.
#pragma once

#include "platform/metafile/metafile.h"
#include "platform/metafile/metafile_canvas.h"
#include "platform/metafile/metafile_record.h"

#include <QByteArrayView>

#include <optional>

namespace kv::metafile {

// The first four bytes of a placeable WMF (its placeable header's key).
constexpr quint32 wmfPlaceableKey = 0x9AC6CDD7;
// Whether the bytes start with a WMF's standard header: its type, its size
// (9 words) and a version the players read. Reads the first six bytes.
bool startsWmfHeader(QByteArrayView bytes);

constexpr double screenDotsPerInch = 96.0;
// The smallest and largest number a metafile's coordinates may reach and
// still be drawn: far beyond any picture, small enough for the painter.
constexpr double maxCoordinate = 1e9;

// The picture of a frame width x height units large, counted perInch to the
// inch: its size in pixels at 96 dots an inch, scaled down in its own
// proportion to fit the largest picture (sides up to maxMetafileSide, no more
// pixels than the image readers would allocate), a side at least a pixel.
// None when the frame cannot be a picture: empty or not finite.
std::optional<QSize> fittedPicture(double width, double height, double perInch);

// What a metafile is drawn with, or why it is not drawn, found before its
// records are played.
struct Opened {
    Opened() = default;
    Opened(MetafileFault refusal) : fault(refusal) {}
    MetafileFault fault = MetafileFault::None;
    DeviceSetup setup;
    std::size_t objects = 0;
    double measuringWork = 0; // counted playing the records to measure the drawing's frame, out of the same budget
};

// renderMetafile within a budget of its own (metafile_cost.h).
MetafileRead render(const QByteArray& bytes, const std::function<bool(QSize)>& fits, double budget);

Opened openWmf(const QByteArray& bytes);
void playWmf(const QByteArray& bytes, Canvas& canvas);
Opened openEmf(const QByteArray& bytes);
void playEmf(const QByteArray& bytes, Canvas& canvas);

enum class ArcShape { Arc, Chord, Pie };

// An arc, chord or pie in a box from one radial point to another, as a path
// in logical units. The same start and end point give the whole ellipse.
QPainterPath arcPath(ArcShape shape, const QRectF& box, QPointF start, QPointF end, bool clockwise);

// count palette entries from at, each red, green, blue and a flags byte;
// none when they are not all inside the record.
std::vector<QRgb> paletteEntriesAt(const Record& r, qint64 at, qint64 count);

// Text bytes in the code page of a font's character set.
QString decodeText(QByteArrayView bytes, int charSet);

// A device-independent bitmap as a record holds it: its header and colour
// table (info), its pixels (bits), and what the colour table holds (the
// record's usage: U_DIB_RGB_COLORS, or U_DIB_PAL_COLORS for indices into the
// palette).
struct RecordDib {
    QByteArrayView info;
    QByteArrayView bits;
    quint32 usage = 0;
};

// Where a bitmap record counts its source rectangle's rows from: the top of
// the DIB's pixels, or, for a bottom-up DIB, their bottom row.
enum class SourceRows { FromTop, FromBottom };

// A bitmap record: its DIB counted, decoded and drawn over the logical
// rectangle dest from the source rectangle of the DIB's pixels. No DIB (info
// empty): dest filled with the brush by the raster operation.
void drawDib(Canvas& canvas, const RecordDib& dib, const QRectF& dest, QRectF source, SourceRows rows, quint32 rop);

// The brush of a pattern brush record, its DIB counted and decoded; a DIB
// that cannot be read (or one past the budget) makes a solid black brush.
BrushSpec patternBrush(Canvas& canvas, const RecordDib& dib);

} // namespace kv::metafile

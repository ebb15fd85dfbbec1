// Inside the metafile reader: what the WMF and EMF players share (reading a
// record's fields inside its bounds, arcs, text in its character set, the
// bitmap records) and the players themselves.
#pragma once

#include "platform/metafile/metafile.h"
#include "platform/metafile/metafile_canvas.h"

#include <QByteArrayView>
#include <QtEndian>

#include <cstring>
#include <optional>

namespace kv::metafile {

// One record's bytes. Every field is read inside them: a field past the end
// reads as zero and marks the record short, and the player skips it.
class Record {
public:
    Record(const char* data, qint64 size) : data_(data), size_(size) {}
    qint64 size() const { return size_; }
    const char* data() const { return data_; }
    bool has(qint64 at, qint64 count) const { return at >= 0 && count >= 0 && at <= size_ && count <= size_ - at; }
    bool whole() const { return !short_; }

    template <typename T>
    T get(qint64 at) const
    {
        if (!has(at, qint64(sizeof(T)))) {
            short_ = true;
            return T();
        }
        return qFromLittleEndian<T>(data_ + at);
    }
    quint16 u16(qint64 at) const { return get<quint16>(at); }
    qint16 s16(qint64 at) const { return get<qint16>(at); }
    quint32 u32(qint64 at) const { return get<quint32>(at); }
    qint32 s32(qint64 at) const { return get<qint32>(at); }
    float f32(qint64 at) const
    {
        const quint32 bits = u32(at);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    // count bytes from at; empty (and the record short) when they are not all there.
    QByteArrayView bytes(qint64 at, qint64 count) const
    {
        if (!has(at, count)) {
            short_ = true;
            return {};
        }
        return QByteArrayView(data_ + at, qsizetype(count));
    }

private:
    const char* data_;
    qint64 size_;
    mutable bool short_ = false;
};

constexpr double screenDotsPerInch = 96.0;
// The smallest and largest number a metafile's coordinates may reach and
// still be drawn: far beyond any picture, small enough for the painter.
constexpr double maxCoordinate = 1e9;

// The picture's size in pixels from its width and height in units counted
// perInch to the inch; none when it is empty, not finite, has a side beyond
// maxMetafileSide, or more pixels than the image readers would allocate.
std::optional<QSize> pictureSize(double width, double height, double perInch);

// Why a metafile is not drawn before its records are played, with the size
// it claims when that is too large.
struct Opened {
    Opened() = default;
    Opened(MetafileFault refusal) : fault(refusal) {}
    MetafileFault fault = MetafileFault::None;
    DeviceSetup setup;
    std::size_t objects = 0;
    QSize claimed;
    double measuringWork = 0; // counted playing the records to measure the drawing's box, out of the same budget
};
Opened refusedSize(double width, double height, double perInch);

// renderMetafile within a budget of its own (metafile_cost.h).
MetafileRead render(const QByteArray& bytes, const std::function<bool(QSize)>& fits, double budget);

Opened openWmf(const QByteArray& bytes);
void playWmf(const QByteArray& bytes, Canvas& canvas);
Opened openEmf(const QByteArray& bytes);
void playEmf(const QByteArray& bytes, Canvas& canvas);

// Arc, chord and pie in a box from one radial point to another, as a path in
// logical units; kind 0 arc, 1 chord, 2 pie. The same start and end point
// give the whole ellipse.
QPainterPath arcPath(int kind, const QRectF& box, QPointF start, QPointF end, bool clockwise);

// Text bytes in the code page of a font's character set.
QString decodeText(QByteArrayView bytes, int charSet);

// A bitmap record: its DIB (header and colour table in info, pixels in bits)
// counted, decoded and drawn over the logical rectangle; the source is in
// the DIB's pixels from its top left. Empty bits: a fill with the brush.
void drawDib(Canvas& canvas, QByteArrayView info, QByteArrayView bits, bool paletteIndices, const QRectF& dest,
             QRectF source, bool sourceFromBottom, quint32 rop);
// A pattern brush from a DIB (counted and decoded); none when it cannot be read.
std::optional<BrushSpec> dibBrush(Canvas& canvas, QByteArrayView info, QByteArrayView bits, bool paletteIndices);

} // namespace kv::metafile

// Inside the metafile reader: what the WMF and EMF conversions share, and the
// conversions themselves. Each checks the metafile's structure before its
// converter sees it, and gives nothing for a metafile it refuses.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QtEndian>

#include <optional>

class QSvgRenderer;

namespace kv::metafile {

inline quint16 u16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); }
inline qint16 s16(const QByteArray& b, qsizetype at) { return qFromLittleEndian<qint16>(b.constData() + at); }
inline quint32 u32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); }
inline qint32 s32(const QByteArray& b, qsizetype at) { return qFromLittleEndian<qint32>(b.constData() + at); }

// A WMF's standard header: on disk or in memory, nine words long, Windows 2 or 3.
inline bool isWmfHeader(const QByteArray& b, qsizetype at)
{
    if (b.size() - at < 6)
        return false;
    const quint16 type = u16(b, at), headerWords = u16(b, at + 2), version = u16(b, at + 4);
    return (type == 1 || type == 2) && headerWords == 9 && (version == 0x0100 || version == 0x0300);
}

constexpr quint32 wmfPlaceableKey = 0x9AC6CDD7;
constexpr quint32 emfSignature = 0x464D4520; // " EMF", at byte 40

constexpr double screenDotsPerInch = 96.0;

// The picture's size in pixels from its width and height in units counted
// perInch to the inch; none when it is empty, not finite, has a side beyond
// maxMetafileSide, or more pixels than the image readers would allocate.
std::optional<QSize> pictureSize(double width, double height, double perInch);

struct SvgPicture {
    QByteArray svg;
    QSize size;     // of the image, in pixels
    QRectF viewBox; // what of the SVG fills the image
};

// Why a conversion gave no picture.
enum class Refusal { Damaged, TooCostly, TooLarge };

// The drawing budget. Each part is counted, not timed, so a metafile is
// drawn or refused alike on a busy and an idle machine. A map of tens of
// thousands of records, an outline traced with a hundred thousand points or
// a few thousand shapes stays well inside, and the costliest metafile inside
// converts, parses and draws in a few seconds. Before conversion: records,
// and the bytes of records other than bitmaps (about the points and shapes
// the converters write out). After it: the SVG's size, and the work of
// drawing it, in pixels covered plus a weight for every point and shape.
constexpr qint64 maxMetafileRecords = 50000;
constexpr qint64 maxVectorRecordBytes = 2 * 1024 * 1024;
constexpr qsizetype maxSvgBytes = 24 * 1024 * 1024;
constexpr double drawnPixelsPerPoint = 1000; // a point of a path costs about as much as this many pixels filled
constexpr double strokedPixelWeight = 20;     // a stroke's pixel against a fill's
constexpr double strokeEdgeWidth = 2;         // what a stroke's outline adds to its width
constexpr double maxDrawingWork = 1e9;       // under a second of drawing, about 4 s on a busy machine

struct Conversion {
    std::optional<SvgPicture> picture;
    Refusal refusal = Refusal::Damaged; // when there is none
    QSize claimed;                      // TooLarge: the size the metafile asks for
};

// The refusal of a metafile pictureSize gave no size: TooLarge with the size
// it asks for when it has one, Damaged when it is empty or not finite.
Conversion refusedSize(double width, double height, double perInch);

Conversion wmfToSvg(const QByteArray& bytes);
Conversion emfToSvg(const QByteArray& bytes);

// What playing the SVG onto a picture of this size asks the painter to draw.
struct DrawingCost {
    double pixels = 0;
    qint64 points = 0;
    qint64 shapes = 0;
};

DrawingCost drawingCost(QSvgRenderer& renderer, QSize size);
bool withinBudget(const DrawingCost& cost);

} // namespace kv::metafile

// Inside the WMF player: a record's fields, and its records in families,
// each played by its own function (metafile_wmf_state.cpp: state, objects and
// regions; metafile_wmf_draw.cpp: shapes, text and bitmaps).
#pragma once

#include "platform/metafile/metafile_player.h"

#include <uwmf.h>

namespace kv::metafile {

// Where a record's parameters start, after its size and function.
constexpr qint64 wmfParameters = U_SIZE_METARECORD;

// GDI lists a record's parameters last first: y before x, bottom right
// before top left, height before width.
inline QPointF reversedPoint(const Record& r, qint64 at) { return QPointF(r.s16(at + 2), r.s16(at)); }
inline QSizeF reversedSize(const Record& r, qint64 at) { return QSizeF(r.s16(at + 2), r.s16(at)); }
inline QRectF reversedRect(const Record& r, qint64 at)
{
    return QRectF(QPointF(r.s16(at + 6), r.s16(at + 4)), QPointF(r.s16(at + 2), r.s16(at)));
}

// Each plays a record of its family (type: the function's low byte, a
// U_WMR_* value) and is false for the records of other families. The record
// holds at least the smallest size of its function.
bool playWmfState(Canvas& c, const Record& r, int type);
bool playWmfObject(Canvas& c, const Record& r, int type);
bool playWmfRegion(Canvas& c, const Record& r, int type);
bool playWmfShape(Canvas& c, const Record& r, int type);
bool playWmfText(Canvas& c, const Record& r, int type);
bool playWmfBitmap(Canvas& c, const Record& r, int type);

// The DIB packed in a record from at to its end (header, colour table,
// pixels); none when less than the smallest DIB header is there.
RecordDib packedDib(const Record& r, qint64 at, quint32 usage);

} // namespace kv::metafile

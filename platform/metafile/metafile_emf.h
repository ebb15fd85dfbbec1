// Inside the EMF player: the drawing records, apart from the state records
// and the objects (metafile_emf.cpp).
#pragma once

#include "platform/metafile/metafile_player.h"

namespace kv::metafile {

// A record's point, size and box (left, top, right, bottom) at at, in 32-bit fields.
inline QPointF pointAt(const Record& r, qint64 at) { return QPointF(r.s32(at), r.s32(at + 4)); }
inline QSizeF sizeAt(const Record& r, qint64 at) { return QSizeF(r.s32(at), r.s32(at + 4)); }
inline QRectF boxAt(const Record& r, qint64 at)
{
    return QRectF(QPointF(r.s32(at), r.s32(at + 4)), QPointF(r.s32(at + 8), r.s32(at + 12)));
}

// Plays a drawing record (shapes, paths, clipping, regions, text, bitmaps),
// already checked whole; false for a record of another type.
bool playEmfDrawing(Canvas& canvas, const Record& record, quint32 type);

} // namespace kv::metafile

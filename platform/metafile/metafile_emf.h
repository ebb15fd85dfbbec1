// Inside the EMF player: the drawing records, apart from the state records.
#pragma once

#include "platform/metafile/metafile_player.h"

namespace kv::metafile {

// Whether the player draws or keeps something of a record of this type.
bool emfPlays(quint32 type);

// A drawing record (shapes, paths, clipping, text, bitmaps); others are skipped.
bool playEmfDrawing(Canvas& canvas, const Record& record, quint32 type);

} // namespace kv::metafile

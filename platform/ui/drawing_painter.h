// Draws a diagram's items on a picture box, in order, with the picture box's
// own methods, so an item looks the same as a window's direct drawing call. The
// whole drawing is one drawing batch: one painter, one repaint at the end. The
// picture is not cleared first; its scale is the one it already has.
#pragma once

#include "platform/draw/drawing.h"

namespace kv {

class PictureBox;

// Colour, width, style and font size stay as the last item set them, as the
// picture box keeps its drawing state for whatever is drawn next.
void paintDrawing(PictureBox& picture, const Drawing& drawing);

} // namespace kv

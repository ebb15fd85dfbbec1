// Drawing a joint rose on the rose window's picture: the net frame with its
// ticks and compass letters, the title, the rose polygon in the rose's colour
// and the legend line. The rose itself (classes, vertices, legend pieces) comes
// from the computation in attitude/core/rose.h; this file only draws it.
#pragma once

#include "attitude/core/rose.h"

namespace kv {

class PictureBox;

// Sizes the picture to the rose frame's square (300 x 300 pixels) and gives it
// the frame's scale: origin in the centre, x east, y north, 1 unit = 1 pixel.
void setUpRosePicture(PictureBox& picture);

// Clears the picture and draws the whole diagram. Colour and line width are
// left as the drawing set them last (black, width 1), as the picture box keeps
// them for whatever is drawn next.
void drawRose(PictureBox& picture, const RoseDiagram& rose);

// The pieces, in drawing order.
void drawRoseFrame(PictureBox& picture, const RoseFrame& frame);
void printRoseTitle(PictureBox& picture, const RoseFrame& frame, const RoseDiagram& rose);
void drawRosePolygon(PictureBox& picture, const RoseDiagram& rose);
void printRoseLegend(PictureBox& picture, const RoseFrame& frame, const RoseDiagram& rose);

} // namespace kv

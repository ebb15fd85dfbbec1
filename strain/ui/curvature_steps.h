// The line-curvature tool's steps on its picture, plot and table, shared by
// the window and the benchmark that times what the window does.
#pragma once

#include "strain/core/curvature_pass.h"
#include "strain/core/pixel_map.h"

#include <QSize>

#include <vector>

namespace kv {

class DataGrid;
class PictureBox;

// The shown picture's pixel map at the threshold; the picture then shows the
// map in black and white.
PixelMap binariseShownPicture(PictureBox& picture, int threshold, const PassProgress& progress = {});

// One thinning step on the map; its deleted pixels whiten in place on the
// picture (the picture is not copied per click). False when nothing was
// deleted: thinning has come to its end.
bool thinShownPicture(PictureBox& picture, PixelMap& map, const PassProgress& progress = {});

// The plot keeps what it shows when it takes a new size: the old drawing stays
// at the top left, new area is white.
void resizeKeepingDrawing(PictureBox& plot, const QSize& size);

// The result table: row r (from 1) holds r, the column, the height and the
// curvature of rows[r - 1]; the header row stays.
void fillCurvatureTable(DataGrid& grid, const std::vector<CurvatureRow>& rows);

} // namespace kv

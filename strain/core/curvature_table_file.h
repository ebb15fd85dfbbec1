// The curvature table as an x, y, value file: one line per listed pixel, the
// texts of columns 1 to 3 exactly as the table holds them, each starting the
// next print zone; the row number of column 0 is not written.
#pragma once

#include "kit/core/table_cells.h"

#include <string>
#include <vector>

namespace kv {

// Rows 1 to rowCount − 1, up to the first whose column 1 is blank.
std::vector<std::string> curvatureTableLines(const CellText& cell, int rowCount);

} // namespace kv

// A data table's cells as the computation reads them: row and column to UTF-8 text.
#pragma once

#include "kit/core/table_cells.h"

namespace kv {

class DataGrid;

// Reads the live table: the table must outlive the function.
CellText gridCells(const DataGrid& grid);

} // namespace kv

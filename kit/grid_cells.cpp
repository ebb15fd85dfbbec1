#include "kit/grid_cells.h"

#include "platform/ui/data_grid.h"

namespace kv {

CellText gridCells(const DataGrid& grid)
{
    return [&grid](int row, int column) { return grid.textMatrix(row, column).toStdString(); };
}

} // namespace kv

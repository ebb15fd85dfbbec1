// Tables the diagram benchmarks read, as the windows' cell texts.
#pragma once

#include "kit/core/table_cells.h"

#include <string>
#include <vector>

namespace kv::bench {

using Rows = std::vector<std::vector<std::string>>;

// The rows as a table's cell function (row and column from 1); a cell
// beyond them is empty.
CellText cellsOf(const Rows& rows);

// 499 planes: two joint sets and a scatter of steep planes (many copies at
// the net's rim).
const Rows& jointSets();

} // namespace kv::bench

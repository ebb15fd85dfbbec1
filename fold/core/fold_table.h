// The data tables of the fold diagrams, read through a function that returns a
// cell's text, so the computation needs no table widget: rows 1 to 499 hold
// one bed each, its dip direction in column 1 and its dip in column 2.
#pragma once

#include "kit/core/table_cells.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Last table row that can hold a bed.
inline constexpr int kFoldTableLastRow = 499;

// The attitude-file record lines of rows 1 to lastRow, ending at the first row
// whose dip direction is empty. Empty when a row before it has an empty dip or
// a number that a record cannot hold, so nothing is written.
std::optional<std::vector<std::string>> attitudeTableLines(const CellText& cell, int lastRow);

} // namespace kv

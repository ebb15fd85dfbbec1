// The reverse-wheel count table as a text file: one line per table row from
// row 1 on, the angle and the count, each as print text (sign blank, shortest
// digits, trailing blank), the count starting the next 14-column print zone.
// The program writes this file and never reads it.
#pragma once

#include "kit/core/table_cells.h"

#include <string>
#include <variant>
#include <vector>

namespace kv {

// A row whose values cannot be written: its count does not fit in 32 bits or
// its angle in single precision (the window's counts never do this).
struct CountTableUnwritable {
    int row = 0;
};

// The file's lines from the count table (column 1 angle, column 2 count),
// ending before the first row whose angle text is empty; an empty table gives
// no line. The count is rounded halves to even.
std::variant<std::vector<std::string>, CountTableUnwritable> countTableLines(const CellText& cell);

} // namespace kv

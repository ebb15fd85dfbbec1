// The data tables of the fold diagrams, read through a function that returns a
// cell's text, so the computation needs no table widget: rows 1 to 499 hold
// one bed each, its dip direction in column 1 and its dip in column 2.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Cell text at (row, column); rows from 1, columns 1 and 2.
using FoldCellText = std::function<std::string(int row, int column)>;

// Last table row that can hold a bed.
inline constexpr int kFoldTableLastRow = 499;

// True when the cell holds nothing but blanks.
bool isEmptyCell(std::string_view text);

// A cell text that must be one number as a whole (blanks around it allowed,
// "&H" and "&O" numbers too), in single precision. Empty for anything else:
// "1.2.3", a lone "-", letters, or a number beyond the single range.
std::optional<float> singleOfNumberText(std::string_view text);

// The attitude-file record lines of rows 1 to lastRow, ending at the first row
// whose dip direction is empty. Empty when a row before it has an empty dip or
// a number that a record cannot hold, so nothing is written.
std::optional<std::vector<std::string>> attitudeTableLines(const FoldCellText& cell, int lastRow);

} // namespace kv

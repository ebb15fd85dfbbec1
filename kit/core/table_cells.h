// A tool's data table read without its widget: a function gives the text of a
// cell. Row 0 holds the titles and column 0 the row numbers; data start at (1, 1).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

using CellText = std::function<std::string(int row, int column)>;

// True when the text holds nothing but blanks.
bool isBlankCell(std::string_view text);

// A cell that must hold one number as a whole (blanks around it allowed,
// "&H"/"&O" numbers and D exponents too); a cell holding anything else is
// refused, never read as part of a number or as 0. Empty for "", "abc",
// "3 apples", "1,2".
std::optional<double> numberOfCellText(std::string_view text);

// The same number in single precision. Empty also for "1.2.3", a lone "-" and
// a number beyond the single range.
std::optional<float> singleOfCellText(std::string_view text);

} // namespace kv

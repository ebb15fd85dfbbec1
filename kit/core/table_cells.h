// A tool's data table read without its widget: a function gives the text of a
// cell. Row 0 holds the titles and column 0 the row numbers; data start at (1, 1).
#pragma once

#include <functional>
#include <string>

namespace kv {

using CellText = std::function<std::string(int row, int column)>;

// True when the text holds nothing but blanks.
bool isBlankCell(const std::string& text);

} // namespace kv

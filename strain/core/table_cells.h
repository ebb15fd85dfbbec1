// How the strain computations read a tool window's data table: through a
// function returning a cell's text, so they need no widget and are tested on
// plain strings.
#pragma once

#include "strain/core/notice.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// Text of the table cell at (row, column); row 0 is the header row.
using TableCell = std::function<std::string(int row, int column)>;

// The text without blanks and tabs at either end.
std::string trimBlanks(std::string_view text);

// The number a strict conversion takes from a whole text (surrounding blanks
// allowed): "12.5 " gives 12.5; "", "abc", "3 apples" and "1,2" give nothing.
// Unlike the lenient val(), this is how a cell is converted where the old
// program would stop with a type mismatch.
std::optional<double> strictNumber(std::string_view text);

} // namespace kv

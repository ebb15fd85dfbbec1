// The text items of the preferred-orientation and petrofabric data files,
// written so that the program reads back its own files: header items as
// ItemReader::nextText reads them ("2020 东山" is one description), record
// items as ItemReader::next and readRecords (kit/core/attitude_record.h) do.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kv {

// A header text as the file writes it: in double quotes when it holds a
// comma, starts with a double quote or has blanks at either end, else as it
// is. Empty when it cannot be read back whole: it holds both a comma and a
// double quote, or a line end.
std::optional<std::string> headerTextItem(std::string_view text);

// A text item of a record, read back by ItemReader: as it is when it reads back
// as the same cell text, else in double quotes ("n,s", " w", "5 x", "045");
// empty when it would need quotes and holds a double quote (ItemReader's
// quoted item ends at the first one), or holds a line end.
std::optional<std::string> recordTextItem(std::string_view text);

} // namespace kv

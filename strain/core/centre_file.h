// The Fry tool's centre file: one centre per line, the x text, blanks to the
// next 14-column print zone, the y text; the texts are the table's cell texts
// as they stand. Read back item by item (commas, blanks or line ends between
// items), two items a centre.
#pragma once

#include "platform/text/text_file.h"
#include "strain/core/object_centres.h"
#include "kit/core/table_cells.h"
#include "strain/core/notice.h"

#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kv {

// Cell texts of the table rows: column 1, column 2.
using CentreRow = std::pair<std::string, std::string>;

struct CentreTable {
    std::vector<CentreRow> rows; // at most kMostCentres
    bool truncated = false;      // the file held more centres than the table's rows
};

enum class CentreFileRefusal {
    CannotOpen,   // missing, unreadable, or too large to be a centre file
    BadEncoding,  // not text in the system code page
    OddItemCount, // an x without its y
};

Notice centreFileNotice(CentreFileRefusal refusal);
// Told once when centres beyond the table's 199 rows were left out.
Notice tooManyCentresNotice();

// Items of a decoded file: a numeric item becomes the shortest text of its
// number ("7.50" gives "7.5"), any other item is kept as written.
std::variant<CentreTable, CentreFileRefusal> parseCentreFile(const std::string& text);
std::variant<CentreTable, CentreFileRefusal> readCentreFile(const std::string& path);

// Lines for the table's rows 1 to 199, ending before the first row whose x or
// y text is blank. A text stands as it is when the line reads back as it (or
// as the number it shows: "7.50" gives 7.5); any other, such as a word
// before the y, is put in double quotes. Empty when a text would need them
// and holds a double quote or a line end: nothing is written.
std::optional<std::vector<std::string>> centreFileLines(const CellText& cell);

} // namespace kv

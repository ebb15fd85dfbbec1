// The grid method's pair of grid point files: the points before deformation in
// one file, the same points after deformation in the other, row by row of the
// grid. Line 1: count, rows, cols; then one point (x, y) a line; every number
// as print text starting a 14-column print zone.
#pragma once

#include "platform/text/text_file.h"
#include "kit/core/table_cells.h"
#include "strain/core/notice.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kv {

// Last data row of the grid table.
constexpr int kGridTableLastRow = 499;

// One grid point before and after deformation, single precision.
struct GridPointPair {
    float x0 = 0, y0 = 0; // before
    float x1 = 0, y1 = 0; // after
};

struct GridData {
    std::int16_t rows = 0;
    std::int16_t cols = 0;
    std::vector<GridPointPair> points; // rows x cols of them, row by row
};

enum class GridDataRefusal {
    CannotOpen,     // a file missing or unreadable
    BadData,        // encoding, a non-numeric or out-of-range number, headers that disagree,
                    // too few points, more points than the table's 499 rows,
                    // or (saving) an incomplete table
    CannotWrite,
};

// "数据有误，请检查！" (title "提示") for every refusal: the user is told the
// pair could not be read or written, whatever the reason.
Notice gridDataNotice(GridDataRefusal refusal);

// Both files' decoded texts, read as free-format items: the header values
// rounded halves to even into 16 bits, rows and cols at least 1, count =
// rows x cols (16 bits) in the first, the same three values in the second,
// then count points in each.
std::variant<GridData, GridDataRefusal> parseGridDataFiles(const std::string& initialText,
                                                           const std::string& deformedText);
std::variant<GridData, GridDataRefusal> readGridDataFiles(const std::string& initialPath,
                                                          const std::string& deformedPath);

// A read of the pair as the window takes it. Headers that don't agree (or a
// file that can't be read as text) leave the table as it was; once they agree
// the table is emptied and takes rows, cols and the points read, those before
// a fault (too few points, one that is no pair of numbers, a 500th point the
// table has no row for) included.
struct GridDataRead {
    std::optional<GridDataRefusal> refusal; // none: the whole pair was read
    bool headerAccepted = false;
    GridData data; // rows and cols once headerAccepted; points up to any fault
};
GridDataRead parseGridDataPair(const std::string& initialText, const std::string& deformedText);
GridDataRead readGridDataPair(const std::string& initialPath, const std::string& deformedPath);

// The table's cell texts for loaded data: row 1 columns 5 and 6 take rows and
// cols; row i columns 1 to 4 the i-th point (shortest single-precision text).
std::string gridCountText(std::int16_t value);
std::string gridCoordinateText(float value);

// The grid in the table: rows and cols from row 1 columns 5 and 6 (whole texts
// that are numbers, rounded halves to even, each at least 1), then rows x cols
// complete points from rows 1 on (columns 1 to 4, each a number). Anything
// missing, blank or not a number refuses the whole table (BadData).
std::variant<GridData, GridDataRefusal> gridDataFromTable(const CellText& cell);

// The two files' lines: {before, after}.
struct GridDataLines {
    std::vector<std::string> initial;
    std::vector<std::string> deformed;
};
GridDataLines gridDataFileLines(const GridData& data);

// Writes both files or, on a failure, neither.
std::optional<GridDataRefusal> writeGridDataFiles(const std::string& initialPath, const std::string& deformedPath,
                                                  const GridData& data);

} // namespace kv

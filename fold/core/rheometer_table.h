// Reading the fold's six measurements out of the rheometer's data table. Only
// row 1, columns 1 to 6 (y1, y2, y3, L, W, h) are ever read.
#pragma once

#include "fold/core/rheometer_analysis.h"
#include "kit/core/table_cells.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// The table: 101 rows (row 0 the titles, rows 1..100 numbered), 16 columns.
constexpr int kFoldTableRows = 101;
constexpr int kFoldTableColumns = 16;
constexpr int kFoldMeasurementRow = 1;
constexpr int kFoldFirstMeasurementColumn = 1; // y1; then y2, y3, L, W, h
constexpr int kFoldMeasurementCount = 6;

struct FoldTableRead {
    enum class Outcome {
        Complete,   // six numbers: measurements holds them
        BlankCell,  // a measurement cell holds nothing but blanks: nothing happens
        BadNumber,  // a cell that is not a number or is beyond single precision
    };
    Outcome outcome = Outcome::BlankCell;
    FoldMeasurements measurements;
};

// Reads the six measurement cells. A blank cell anywhere among them wins over
// a bad one, so a half-typed row is passed over without a message.
FoldTableRead readFoldTable(const CellText& cell);


} // namespace kv

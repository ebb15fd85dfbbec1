// Reading the joint records out of the rose window's data table: column 1 holds
// the dip direction, column 2 the dip, rows 1 to 499 the records.
#pragma once

#include "kit/core/attitude.h"
#include "kit/core/table_cells.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// Last table row that can hold a record.
constexpr int kJointTableLastRow = 499;

// The whole degrees a rose takes from a cell: the number at the start of the
// text, nearest whole number with halves to the even neighbour. Empty when no
// 64-bit whole number can hold it. The dip direction is kept as written (it
// may lie outside 0..359; the roses fold it into the circle).
std::optional<double> roseDegrees(const std::string& cellText);

// What the scan found. The window shows "数据有误，请检查！" for a bad record
// (blankDip or badNumber) and for noRecord; the rose is drawn in every case,
// from the records above the row where the scan stopped.
struct JointTableScan {
    std::vector<Attitude> records; // whole degrees
    bool blankDip = false;  // a row with a dip direction but a blank dip ended the scan
    bool badNumber = false; // a number too large for a whole number ended the scan
    bool noRecord = false;  // no record above the row where the scan stopped
    int stopRow = 0;        // the blank, bad or empty row; kJointTableLastRow + 1 on a full table

    bool badRecord() const { return blankDip || badNumber; }
    std::int64_t jointCount() const { return static_cast<std::int64_t>(records.size()); }
};

// Reads rows 1, 2, ... until the first row whose dip-direction text is empty
// (blanks only), or a row with a blank dip or an unusable number, and never
// beyond row 499.
JointTableScan scanJointTable(const CellText& cell);

} // namespace kv

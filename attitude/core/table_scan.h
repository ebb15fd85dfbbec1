// Reading the joint records out of the rose window's data table: column 1 holds
// the dip direction, column 2 the dip, rows 1 to 499 the records.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kv {

// One joint attitude as the roses use it: whole degrees, nearest with halves to
// the even neighbour. The dip direction is kept as written (it may lie outside
// 0..359; the roses fold it into the circle).
struct JointRecord {
    std::int64_t dipDirection = 0; // degrees clockwise from north
    std::int64_t dip = 0;          // degrees below the horizontal
};

// Last table row that can hold a record.
constexpr int kJointTableLastRow = 499;

// Cell text of the data table at (row, column); rows from 1, columns 1 and 2.
using JointCellText = std::function<std::string(int row, int column)>;

// What the scan found. The window shows "数据有误，请检查！" for a bad record
// (blankDip or badNumber) and for noRecord; the rose is drawn in every case,
// from the records above the row where the scan stopped.
struct JointTableScan {
    std::vector<JointRecord> records;
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
JointTableScan scanJointTable(const JointCellText& cell);

// True when the text holds nothing but blanks.
bool isBlankCell(const std::string& text);

} // namespace kv

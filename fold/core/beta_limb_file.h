// The beta data file: line 1 the left and right limb counts in two print
// zones, line 2 "y" or "n" for an overturned fold, then one attitude record
// (dip direction, dip) per line. Plain text; the window reads and writes the
// file itself (code page, temporary file and rename) and hands over lines.
#pragma once

#include "fold/core/fold_table.h"

#include <array>
#include <string>
#include <vector>

namespace kv {

// Why a file could not be read whole; the window shows "数据文件出错！" (title
// "提示") for every one of them.
enum class BetaFileReadFault {
    None,
    BadCounts,      // the two counts are missing, not numbers or beyond single precision
    BadRecord,      // a record is cut short, not numbers or beyond single precision
    TooManyRecords, // more records than the table's 499 rows
};

struct BetaFileContents {
    std::string leftCountText;  // the left count as a cell text ("12", "2.5")
    std::string rightCountText;
    bool overturned = false;    // flag line "y" in either case
    int pointCount = 0;         // the two counts' sum, rounded, kept within 0..499
    std::vector<std::vector<std::string>> rows; // cell texts of rows 1 onwards, two a row
};

struct BetaFileRead {
    BetaFileReadFault fault = BetaFileReadFault::None;
    // Set once the two counts are read: the window then empties columns 1 and
    // 2 of rows 1..499, puts contents.rows in and takes contents.pointCount,
    // even when a record fault stopped the read. The counts' texts and the
    // flag go into the window only when ok().
    bool countsRead = false;
    // On a record fault, rows holds the records before the fault.
    BetaFileContents contents;
    bool ok() const { return fault == BetaFileReadFault::None; }
};

// Parses the decoded text of a file. Every count and value is read in single
// precision and put into the table in its shortest text. The number of records
// is not compared with the counts.
BetaFileRead parseBetaLimbFile(const std::string& text);

// Why the table can't be saved; the window shows "数据有误，请检查！" (title
// "提示") and leaves any existing file as it was.
enum class BetaFileWriteFault {
    None,
    BadCounts, // a count text whose value no record line can hold
    BadRecord, // a row with an empty dip, or a number the record can't hold
};

struct BetaFileWrite {
    BetaFileWriteFault fault = BetaFileWriteFault::None;
    std::vector<std::string> lines; // without line ends; empty unless ok()
    int pointCount = 0;             // the window's new record count once written
    bool ok() const { return fault == BetaFileWriteFault::None; }
};

// The lines of a file for the counts as typed, the overturned flag and the
// records of rows 1 to the counts' sum (ending early at a row whose dip
// direction is empty).
BetaFileWrite formatBetaLimbFile(const std::string& leftCountText, const std::string& rightCountText,
                                 bool overturned, const CellText& cell);

// The number of records of two counts: their sum rounded (halves to even),
// kept within 0 and the table's 499 rows.
int pointCountOfSum(double countSum);

} // namespace kv

// The rheometer's two files.
//  - The measurement file (read only): text in the system code page holding at
//    least six numbers, y1, y2, y3, L, W and h, separated by commas, blanks or
//    line ends; whatever follows the sixth number is ignored.
//  - The report (written only): twelve lines, each a label followed directly by
//    its value or values, every label from line 4 on 24 columns wide (a Chinese
//    character counting two) so the values line up.
#pragma once

#include "fold/core/rheometer_analysis.h"

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kv {

struct RheometerState;

// Why a measurement file gives no measurements. The window shows "数据有误！"
// for every one of them (see tableEditsOfFailedMeasurementRead for the table).
enum class MeasurementFileFault {
    CannotRead,      // cannot be opened, too large, or not text in the code page
    TooFewNumbers,   // the text ends before the sixth number
    NotANumber,      // one of the first six items is not a number
    BeyondPrecision, // one of them is too large for single precision
};

// The six measurements and the cell texts they take in row 1, columns 1 to 6:
// the shortest text of each single-precision value (0.866, 100, 1E+20).
struct MeasurementFile {
    FoldMeasurements measurements;
    std::array<std::string, 6> cellTexts;
};

std::variant<MeasurementFile, MeasurementFileFault> parseMeasurementText(const std::string& decodedText);
std::variant<MeasurementFile, MeasurementFileFault> readMeasurementFile(const std::string& path);

// One change of a table cell.
struct FoldCellEdit {
    int row = 0;
    int column = 0;
    std::string text;
};

// What a successful read does to the table, in order: columns 1 and 2 of every
// row from 1 to 100 emptied (the other columns keep their text), then the six
// measurement cells of row 1 written.
std::vector<FoldCellEdit> tableEditsOfMeasurementFile(const MeasurementFile& file);

// What a failed read does to the table: a file read as text whose first six
// items are not six numbers has had columns 1 and 2 of every row from 1 to
// 100 emptied before the fault, and they stay empty (the other cells of row 1
// keep their text); a file that can't be read as text leaves the table as it
// was.
std::vector<FoldCellEdit> tableEditsOfFailedMeasurementRead(MeasurementFileFault fault);

// Why the report was not written. The window shows "数据有误，请检查！" (title
// "提示") for both; an existing file stays as it was.
enum class ReportFault {
    NoNumber,    // a value is not a number (a viscosity ratio beyond single precision)
    CannotWrite, // the file cannot be written
};

// The report's twelve lines, without line ends, from the window's values (not
// the table's cells).
std::variant<std::vector<std::string>, ReportFault> foldReportLines(const RheometerState& state);

// Writes the report in the code page with CR LF line ends through a temporary
// file that replaces the target only when complete.
std::optional<ReportFault> writeFoldReport(const std::string& path, const RheometerState& state);

} // namespace kv

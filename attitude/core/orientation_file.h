// The preferred-orientation window's data file: a description line, a type
// line ("P" planes, "L" lines) and one attitude record per line (dip direction
// in single precision, dip as a whole number, print zones), CR LF line ends,
// in the system code page.
//
// File > "数据文件": decode the file (platform/text readTextFile), then
// parseOrientationFile. File > "保存数据": orientationFileLines, then
// writeTextFile (temporary file and rename), or writeOrientationFile for both.
#pragma once

#include "attitude/core/net_state.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

enum class OrientationReadFault {
    None,
    CannotRead,     // cannot open, too large or not text in the code page
    HeaderMissing,  // the text ends inside the two header lines
    TypeRefused,    // the type, in upper case, is neither "L" nor "P"
    ItemMissing,    // the text ends inside a record
    TooManyRecords, // a 500th record
};

struct OrientationRead {
    OrientationReadFault fault = OrientationReadFault::None;
    // Set once the header is accepted (fault None or a record fault): the
    // window then empties columns 1 and 2 of rows 1..499 and fills rows 1..
    // with records, even when a record fault stopped the read.
    bool headerAccepted = false;
    std::string description; // for the description box, on success only
    std::string dataType;    // "L" or "P": select that option button, on success only
    std::vector<std::vector<std::string>> records; // cell texts of columns 1, 2
};

// "数据类型说明有误！" for a refused type, "数据文件出错！" for any other fault
// (title "提示"); empty for None. A refused type leaves the table, the
// description, the option buttons and the window's data type as they were.
std::string orientationReadMessage(OrientationReadFault fault);

OrientationRead parseOrientationFile(std::string_view text);
// Reads and decodes the file, then parses it.
OrientationRead readOrientationFile(const std::string& path);

enum class OrientationWriteFault {
    None,
    BadRow,                // empty dip, dip beyond 16 bits, dip direction beyond single precision
    DescriptionUnreadable, // holds both a comma and a double quote (or a line end)
    CannotWrite,           // the file could not be written; an existing file is kept
};

struct DataFileLines {
    std::vector<std::string> lines; // without line ends; empty on a fault
    int badRow = 0;                 // the row that stopped the save, for BadRow
};

struct OrientationLines : DataFileLines {
    OrientationWriteFault fault = OrientationWriteFault::None;
};

// "数据有误，请检查！" for a bad row, "数据文件出错！" for the others (title "提示").
std::string orientationWriteMessage(OrientationWriteFault fault);

// Every row is checked before any line is made: rows 1.. up to the first row
// whose column 1 is empty. The description is quoted when it holds a comma,
// starts with a double quote or has blanks at either end; the type line is
// "L" when dataType is "L", else "P".
OrientationLines orientationFileLines(const CellText& cells, const std::string& description,
                                      const std::string& dataType);
// The lines written through a temporary file and a rename.
OrientationWriteFault writeOrientationFile(const std::string& path, const CellText& cells,
                                           const std::string& description, const std::string& dataType);

// The attitude records of the table (columns 1 and 2), each with a further
// text item from column extraColumn when it is not 0, up to the first row
// whose column 1 is empty. Every row is checked before anything is kept.
struct TableRecordLines {
    enum class Fault {
        None,
        BadRow,          // empty dip or extra cell, dip beyond 16 bits, direction beyond single precision
        ExtraUnreadable, // an extra item that would not read back (double quote inside quotes)
    };
    std::vector<std::string> lines; // empty on a fault
    Fault fault = Fault::None;
    int badRow = 0;
};
TableRecordLines recordLinesOfTable(const CellText& cells, int extraColumn);

} // namespace kv

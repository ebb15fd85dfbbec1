// The petrofabric window's data file: seven header lines (section number,
// grain count, data type, arrow azimuth, stage arrow direction, mineral name,
// section dip direction and dip) and one measurement per line (dip direction,
// dip, ring letter, in print zones), CR LF line ends, in the system code page.
//
// File > "数据文件": readTextFile, then parsePetrofabricFile, then
// applyPetrofabricRead. File > "保存数据": petrofabricFileLines, then
// writeTextFile, or writePetrofabricFile for both.
#pragma once

#include "attitude/core/net_state.h"
#include "attitude/core/orientation_file.h"
#include "attitude/core/petrofabric_settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace kv {

enum class PetrofabricReadFault {
    None,
    CannotRead,     // cannot open, too large or not text in the code page
    HeaderMissing,  // the text ends inside the eight header items
    BadGrainCount,  // not a number, or beyond 16 bits after rounding (halves to even)
    BadAngle,       // a header angle beyond single precision
    ItemMissing,    // the text ends inside a measurement
    TooManyRecords, // a 500th measurement
};

struct PetrofabricRead {
    PetrofabricReadFault fault = PetrofabricReadFault::None;
    // The header items read before any fault, in file order: section number,
    // grain count, data type, arrow azimuth, stage arrow direction, mineral
    // name, section dip direction, section dip. They go into the settings as
    // read, even when a later item fails (nothing in them is tested).
    int headerItemsRead = 0;
    PetrofabricSettings header;
    // Set once all eight header items are read: the window then empties
    // columns 1..3 of rows 1..499 and fills rows 1.. with the measurements,
    // even when a measurement fault stopped the read.
    bool headerComplete = false;
    std::vector<std::vector<std::string>> records; // cell texts of columns 1, 2, 3

    // A complete read whose measurement count differs from the header's.
    bool countMismatch() const
    {
        return fault == PetrofabricReadFault::None && static_cast<int>(records.size()) != header.grainCount;
    }
};

// "打开数据文件出错！" for every fault (title "提示"); empty for None.
std::string petrofabricReadMessage(PetrofabricReadFault fault);
// The warning after a complete read whose count differs (title "提示"); the
// read is not undone.
inline constexpr const char* kGrainCountMismatchMessage = "数据数目有误，请检查！";

PetrofabricRead parsePetrofabricFile(std::string_view text);
PetrofabricRead readPetrofabricFile(const std::string& path);

// Copies the header items read into the settings; after a complete read the
// grain count becomes the number of measurements read.
void applyPetrofabricRead(const PetrofabricRead& read, PetrofabricSettings& settings);

enum class PetrofabricWriteFault {
    None,
    BadRow,         // empty dip or ring cell, dip beyond 16 bits, direction beyond single precision
    TextUnreadable, // a text setting holding both a comma and a double quote (or a line end)
    CannotWrite,    // the file could not be written; an existing file is kept
};

struct PetrofabricLines : DataFileLines {
    PetrofabricWriteFault fault = PetrofabricWriteFault::None;
};

// "数据有误，请检查！" for a bad row, "文字中不能同时有逗号和双引号，请检查！"
// for an unreadable text, "保存数据文件出错！" when the file cannot be
// written (title "提示").
std::string petrofabricWriteMessage(PetrofabricWriteFault fault);

// Every row is checked before any line is made. Line 2 is the number of
// measurement lines written (the grain count setting is not changed). Text
// items are quoted when they hold a comma, start with a double quote or have
// blanks at either end.
PetrofabricLines petrofabricFileLines(const CellText& cells, const PetrofabricSettings& settings);
PetrofabricWriteFault writePetrofabricFile(const std::string& path, const CellText& cells,
                                           const PetrofabricSettings& settings);

} // namespace kv

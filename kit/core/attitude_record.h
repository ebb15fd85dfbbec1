// The attitude record of the attitude list file: dip direction and dip angle
// of one measured plane, in degrees, one record per line. The dip direction is
// kept in single precision and written in the first print zone, the dip as a
// whole number in the second ("135, 45" becomes " 135          45 ").
// Tools whose files carry header lines or a third item per record build on the
// same pieces.
#pragma once

#include "kit/core/attitude.h"
#include "kit/core/table_cells.h"
#include "platform/text/item_reader.h"
#include "platform/text/number_text.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Why a table row can't be written as a record.
enum class RecordFault {
    None,
    DipDirectionOutOfRange, // infinite, not a number or beyond single precision
    DipOutOfRange,          // infinite, not a number or beyond -32768..32767 after rounding
};

// The attitude as the list file keeps it: the dip direction in single
// precision, as typed (not reduced to 0..360); the dip rounded to the nearest
// whole degree, halves to even, in 16 bits.
struct ParsedAttitude {
    Attitude record;
    RecordFault fault = RecordFault::None;
};

// The record a row's two cell texts stand for: each is the number at the start
// of its text (a text of letters gives 0).
ParsedAttitude attitudeFromCellTexts(std::string_view dipDirectionText, std::string_view dipText);

// The record's line without its line end, left open so a tool can add a
// further item in the next zone. The record holds the values of attitudeFromCellTexts.
PrintLine attitudeRecordLine(const Attitude& record);

struct FormattedRecord {
    std::string line; // without line end; empty when fault is set
    RecordFault fault = RecordFault::None;
    bool ok() const { return fault == RecordFault::None; }
};
// Both steps: cell texts to the record's line, or the reason it can't be written.
FormattedRecord formatAttitudeRecord(std::string_view dipDirectionText, std::string_view dipText);

// The cell text of an item read from a data file: a number in its shortest
// form (045 gives 45, .5 gives 0.5, 1E2 gives 100), any other item as written.
std::string cellTextOfItem(const ItemReader::Item& item);

// Why reading records stopped before the end of the text.
enum class RecordReadFault {
    None,
    ItemMissing,    // the text ends inside a record
    TooManyRecords, // more records than the table has rows for
};

struct RecordsRead {
    // Complete records only, as cell texts, itemsPerRecord texts each.
    std::vector<std::vector<std::string>> records;
    RecordReadFault fault = RecordReadFault::None;
};

// Reads records of itemsPerRecord items each until the text ends (empty lines
// at the end are the end), at most maxRecords of them. Items are read freely,
// so a record may span lines and one line may hold several records.
RecordsRead readRecords(ItemReader& reader, int itemsPerRecord, int maxRecords);

// A further item of a row (a tool's third column), or empty when the row
// can't be written.
using ExtraRecordItem = std::function<std::optional<std::string>(int row)>;

// The record lines of rows 1..lastRow, up to the first row whose column 1 is
// exactly empty; extra, when given, adds an item in the next print zone.
// Empty when a row has an empty dip or can't be written.
std::optional<std::vector<std::string>> attitudeRecordLines(const CellText& cell, int lastRow,
                                                            const ExtraRecordItem& extra = {});

} // namespace kv

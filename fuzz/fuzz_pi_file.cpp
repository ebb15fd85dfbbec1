// The pi data file: plain attitude records. A file that is read fills at most
// the table's rows with its items in order, two a row, as cell texts. Saved again (the rows up to the
// first blank dip direction) it reads back as the same records (dip
// directions to the seven digits the file keeps, dips as the whole numbers it
// keeps), and saving that gives the same lines. A save that is refused has its
// reason.
#include "fold/core/fold_table.h"
#include "fold/core/pi_diagram.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "kit/core/attitude_record.h"
#include "kit/core/table_cells.h"
#include "platform/text/item_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using kv::fuzz::check;

namespace {

std::vector<std::vector<std::string>> tableRows(const kv::PiFileRead& read)
{
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : read.rows)
        rows.push_back({row[0], row[1]});
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kv::fuzz::InputText input = kv::fuzz::inputText(data, size);
    const kv::PiFileRead read = kv::parsePiFile(input.text);
    if (!read.ok()) {
        check(read.rows.size() <= static_cast<std::size_t>(kv::kFoldTableLastRow), "no more records kept than table rows");
        return 0;
    }
    check(read.rows.size() <= static_cast<std::size_t>(kv::kFoldTableLastRow), "no more records than table rows");
    kv::ItemReader items(input.text);
    for (const auto& row : read.rows)
        for (const std::string& cell : row) {
            const auto item = items.next();
            check(item && kv::cellTextOfItem(*item) == cell, "the rows are the file's items, two a row");
        }
    check(items.atEnd(), "every item of the file is in a row");

    const kv::fuzz::CellTable cells(tableRows(read));
    std::size_t kept = 0;
    while (kept < read.rows.size() && !kv::isBlankCell(read.rows[kept][0]))
        ++kept;
    const auto saved = kv::piFileLines(cells);
    if (!saved) {
        bool refused = false;
        for (std::size_t i = 0; i < kept; ++i)
            refused = refused || kv::isBlankCell(read.rows[i][1])
                   || !kv::formatAttitudeRecord(read.rows[i][0], read.rows[i][1]).ok();
        check(refused, "a refused row is one that can't be written");
        return 0;
    }
    const auto written = kv::fuzz::writtenAndReadBack(*saved, input.decoded);
    if (!written)
        return 0;

    const kv::PiFileRead again = kv::parsePiFile(*written);
    check(again.ok(), "a saved file reads back");
    check(again.rows.size() == kept, "the rows up to the first blank dip direction are saved");
    for (std::size_t i = 0; i < kept; ++i) {
        const kv::ParsedAttitude before = kv::attitudeFromCellTexts(read.rows[i][0], read.rows[i][1]);
        const kv::ParsedAttitude after = kv::attitudeFromCellTexts(again.rows[i][0], again.rows[i][1]);
        check(after.fault == kv::RecordFault::None, "a saved record is a valid record");
        check(after.record.dip == before.record.dip, "the dip reads back as the whole number saved");
        check(kv::fuzz::sameToDigits(before.record.dipDirection, after.record.dipDirection, 7),
              "the dip direction reads back to seven digits");
    }
    const auto resaved = kv::piFileLines(kv::fuzz::CellTable(tableRows(again)));
    check(resaved && *resaved == *saved, "saving it again gives the same lines");
    return 0;
}

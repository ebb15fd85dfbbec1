// The Fry tool's centre file. A file that is read fills at most the table's
// rows with its items in order, two a row, and says so when it held more
// (whole centres, never a lone item: that refuses the file); a number item
// becomes the cell text of its number. Saved again (the rows up to the first
// blank x or y) it reads back as the same cell texts, or the same numbers
// where a text was a number written otherwise; what was read back is saved
// and read back as it is. A save is refused only for a text that no item can
// hold.
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "kit/core/attitude_record.h"
#include "kit/core/table_cells.h"
#include "platform/text/item_reader.h"
#include "strain/core/centre_file.h"
#include "strain/core/object_centres.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

using kv::fuzz::check;

namespace {

std::vector<std::vector<std::string>> tableRows(const kv::CentreTable& table)
{
    std::vector<std::vector<std::string>> rows;
    for (const auto& [x, y] : table.rows)
        rows.push_back({x, y});
    return rows;
}

// A cell text read back: the text itself or, for a number written as typed
// ("7.50", "045"), the number it shows, to the fifteen digits a cell keeps.
bool standsFor(const std::string& back, const std::string& text)
{
    if (back == text)
        return true;
    const auto before = kv::numberOfCellText(text);
    const auto after = kv::numberOfCellText(back);
    return before && after && kv::fuzz::sameToDigits(*before, *after, 15);
}

// The table saved and read back: the rows up to the first blank x or y, each
// cell as its text or its number. Empty when the save is refused, which only
// a text holding a double quote or a line end may cause, or can't be encoded.
std::optional<kv::CentreTable> savedAndReadBack(const kv::CentreTable& table, bool decoded)
{
    std::size_t kept = 0;
    while (kept < table.rows.size() && !kv::isBlankCell(table.rows[kept].first)
           && !kv::isBlankCell(table.rows[kept].second))
        ++kept;
    const auto saved = kv::centreFileLines(kv::fuzz::CellTable(tableRows(table)));
    if (!saved) {
        bool unwritable = false;
        for (std::size_t i = 0; i < kept; ++i)
            unwritable = unwritable || table.rows[i].first.find_first_of("\"\r\n") != std::string::npos
                      || table.rows[i].second.find_first_of("\"\r\n") != std::string::npos;
        check(unwritable, "a save is refused only for a text holding a double quote or a line end");
        return std::nullopt;
    }
    check(saved->size() == kept, "the rows up to the first blank x or y are saved");
    const auto written = kv::fuzz::writtenAndReadBack(*saved, decoded);
    if (!written)
        return std::nullopt;
    const auto again = kv::parseCentreFile(*written);
    check(std::holds_alternative<kv::CentreTable>(again), "a saved file reads back");
    const kv::CentreTable& back = std::get<kv::CentreTable>(again);
    check(!back.truncated && back.rows.size() == kept, "a saved file reads back as the rows saved");
    for (std::size_t i = 0; i < kept; ++i) {
        check(standsFor(back.rows[i].first, table.rows[i].first), "an x reads back as its text or its number");
        check(standsFor(back.rows[i].second, table.rows[i].second), "a y reads back as its text or its number");
    }
    return back;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kv::fuzz::InputText input = kv::fuzz::inputText(data, size);
    const auto read = kv::parseCentreFile(input.text);
    if (const auto* refusal = std::get_if<kv::CentreFileRefusal>(&read)) {
        check(*refusal == kv::CentreFileRefusal::OddItemCount, "text is refused only for an x without its y");
        return 0;
    }
    const kv::CentreTable& table = std::get<kv::CentreTable>(read);
    kv::ItemReader items(input.text);
    for (const auto& [x, y] : table.rows)
        for (const std::string* cell : {&x, &y}) {
            const auto item = items.next();
            check(item && kv::cellTextOfItem(*item) == *cell, "the centres are the file's items, two a row");
        }
    // The items beyond the rows: none unless the rows are full, and then
    // whole centres only (an x without its y anywhere refuses the file).
    std::size_t leftOver = 0;
    while (items.next())
        ++leftOver;
    check(table.truncated || leftOver == 0, "no item is left over when the rows are not full");
    check(leftOver % 2 == 0, "the items left over are whole centres");
    check(table.truncated == (leftOver > 0), "the file said to hold more holds more");
    check(table.rows.size() <= kv::kMostCentres, "no more centres than table rows");
    check(!table.truncated || table.rows.size() == kv::kMostCentres, "centres are left out only when the rows are full");

    const auto back = savedAndReadBack(table, input.decoded);
    // What was read back is saved and read back as it is.
    if (back) {
        const auto again = savedAndReadBack(*back, input.decoded);
        check(!again || again->rows == back->rows, "saving what was read back reads back the same");
    }
    return 0;
}

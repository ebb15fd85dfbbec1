// The Fry tool's centre file. A file that is read fills at most the table's
// rows, and says so when it held more; a number item becomes the shortest text
// of its number. Saved again (the rows up to the first blank x or y) it reads
// back as the same cell texts, and saving that gives the same lines.
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "kit/core/table_cells.h"
#include "strain/core/centre_file.h"
#include "strain/core/object_centres.h"

#include <cstddef>
#include <cstdint>
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
    check(table.rows.size() <= kv::kMostCentres, "no more centres than table rows");
    check(!table.truncated || table.rows.size() == kv::kMostCentres, "centres are left out only when the rows are full");

    std::size_t kept = 0;
    while (kept < table.rows.size() && !kv::isBlankCell(table.rows[kept].first)
           && !kv::isBlankCell(table.rows[kept].second))
        ++kept;
    const std::vector<std::string> saved = kv::centreFileLines(kv::fuzz::CellTable(tableRows(table)));
    check(saved.size() == kept, "the rows up to the first blank x or y are saved");
    const auto written = kv::fuzz::writtenAndReadBack(saved, input.decoded);
    if (!written)
        return 0;
    const auto again = kv::parseCentreFile(*written);
    check(std::holds_alternative<kv::CentreTable>(again), "a saved file reads back");
    const kv::CentreTable& back = std::get<kv::CentreTable>(again);
    check(!back.truncated && back.rows.size() == kept, "a saved file reads back as the rows saved");
    for (std::size_t i = 0; i < kept; ++i)
        check(back.rows[i] == table.rows[i], "a centre's cell texts read back the same");
    check(kv::centreFileLines(kv::fuzz::CellTable(tableRows(back))) == saved, "saving it again gives the same lines");
    return 0;
}

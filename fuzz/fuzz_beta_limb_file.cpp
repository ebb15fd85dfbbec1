// The beta data file. A file that is read gives count texts and record cell
// texts that read back as the single-precision numbers they show, a point
// count within the table, and at most the table's rows. Saved again (the two
// counts, the flag and the rows up to the point count, which stays but where
// the counts sum to within rounding of a half) it reads back as the same
// counts, point count, flag and records (dip directions to the seven digits
// the file keeps, dips as the whole numbers it keeps), and saving that gives
// the same lines. A save that is refused has its reason.
#include "fold/core/beta_limb_file.h"
#include "fold/core/fold_table.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "kit/core/attitude_record.h"
#include "kit/core/table_cells.h"
#include "platform/text/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using kv::fuzz::check;

namespace {

void showsItsNumber(const std::string& text)
{
    const auto value = kv::singleOfCellText(text);
    check(value.has_value() && std::isfinite(*value), "a cell text is a finite single");
    check(value && kv::cellText(*value) == text, "a cell text is the shortest text of its number");
}

std::vector<std::vector<std::string>> tableRows(const kv::BetaFileContents& contents)
{
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : contents.rows)
        rows.push_back({row[0], row[1]});
    return rows;
}

void savedAndReadBack(const kv::BetaFileContents& contents, bool decoded)
{
    const kv::fuzz::CellTable cells(tableRows(contents));
    const kv::BetaFileWrite saved =
        kv::formatBetaLimbFile(contents.leftCountText, contents.rightCountText, contents.overturned, cells);
    // The read gives numbers every record can hold but for a dip beyond 16 bits.
    if (saved.fault == kv::BetaFileWriteFault::BadRecord) {
        bool refused = false;
        for (int row = 1; row <= contents.pointCount && !cells(row, 1).empty(); ++row)
            refused = refused || !kv::formatAttitudeRecord(cells(row, 1), cells(row, 2)).ok();
        check(refused, "a refused row is one that can't be written");
        return;
    }
    check(saved.ok(), "the counts the file gave can be written");
    // Reading sums the counts in single precision, saving sums the numbers the
    // boxes show: the two may round apart where the sum is within a single's
    // step of a half (24.5 and 2E-07).
    const double sum = kv::leadingNumber(contents.leftCountText) + kv::leadingNumber(contents.rightCountText);
    const bool nearHalf = std::fabs(sum - std::floor(sum) - 0.5) <= std::fmax(1.0, std::fabs(sum)) * 1e-6;
    check(saved.pointCount == contents.pointCount || nearHalf, "the point count stays but at a half");
    const auto written = kv::fuzz::writtenAndReadBack(saved.lines, decoded);
    if (!written)
        return;

    const kv::BetaFileRead again = kv::parseBetaLimbFile(*written);
    check(again.ok(), "a saved file reads back");
    const kv::BetaFileContents& back = again.contents;
    check(back.leftCountText == contents.leftCountText && back.rightCountText == contents.rightCountText,
          "the counts read back the same");
    check(back.overturned == contents.overturned, "the overturned flag reads back the same");
    check(back.pointCount == contents.pointCount, "the point count reads back the same");
    const std::size_t kept = std::min(contents.rows.size(), static_cast<std::size_t>(saved.pointCount));
    check(back.rows.size() == kept, "the rows up to the point count are saved");
    for (std::size_t i = 0; i < kept; ++i) {
        const kv::ParsedAttitude before = kv::attitudeFromCellTexts(contents.rows[i][0], contents.rows[i][1]);
        const kv::ParsedAttitude after = kv::attitudeFromCellTexts(back.rows[i][0], back.rows[i][1]);
        check(after.fault == kv::RecordFault::None, "a saved record is a valid record");
        check(after.record.dip == before.record.dip, "the dip reads back as the whole number saved");
        check(kv::fuzz::sameToDigits(before.record.dipDirection, after.record.dipDirection, 7),
              "the dip direction reads back to seven digits");
    }
    const kv::BetaFileWrite resaved = kv::formatBetaLimbFile(back.leftCountText, back.rightCountText, back.overturned,
                                                             kv::fuzz::CellTable(tableRows(back)));
    check(resaved.ok() && resaved.lines == saved.lines, "saving it again gives the same lines");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kv::fuzz::InputText input = kv::fuzz::inputText(data, size);
    const kv::BetaFileRead read = kv::parseBetaLimbFile(input.text);
    if (!read.ok())
        return 0;
    const kv::BetaFileContents& contents = read.contents;
    showsItsNumber(contents.leftCountText);
    showsItsNumber(contents.rightCountText);
    check(contents.pointCount >= 0 && contents.pointCount <= kv::kFoldTableLastRow, "the point count fits the table");
    check(contents.rows.size() <= static_cast<std::size_t>(kv::kFoldTableLastRow), "no more records than table rows");
    for (const auto& row : contents.rows) {
        showsItsNumber(row[0]);
        showsItsNumber(row[1]);
    }
    savedAndReadBack(contents, input.decoded);
    return 0;
}

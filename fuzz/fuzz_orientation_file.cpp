// The preferred-orientation data file: the header items read one by one, then
// the whole file. Header reading always ends, within one step per byte, and
// every item is a piece of the text. A file that is read whole fills at most
// the table's rows; saved again (description, type and the table's records up
// to the first empty dip direction) it reads back as the same description,
// type and records (dip directions to the seven digits the file keeps), and
// saving that gives the same lines. A save that is refused has its reason.
#include "platform/text/item_reader.h"
#include "attitude/core/orientation_file.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "kit/core/attitude_record.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using kv::fuzz::check;

namespace {

void headerItemsEnd(const std::string& text, std::uint8_t pattern)
{
    kv::ItemReader reader(text);
    std::size_t left = text.size();
    for (std::size_t steps = 0;; ++steps) {
        check(steps <= text.size(), "header reading ends within one step per byte");
        const bool asNumber = (pattern >> (steps % 8)) & 1;
        std::string item;
        if (asNumber) {
            const auto number = reader.nextNumberOrText();
            if (!number)
                break;
            check(!number->number || std::isfinite(*number->number), "a number item is finite");
            item = number->text;
        } else {
            const auto read = reader.nextText();
            if (!read)
                break;
            item = *read;
        }
        check(text.find(item) != std::string::npos, "a header item is a piece of the text");
        const std::size_t now = reader.rest().size();
        check(now < left, "every header item moves on");
        left = now;
    }
    check(reader.rest().find_first_not_of(" \t\r\n") == std::string::npos, "header items end only at the end");
}

bool refusedRow(const kv::fuzz::CellTable& cells, int row)
{
    const std::string dip = cells(row, 2);
    return dip.empty() || kv::attitudeFromCellTexts(cells(row, 1), dip).fault != kv::RecordFault::None;
}

void savedAndReadBack(const kv::OrientationRead& read, bool decoded)
{
    const kv::fuzz::CellTable cells(read.records);
    const kv::OrientationLines saved = kv::orientationFileLines(cells, read.description, read.dataType);
    if (saved.fault == kv::OrientationWriteFault::BadRow) {
        check(saved.badRow >= 1 && refusedRow(cells, saved.badRow), "a refused row is one that can't be written");
        return;
    }
    if (saved.fault == kv::OrientationWriteFault::DescriptionUnreadable) {
        check(read.description.find(',') != std::string::npos && read.description.find('"') != std::string::npos,
              "a refused description holds a comma and a double quote");
        return;
    }
    check(saved.fault == kv::OrientationWriteFault::None, "lines are made or refused for a reason");
    const auto written = kv::fuzz::writtenAndReadBack(saved.lines, decoded);
    if (!written)
        return;

    const kv::OrientationRead again = kv::parseOrientationFile(*written);
    check(again.fault == kv::OrientationReadFault::None, "a saved file reads back whole");
    check(again.description == read.description, "the description reads back the same");
    check(again.dataType == read.dataType, "the data type reads back the same");
    std::size_t kept = 0;
    while (kept < read.records.size() && !read.records[kept][0].empty())
        ++kept;
    check(again.records.size() == kept, "the records up to the first empty dip direction are saved");
    for (std::size_t i = 0; i < kept; ++i) {
        const kv::ParsedAttitude before = kv::attitudeFromCellTexts(read.records[i][0], read.records[i][1]);
        const kv::ParsedAttitude after = kv::attitudeFromCellTexts(again.records[i][0], again.records[i][1]);
        check(after.fault == kv::RecordFault::None, "a saved record is a valid record");
        check(after.record.dip == before.record.dip, "the dip reads back the same");
        check(kv::fuzz::sameToDigits(before.record.dipDirection, after.record.dipDirection, 7),
              "the dip direction reads back to seven digits");
    }
    const kv::OrientationLines resaved =
        kv::orientationFileLines(kv::fuzz::CellTable(again.records), again.description, again.dataType);
    check(resaved.fault == kv::OrientationWriteFault::None && resaved.lines == saved.lines,
          "saving it again gives the same lines");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kv::fuzz::InputText input = kv::fuzz::inputText(data, size);
    headerItemsEnd(input.text, size > 0 ? data[0] : 0);

    const kv::OrientationRead read = kv::parseOrientationFile(input.text);
    const bool recordFault =
        read.fault == kv::OrientationReadFault::ItemMissing || read.fault == kv::OrientationReadFault::TooManyRecords;
    check(read.fault != kv::OrientationReadFault::CannotRead, "parsing text never fails to read");
    check(read.headerAccepted == (read.fault == kv::OrientationReadFault::None || recordFault),
          "the header is accepted exactly when a record or nothing stopped the read");
    check(read.records.size() <= static_cast<std::size_t>(kv::kNetTableLastRow), "no more records than table rows");
    check(read.headerAccepted || read.records.empty(), "no records without a header");
    for (const auto& record : read.records)
        check(record.size() == 2, "a record has its two items");
    if (read.fault != kv::OrientationReadFault::None) {
        check(read.description.empty() && read.dataType.empty(), "a failed read gives no header");
        return 0;
    }
    check(read.dataType == "L" || read.dataType == "P", "the data type is L or P");
    check(read.description.find_first_of("\r\n") == std::string::npos, "the description is one line");
    savedAndReadBack(read, input.decoded);
    return 0;
}

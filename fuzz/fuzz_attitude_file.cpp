// Attitude list files, read item by item and record by record as the tools
// read them. Reading always ends, within one step per byte of the file; each
// item and line is a piece of the file; every number item is finite; a record that the reader accepts and the writer can
// write reads back from the written line as the same record (to the seven
// digits the file keeps of a dip direction), and writing it again gives the
// same line.
#include "kit/core/attitude_record.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_limits.h"
#include "platform/text/number_text.h"
#include "platform/text/text_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using kv::fuzz::check;

namespace {

constexpr int kTableRecords = kv::fuzz::kAttitudeRecords;

// Every call of the reader moves on, so a file of n bytes is read in at most
// n calls; header lines and items are mixed as the tools with headers do.
void readsToTheEnd(const std::string& text, std::uint8_t pattern)
{
    // A copy of exactly the text's size: a read past its end is then a read
    // past the allocation, which the address checker sees.
    kv::ItemReader reader{std::string(text)};
    std::size_t steps = 0;
    while (!reader.atEnd()) {
        check(++steps <= text.size(), "reading ends within one step per byte");
        const bool asLine = (pattern >> (steps % 8)) & 1;
        if (asLine) {
            const auto line = reader.nextLine();
            check(line.has_value(), "a line is there while the text is not at its end");
            check(text.find(*line) != std::string::npos, "a line is a piece of the text");
        } else {
            const auto item = reader.next();
            check(item.has_value(), "an item is there while the text is not at its end");
            // Nothing is made up: no byte from beyond the end, no lost quote.
            check(text.find(item->text) != std::string::npos, "an item is a piece of the text");
            check(!item->number || std::isfinite(*item->number), "a number item is finite");
        }
    }
    check(!reader.next(), "no item after the end");
}

// What the writer makes of the record, as bytes on the disk read back.
std::string writtenAndReadBack(const std::string& line)
{
    const auto bytes = kv::encodeCodePage(line + "\r\n");
    check(bytes.has_value(), "a record line can be encoded");
    const auto text = kv::decodeCodePage(*bytes);
    check(text.has_value(), "a written record line can be decoded");
    return *text;
}

void recordRoundTrip(const std::vector<std::string>& cells)
{
    const kv::FormattedRecord written = kv::formatAttitudeRecord(cells[0], cells[1]);
    if (!written.ok())
        return; // the window refuses to write it and says so
    const kv::ParsedAttitude first = kv::attitudeFromCellTexts(cells[0], cells[1]);

    kv::ItemReader reader(writtenAndReadBack(written.line));
    const kv::RecordsRead again = kv::readRecords(reader, 2, kTableRecords);
    check(again.fault == kv::RecordReadFault::None && again.records.size() == 1,
          "a written record reads back as one record");
    const std::vector<std::string>& back = again.records[0];
    const kv::ParsedAttitude second = kv::attitudeFromCellTexts(back[0], back[1]);
    check(second.fault == kv::RecordFault::None, "a written record is a valid record");
    check(second.record.dip == first.record.dip, "the dip reads back the same");
    const double before = first.record.dipDirection;
    const double after = second.record.dipDirection;
    check(std::fabs(after - before) <= std::fabs(before) * 1e-6, "the dip direction reads back to seven digits");
    check(kv::formatAttitudeRecord(back[0], back[1]).line == written.line, "writing it again gives the same line");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Undecodable files are refused before the reader sees them; the reader
    // is still fed their bytes, as it must not depend on that.
    const auto decoded = kv::decodeCodePage(bytes);
    const std::string text = decoded ? *decoded : std::string(bytes);

    readsToTheEnd(text, size > 0 ? data[0] : 0);

    kv::ItemReader reader{std::string(text)};
    const kv::RecordsRead read = kv::readRecords(reader, 2, kTableRecords);
    check(read.records.size() <= static_cast<std::size_t>(kTableRecords), "no more records than table rows");
    for (const auto& record : read.records) {
        check(record.size() == 2, "a record has its two items");
        recordRoundTrip(record);
    }
    return 0;
}

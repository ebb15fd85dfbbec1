// Zelquad's data file of fracture attitudes (read only), with a limit of
// kFractureRecords. Reading ends with records or with the one failure that
// stopped it, numbered at most one past the records before it; too many
// records are refused at the first record past the limit. Accepted records
// are pairs of the file's number items in order, within 0..360 and 0..90, no
// more of them than pairs of bytes, and checking them again accepts them as
// they are.
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_limits.h"
#include "fuzz/fuzz_text.h"
#include "platform/text/item_reader.h"
#include "zelquad/core/fracture_records.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

using kv::fuzz::check;

namespace {

// The file's number items as the records take them, two a record.
std::vector<double> numberItems(const std::string& text, std::size_t count)
{
    kv::ItemReader reader(text);
    std::vector<double> numbers;
    while (numbers.size() < count) {
        const auto item = reader.next();
        check(item && item->number, "an accepted record is made of number items");
        numbers.push_back(*item->number);
    }
    check(reader.atEnd(), "every item of an accepted file is in a record");
    return numbers;
}

// The items up to a failure, counted as records.
std::size_t recordsBefore(const std::string& text)
{
    kv::ItemReader reader(text);
    std::size_t items = 0;
    while (reader.next())
        ++items;
    return items / 2;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kv::fuzz::InputText input = kv::fuzz::inputText(data, size);
    const std::size_t most = kv::fuzz::kFractureRecords;
    const auto read = zq::readFractureRecords(input.text, most);
    if (const auto* failure = std::get_if<zq::RecordFailure>(&read)) {
        if (failure->problem == zq::RecordProblem::NoRecords) {
            check(failure->record == 0, "no records names no record");
            check(recordsBefore(input.text) == 0, "no records only when the file holds no item");
        } else {
            check(failure->record >= 1, "a failure names its record");
            check(failure->record <= recordsBefore(input.text) + 1, "a failure names a record of the file");
            check(failure->problem != zq::RecordProblem::TooManyRecords || failure->record == most + 1,
                  "too many records are refused at the first one past the limit");
        }
        return 0;
    }
    const zq::CheckedRecords& records = std::get<zq::CheckedRecords>(read);
    check(records.size() >= 1 && records.size() <= most, "at least one record, at most the limit");
    check(records.size() <= size / 2, "no more records than pairs of bytes");
    const std::vector<double> numbers = numberItems(input.text, 2 * records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const kv::Attitude& a = records.all()[i];
        check(a.dipDirection == numbers[2 * i] && a.dip == numbers[2 * i + 1], "a record is its two items");
        check(a.dipDirection >= 0 && a.dipDirection <= 360, "the dip direction lies in 0..360");
        check(a.dip >= 0 && a.dip <= 90, "the dip lies in 0..90");
    }
    const auto again = zq::CheckedRecords::check(records.all(), most);
    check(std::holds_alternative<zq::CheckedRecords>(again)
              && std::get<zq::CheckedRecords>(again).all() == records.all(),
          "checking the records again accepts them");
    return 0;
}

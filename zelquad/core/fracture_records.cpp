#include "zelquad/core/fracture_records.h"

#include "platform/text/item_reader.h"

#include <cmath>
#include <optional>

namespace zq {

namespace {

// The limits the sheet was drawn for come first, in the order users know
// from the messages; then what those limits do not cover.
std::optional<RecordProblem> problemOf(const kv::Attitude& a)
{
    if (!std::isfinite(a.dipDirection) || !std::isfinite(a.dip))
        return RecordProblem::NotANumber;
    if (a.dipDirection > 360)
        return RecordProblem::DipDirectionAbove360;
    if (a.dip > 90)
        return RecordProblem::DipAbove90;
    if (a.dipDirection < 0)
        return RecordProblem::NegativeDipDirection;
    if (a.dip < 0)
        return RecordProblem::NegativeDip;
    return std::nullopt;
}

std::optional<RecordFailure> failureOf(const kv::Attitude& a, std::size_t number, std::size_t mostRecords)
{
    if (std::optional<RecordProblem> p = problemOf(a))
        return RecordFailure{*p, number};
    if (number > mostRecords)
        return RecordFailure{RecordProblem::TooManyRecords, number};
    return std::nullopt;
}

// The next item as a number; nothing when it is missing or not a number.
std::optional<double> nextNumber(kv::ItemReader& reader)
{
    std::optional<kv::ItemReader::Item> item = reader.next();
    if (!item || !item->number)
        return std::nullopt;
    return item->number;
}

} // namespace

bool endsProgram(RecordProblem problem)
{
    return problem == RecordProblem::DipDirectionAbove360 || problem == RecordProblem::DipAbove90;
}

std::variant<CheckedRecords, RecordFailure> CheckedRecords::check(std::vector<kv::Attitude> records,
                                                                  std::size_t mostRecords)
{
    if (records.empty())
        return RecordFailure{RecordProblem::NoRecords, 0};
    for (std::size_t i = 0; i < records.size(); ++i)
        if (std::optional<RecordFailure> f = failureOf(records[i], i + 1, mostRecords))
            return *f;
    return CheckedRecords(std::move(records));
}

std::variant<CheckedRecords, RecordFailure> readFractureRecords(const std::string& text, std::size_t mostRecords)
{
    kv::ItemReader reader(text);
    std::vector<kv::Attitude> records;
    while (!reader.atEnd()) {
        const std::size_t number = records.size() + 1;
        const std::optional<double> dipDirection = nextNumber(reader);
        if (!dipDirection)
            return RecordFailure{RecordProblem::NotANumber, number};
        if (reader.atEnd())
            return RecordFailure{RecordProblem::MissingDip, number};
        const std::optional<double> dip = nextNumber(reader);
        if (!dip)
            return RecordFailure{RecordProblem::NotANumber, number};
        const kv::Attitude record{*dipDirection, *dip};
        if (std::optional<RecordFailure> f = failureOf(record, number, mostRecords))
            return *f;
        records.push_back(record);
    }
    if (records.empty())
        return RecordFailure{RecordProblem::NoRecords, 0};
    return CheckedRecords(std::move(records));
}

} // namespace zq

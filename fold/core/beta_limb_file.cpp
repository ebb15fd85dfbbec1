#include "fold/core/beta_limb_file.h"

#include "kit/core/attitude_record.h"
#include "platform/text/item_reader.h"
#include "platform/text/number_text.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kv {

namespace {

// The next item as a single-precision number, or empty when it is missing,
// is no number, or lies beyond the single range.
std::optional<float> nextSingle(ItemReader& reader)
{
    const std::optional<ItemReader::Item> item = reader.next();
    if (!item || !item->number)
        return std::nullopt;
    return toSinglePrecision(*item->number);
}

bool isOverturnedFlag(std::string line)
{
    const auto first = line.find_first_not_of(" \t");
    const auto last = line.find_last_not_of(" \t");
    if (first == std::string::npos)
        return false;
    line = line.substr(first, last - first + 1);
    return line == "y" || line == "Y";
}

// A record's cell text read back as the single-precision number it stands for.
std::optional<std::string> singleCellText(const std::string& text)
{
    const std::optional<float> value = singleOfCellText(text);
    if (!value)
        return std::nullopt;
    return cellText(*value);
}

} // namespace

int pointCountOfSum(double countSum)
{
    if (std::isnan(countSum))
        return 0;
    const double clamped = std::clamp(countSum, 0.0, static_cast<double>(kFoldTableLastRow));
    return static_cast<int>(roundHalfEven(clamped).value_or(0));
}

BetaFileRead parseBetaLimbFile(const std::string& text)
{
    BetaFileRead out;
    ItemReader reader(text);
    const std::optional<float> left = nextSingle(reader);
    const std::optional<float> right = nextSingle(reader);
    if (!left || !right) {
        out.fault = BetaFileReadFault::BadCounts;
        return out;
    }
    BetaFileContents& contents = out.contents;
    contents.leftCountText = cellText(*left);
    contents.rightCountText = cellText(*right);
    contents.pointCount = pointCountOfSum(static_cast<float>(*left + *right));
    contents.overturned = isOverturnedFlag(reader.nextLine().value_or(std::string()));

    out.countsRead = true;

    // The records in file order: a record that is no pair of numbers ends the
    // read, and the rows before it are kept, as are those before a record cut
    // short or one the table has no row for.
    const RecordsRead read = readRecords(reader, 2, kFoldTableLastRow);
    for (const std::vector<std::string>& record : read.records) {
        const std::optional<std::string> dipDirection = singleCellText(record[0]);
        const std::optional<std::string> dip = singleCellText(record[1]);
        if (!dipDirection || !dip) {
            out.fault = BetaFileReadFault::BadRecord;
            return out;
        }
        contents.rows.push_back({*dipDirection, *dip});
    }
    if (read.fault == RecordReadFault::TooManyRecords)
        out.fault = BetaFileReadFault::TooManyRecords;
    else if (read.fault != RecordReadFault::None)
        out.fault = BetaFileReadFault::BadRecord;
    return out;
}

BetaFileWrite formatBetaLimbFile(const std::string& leftCountText, const std::string& rightCountText,
                                 bool overturned, const CellText& cell)
{
    BetaFileWrite out;
    const double left = leadingNumber(leftCountText);
    const double right = leadingNumber(rightCountText);
    if (!std::isfinite(left) || !std::isfinite(right)) {
        out.fault = BetaFileWriteFault::BadCounts;
        return out;
    }
    const int pointCount = pointCountOfSum(left + right);
    std::optional<std::vector<std::string>> records = attitudeTableLines(cell, pointCount);
    if (!records) {
        out.fault = BetaFileWriteFault::BadRecord;
        return out;
    }
    PrintLine counts;
    counts.add(printText(left)).nextZone().add(printText(right));
    out.lines.push_back(counts.str());
    out.lines.push_back(overturned ? "y" : "n");
    out.lines.insert(out.lines.end(), records->begin(), records->end());
    out.pointCount = pointCount;
    return out;
}

} // namespace kv

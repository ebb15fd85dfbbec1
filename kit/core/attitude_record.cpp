#include "kit/core/attitude_record.h"

#include <cmath>

namespace kv {

ParsedAttitude attitudeFromCellTexts(std::string_view dipDirectionText, std::string_view dipText)
{
    ParsedAttitude out;
    const std::optional<float> dipDirection = toSinglePrecision(leadingNumber(dipDirectionText));
    if (!dipDirection || !std::isfinite(*dipDirection)) {
        out.fault = RecordFault::DipDirectionOutOfRange;
        return out;
    }
    const std::optional<std::int16_t> dip = roundToInt16(leadingNumber(dipText));
    if (!dip) {
        out.fault = RecordFault::DipOutOfRange;
        return out;
    }
    out.record = {static_cast<double>(*dipDirection), static_cast<double>(*dip)};
    return out;
}

PrintLine attitudeRecordLine(const Attitude& record)
{
    // The values came from attitudeFromCellTexts, so both conversions are exact.
    PrintLine line;
    line.add(printText(static_cast<float>(record.dipDirection)))
        .nextZone()
        .add(printText(static_cast<std::int64_t>(record.dip)));
    return line;
}

FormattedRecord formatAttitudeRecord(std::string_view dipDirectionText, std::string_view dipText)
{
    const ParsedAttitude parsed = attitudeFromCellTexts(dipDirectionText, dipText);
    if (parsed.fault != RecordFault::None)
        return {std::string(), parsed.fault};
    return {attitudeRecordLine(parsed.record).str(), RecordFault::None};
}

std::string cellTextOfItem(const ItemReader::Item& item)
{
    return item.number ? cellText(*item.number) : item.text;
}

RecordsRead readRecords(ItemReader& reader, int itemsPerRecord, int maxRecords)
{
    RecordsRead out;
    if (itemsPerRecord < 1)
        return out;
    while (!reader.atEnd()) {
        if (static_cast<int>(out.records.size()) >= maxRecords) {
            out.fault = RecordReadFault::TooManyRecords;
            return out;
        }
        std::vector<std::string> record;
        for (int i = 0; i < itemsPerRecord; ++i) {
            const std::optional<ItemReader::Item> item = reader.next();
            if (!item) {
                out.fault = RecordReadFault::ItemMissing;
                return out;
            }
            record.push_back(cellTextOfItem(*item));
        }
        out.records.push_back(std::move(record));
    }
    return out;
}

std::optional<std::vector<std::string>> attitudeRecordLines(const CellText& cell, int lastRow,
                                                            const ExtraRecordItem& extra)
{
    std::vector<std::string> lines;
    for (int r = 1; r <= lastRow; ++r) {
        const std::string dipDirection = cell(r, 1);
        if (dipDirection.empty())
            break; // the records end at the first row without a dip direction
        const std::string dip = cell(r, 2);
        if (dip.empty())
            return std::nullopt;
        const ParsedAttitude parsed = attitudeFromCellTexts(dipDirection, dip);
        if (parsed.fault != RecordFault::None)
            return std::nullopt;
        PrintLine line = attitudeRecordLine(parsed.record);
        if (extra) {
            const std::optional<std::string> item = extra(r);
            if (!item)
                return std::nullopt;
            line.nextZone().add(*item);
        }
        lines.push_back(line.str());
    }
    return lines;
}

} // namespace kv

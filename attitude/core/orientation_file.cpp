#include "attitude/core/orientation_file.h"

#include "attitude/core/header_items.h"
#include "kit/core/attitude_record.h"
#include "platform/text/text_file.h"

namespace kv {

namespace {

std::string upperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

OrientationReadFault recordFault(RecordReadFault fault)
{
    switch (fault) {
    case RecordReadFault::None:
        return OrientationReadFault::None;
    case RecordReadFault::ItemMissing:
        return OrientationReadFault::ItemMissing;
    case RecordReadFault::TooManyRecords:
        return OrientationReadFault::TooManyRecords;
    }
    return OrientationReadFault::ItemMissing;
}

} // namespace

std::string orientationReadMessage(OrientationReadFault fault)
{
    if (fault == OrientationReadFault::None)
        return std::string();
    if (fault == OrientationReadFault::TypeRefused)
        return "数据类型说明有误！";
    return "数据文件出错！";
}

OrientationRead parseOrientationFile(std::string_view text)
{
    OrientationRead out;
    ItemReader reader{std::string(text)};
    const std::optional<std::string> description = reader.nextText();
    const std::optional<std::string> type = description ? reader.nextText() : std::nullopt;
    if (!type) {
        out.fault = OrientationReadFault::HeaderMissing;
        return out;
    }
    const std::string dataType = upperAscii(*type);
    if (dataType != "L" && dataType != "P") {
        out.fault = OrientationReadFault::TypeRefused;
        return out;
    }
    out.headerAccepted = true;
    RecordsRead read = readRecords(reader, 2, kNetTableLastRow);
    out.records = std::move(read.records);
    out.fault = recordFault(read.fault);
    if (out.fault == OrientationReadFault::None) {
        out.description = *description;
        out.dataType = dataType;
    }
    return out;
}

OrientationRead readOrientationFile(const std::string& path)
{
    const TextReadResult read = readTextFile(path);
    if (read.error != FileError::None) {
        OrientationRead out;
        out.fault = OrientationReadFault::CannotRead;
        return out;
    }
    return parseOrientationFile(read.text);
}

std::string orientationWriteMessage(OrientationWriteFault fault)
{
    if (fault == OrientationWriteFault::None)
        return std::string();
    if (fault == OrientationWriteFault::BadRow)
        return "数据有误，请检查！";
    return "数据文件出错！";
}

TableRecordLines recordLinesOfTable(const CellText& cells, int extraColumn)
{
    TableRecordLines out;
    auto fail = [&](TableRecordLines::Fault fault, int row) {
        out.lines.clear();
        out.fault = fault;
        out.badRow = row;
        return out;
    };
    for (int row = 1; row <= kNetTableLastRow; ++row) {
        const std::string direction = cells(row, 1);
        if (direction.empty())
            break;
        const std::string dip = cells(row, 2);
        if (dip.empty())
            return fail(TableRecordLines::Fault::BadRow, row);
        const ParsedAttitude parsed = attitudeFromCellTexts(direction, dip);
        if (parsed.fault != RecordFault::None)
            return fail(TableRecordLines::Fault::BadRow, row);
        PrintLine line = attitudeRecordLine(parsed.record);
        if (extraColumn > 0) {
            const std::string extra = cells(row, extraColumn);
            if (extra.empty())
                return fail(TableRecordLines::Fault::BadRow, row);
            const std::optional<std::string> item = recordTextItem(extra);
            if (!item)
                return fail(TableRecordLines::Fault::ExtraUnreadable, row);
            line.nextZone().add(*item);
        }
        out.lines.push_back(line.str());
    }
    return out;
}

OrientationLines orientationFileLines(const CellText& cells, const std::string& description,
                                      const std::string& dataType)
{
    OrientationLines out;
    const TableRecordLines records = recordLinesOfTable(cells, 0);
    if (records.fault != TableRecordLines::Fault::None) {
        out.fault = OrientationWriteFault::BadRow;
        out.badRow = records.badRow;
        return out;
    }
    const std::optional<std::string> first = headerTextItem(description);
    if (!first) {
        out.fault = OrientationWriteFault::DescriptionUnreadable;
        return out;
    }
    out.lines.push_back(*first);
    out.lines.push_back(dataType == "L" ? "L" : "P");
    out.lines.insert(out.lines.end(), records.lines.begin(), records.lines.end());
    return out;
}

OrientationWriteFault writeOrientationFile(const std::string& path, const CellText& cells,
                                           const std::string& description, const std::string& dataType)
{
    const OrientationLines lines = orientationFileLines(cells, description, dataType);
    if (lines.fault != OrientationWriteFault::None)
        return lines.fault;
    if (writeTextFile(path, lines.lines) != FileError::None)
        return OrientationWriteFault::CannotWrite;
    return OrientationWriteFault::None;
}

} // namespace kv

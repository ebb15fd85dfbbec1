#include "fold/core/fold_table.h"

#include "frame/core/attitude_record.h"
#include "platform/text/number_text.h"
#include "platform/text/text_file.h"

namespace kv {

bool isEmptyCell(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::optional<float> singleOfNumberText(std::string_view text)
{
    ItemReader reader{std::string(text)};
    const std::optional<ItemReader::Item> item = reader.next();
    if (!item || !item->number || !reader.atEnd())
        return std::nullopt;
    return csng(*item->number);
}

std::optional<std::vector<std::string>> attitudeTableLines(const FoldCellText& cell, int lastRow)
{
    std::vector<std::string> lines;
    for (int row = 1; row <= lastRow; ++row) {
        const std::string dipDirection = cell(row, 1);
        if (isEmptyCell(dipDirection))
            break;
        const std::string dip = cell(row, 2);
        if (isEmptyCell(dip))
            return std::nullopt;
        FormattedRecord record = formatAttitudeRecord(dipDirection, dip);
        if (!record.ok())
            return std::nullopt;
        lines.push_back(std::move(record.line));
    }
    return lines;
}

} // namespace kv

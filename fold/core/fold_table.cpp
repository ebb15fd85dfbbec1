#include "fold/core/fold_table.h"

#include "kit/core/attitude_record.h"

namespace kv {

std::optional<std::vector<std::string>> attitudeTableLines(const CellText& cell, int lastRow)
{
    std::vector<std::string> lines;
    for (int row = 1; row <= lastRow; ++row) {
        const std::string dipDirection = cell(row, 1);
        if (isBlankCell(dipDirection))
            break;
        const std::string dip = cell(row, 2);
        if (isBlankCell(dip))
            return std::nullopt;
        FormattedRecord record = formatAttitudeRecord(dipDirection, dip);
        if (!record.ok())
            return std::nullopt;
        lines.push_back(std::move(record.line));
    }
    return lines;
}

} // namespace kv

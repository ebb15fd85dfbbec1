#include "attitude/core/rose_table.h"

#include "platform/text/number_text.h"

namespace kv {

std::optional<double> roseDegrees(const std::string& cellText)
{
    const std::optional<std::int64_t> whole = roundHalfEven(leadingNumber(cellText));
    if (!whole)
        return std::nullopt;
    return static_cast<double>(*whole);
}

JointTableScan scanJointTable(const CellText& cell)
{
    JointTableScan scan;
    int row = 1;
    for (; row <= kJointTableLastRow; ++row) {
        const std::string dipDirectionText = cell(row, 1);
        if (isBlankCell(dipDirectionText))
            break;
        const std::string dipText = cell(row, 2);
        if (isBlankCell(dipText)) {
            scan.blankDip = true;
            break;
        }
        const auto dipDirection = roseDegrees(dipDirectionText);
        const auto dip = roseDegrees(dipText);
        if (!dipDirection || !dip) {
            scan.badNumber = true;
            break;
        }
        scan.records.push_back({*dipDirection, *dip});
    }
    scan.stopRow = row;
    scan.noRecord = scan.records.empty();
    return scan;
}

} // namespace kv

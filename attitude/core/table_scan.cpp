#include "attitude/core/table_scan.h"

#include "platform/text/number_text.h"

#include <optional>

namespace kv {

bool isBlankCell(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

namespace {

// The whole degrees of a cell: the number at the start of its text, nearest
// whole number with halves to even. Empty when no whole number can hold it.
std::optional<std::int64_t> wholeDegrees(const std::string& text)
{
    return roundHalfEven(val(text));
}

} // namespace

JointTableScan scanJointTable(const JointCellText& cell)
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
        const auto dipDirection = wholeDegrees(dipDirectionText);
        const auto dip = wholeDegrees(dipText);
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

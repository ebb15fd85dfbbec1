#include "strain/core/xyz_value_file.h"

#include "platform/text/number_text.h"

namespace kv {

std::string xyzComputedValue(double value) { return printText(value); }

std::string xyzValueLine(const XyzRow& row)
{
    return PrintLine().add(row.x).nextZone().add(row.y).nextZone().add(row.value).str();
}

std::vector<std::string> xyzValueLines(const std::vector<XyzRow>& rows)
{
    std::vector<std::string> lines;
    lines.reserve(rows.size());
    for (const XyzRow& row : rows)
        lines.push_back(xyzValueLine(row));
    return lines;
}

} // namespace kv

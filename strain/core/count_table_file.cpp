#include "strain/core/count_table_file.h"

#include "platform/text/number_text.h"
#include "strain/core/count_settings.h"

#include <cstdint>
#include <limits>

namespace kv {

std::variant<std::vector<std::string>, CountTableUnwritable> countTableLines(const CellText& cell)
{
    std::vector<std::string> lines;
    for (int row = 1; row <= kCountTableLastRow; ++row) {
        const std::string angleText = cell(row, 1);
        if (angleText.empty())
            break;
        const auto angle = toSinglePrecision(leadingNumber(angleText));
        const auto count = roundHalfEven(leadingNumber(cell(row, 2)));
        // Counts of large photographs pass 32767; 32 bits hold any count.
        if (!angle || !count || *count > std::numeric_limits<std::int32_t>::max()
            || *count < std::numeric_limits<std::int32_t>::min())
            return CountTableUnwritable{row};
        lines.push_back(PrintLine().add(printText(*angle)).nextZone().add(printText(*count)).str());
    }
    return lines;
}

} // namespace kv

#include "strain/core/table_cells.h"

#include "platform/text/text_file.h"

namespace kv {

std::string trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::optional<double> strictNumber(std::string_view text)
{
    const std::string trimmed = trimBlanks(text);
    if (trimmed.empty())
        return std::nullopt;
    // The free-format reader knows exactly what one number item is; a text
    // holding anything after that one item is not a number.
    ItemReader reader(trimmed);
    const auto item = reader.next();
    if (!item || !item->number || !reader.atEnd())
        return std::nullopt;
    return item->number;
}

} // namespace kv

#include "kit/core/table_cells.h"

#include "platform/text/item_reader.h"
#include "platform/text/number_text.h"

namespace kv {

bool isBlankCell(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::optional<double> numberOfCellText(std::string_view text)
{
    // The free-format reader knows exactly what one number item is; a text
    // holding anything after that one item is not a number.
    ItemReader reader{std::string(text)};
    const std::optional<ItemReader::Item> item = reader.next();
    if (!item || !item->number || !reader.atEnd())
        return std::nullopt;
    return item->number;
}

std::optional<float> singleOfCellText(std::string_view text)
{
    const std::optional<double> number = numberOfCellText(text);
    if (!number)
        return std::nullopt;
    return toSinglePrecision(*number);
}

} // namespace kv

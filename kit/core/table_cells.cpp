#include "kit/core/table_cells.h"

#include "platform/text/item_reader.h"
#include "platform/text/number_text.h"

namespace kv {

bool isBlankCell(std::string_view text)
{
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::optional<float> singleOfCellText(std::string_view text)
{
    ItemReader reader{std::string(text)};
    const std::optional<ItemReader::Item> item = reader.next();
    if (!item || !item->number || !reader.atEnd())
        return std::nullopt;
    return csng(*item->number);
}

} // namespace kv

#include "kit/core/table_cells.h"

namespace kv {

bool isBlankCell(const std::string& text)
{
    return text.find_first_not_of(' ') == std::string::npos;
}

} // namespace kv

#include "attitude/core/header_items.h"

#include "kit/core/attitude_record.h"
#include "platform/text/text_file.h"

namespace kv {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool needsQuotes(std::string_view text)
{
    if (text.empty())
        return false;
    return text.find(',') != std::string_view::npos || text.front() == '"' || isBlank(text.front())
        || isBlank(text.back());
}

bool holdsLineEnd(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

} // namespace

std::optional<std::string> headerTextItem(std::string_view text)
{
    if (holdsLineEnd(text))
        return std::nullopt;
    const bool comma = text.find(',') != std::string_view::npos;
    const bool quote = text.find('"') != std::string_view::npos;
    if (comma && quote)
        return std::nullopt;
    if (needsQuotes(text))
        return "\"" + std::string(text) + "\"";
    return std::string(text);
}

std::optional<std::string> recordTextItem(std::string_view text)
{
    if (holdsLineEnd(text))
        return std::nullopt;
    ItemReader probe{std::string(text)};
    const std::optional<ItemReader::Item> item = probe.next();
    if (!text.empty() && item && probe.atEnd() && cellTextOfItem(*item) == text)
        return std::string(text);
    if (text.find('"') != std::string_view::npos)
        return std::nullopt;
    return "\"" + std::string(text) + "\"";
}

} // namespace kv

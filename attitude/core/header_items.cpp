#include "attitude/core/header_items.h"

#include "kit/core/attitude_record.h"
#include "platform/text/text_file.h"

namespace kv {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

std::string trimmedBlanks(std::string_view s)
{
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && isBlank(s[first]))
        ++first;
    while (last > first && isBlank(s[last - 1]))
        --last;
    return std::string(s.substr(first, last - first));
}

bool needsQuotes(std::string_view text)
{
    if (text.empty())
        return false;
    return text.find(',') != std::string_view::npos || text.front() == '"' || isBlank(text.front())
        || isBlank(text.back());
}

bool holdsLineEnd(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

} // namespace

void HeaderItemReader::skipBlanks()
{
    while (pos_ < text_.size() && isBlank(text_[pos_]))
        ++pos_;
}

void HeaderItemReader::takeSeparator()
{
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == ',') {
        ++pos_;
        return;
    }
    if (text_[pos_] == '\r')
        ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n')
        ++pos_;
}

std::optional<std::string> HeaderItemReader::text()
{
    skipBlanks();
    if (pos_ >= text_.size())
        return std::nullopt;
    const std::string_view rest = std::string_view(text_).substr(pos_);
    if (rest[0] == '"') {
        const std::size_t lineEnd = std::min(rest.find_first_of("\r\n"), rest.size());
        for (std::size_t q = 1; q < lineEnd; ++q) {
            if (rest[q] != '"')
                continue;
            std::size_t after = q + 1;
            while (after < rest.size() && isBlank(rest[after]))
                ++after;
            if (after == rest.size() || rest[after] == ',' || isLineEnd(rest[after])) {
                std::string item(rest.substr(1, q - 1));
                pos_ += after;
                takeSeparator();
                return item;
            }
        }
        std::string item(rest.substr(1, lineEnd - 1));
        pos_ += lineEnd;
        takeSeparator();
        return item;
    }
    std::size_t end = rest.find_first_of(",\r\n");
    if (end == std::string_view::npos)
        end = rest.size();
    std::string item = trimmedBlanks(rest.substr(0, end));
    pos_ += end;
    takeSeparator();
    return item;
}

std::optional<HeaderItemReader::Number> HeaderItemReader::number()
{
    while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(text_[pos_])))
        ++pos_;
    if (pos_ >= text_.size())
        return std::nullopt;
    const std::string_view rest = std::string_view(text_).substr(pos_);
    std::size_t end = rest.find_first_of(" \t,\r\n");
    if (end == std::string_view::npos)
        end = rest.size();
    const std::string token(rest.substr(0, end));
    if (token.empty() || token[0] != '"') {
        // Whether the whole token is a number is the item reader's own rule.
        ItemReader probe(token);
        const std::optional<ItemReader::Item> item = probe.next();
        if (item && item->number && item->text == token) {
            pos_ += end;
            skipBlanks();
            if (pos_ < text_.size() && (text_[pos_] == ',' || isLineEnd(text_[pos_])))
                takeSeparator();
            return Number{token, item->number};
        }
    }
    std::optional<std::string> item = text();
    if (!item)
        return std::nullopt;
    return Number{*item, std::nullopt};
}

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

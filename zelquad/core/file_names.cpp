#include "zelquad/core/file_names.h"

#include <cstddef>
#include <vector>

namespace zq {

namespace {

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Byte offsets where the UTF-8 characters of a text start.
std::vector<std::size_t> characterStarts(std::string_view text)
{
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!isContinuationByte(text[i]))
            starts.push_back(i);
    return starts;
}

char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

std::string trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

bool isAcceptedFileName(std::string_view name)
{
    return !name.empty() && (isAsciiLetter(name.front()) || name.front() == '/');
}

std::optional<std::string> proposedScriptName(std::string_view typed)
{
    const std::size_t trimmedLength = characterStarts(trimBlanks(typed)).size();
    if (trimmedLength <= 4)
        return std::nullopt;
    // The count comes from the trimmed text but the characters from the text as
    // typed, leading blanks included.
    const std::vector<std::size_t> starts = characterStarts(typed);
    const std::size_t keep = trimmedLength - 4;
    const std::size_t bytes = keep < starts.size() ? starts[keep] : typed.size();
    return std::string(typed.substr(0, bytes)) + ".scr";
}

std::string withScriptExtension(std::string name)
{
    const char* const extension = ".SCR";
    bool hasIt = name.size() >= 4;
    for (std::size_t i = 0; hasIt && i < 4; ++i)
        hasIt = upperAscii(name[name.size() - 4 + i]) == extension[i];
    if (!hasIt)
        name += ".scr";
    return name;
}

} // namespace zq

// What the targets of text files share: the text a reader gets for an input,
// the text it gets back for the lines its writer saved, and a table of cell
// texts as the windows keep one.
#pragma once

#include "fuzz/fuzz_check.h"
#include "platform/text/text_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv::fuzz {

struct InputText {
    std::string text;
    bool decoded = false; // the bytes were code-page text, as every window demands
};

// Undecodable files are refused before a reader sees them; the readers are
// still fed their bytes, as they must not depend on that.
inline InputText inputText(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto decoded = decodeCodePage(bytes))
        return {*decoded, true};
    return {std::string(bytes), false};
}

// The lines as the writer puts them on the disk (code page, CR LF) and as the
// reader then gets them back. Empty when the text cannot be encoded: the save
// is then refused, which only text that did not come from a decoded file may
// cause.
inline std::optional<std::string> writtenAndReadBack(const std::vector<std::string>& lines, bool fromDecodedText)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    const auto bytes = encodeCodePage(text);
    check(bytes.has_value() || !fromDecodedText, "what a decoded file holds can be written");
    if (!bytes)
        return std::nullopt;
    const auto back = decodeCodePage(*bytes);
    check(back.has_value() && *back == text, "written lines decode as they were");
    return back;
}

// Single-precision values keep seven significant digits in print text, doubles
// fifteen: read back they may differ in the digits beyond.
inline bool sameToDigits(double before, double after, int digits)
{
    return std::fabs(after - before) <= std::fabs(before) * std::pow(10.0, 1 - digits);
}

// A table's cell texts, rows from 1 and columns from 1; any other cell is empty.
class CellTable {
public:
    explicit CellTable(std::vector<std::vector<std::string>> rows) : rows_(std::move(rows)) {}
    std::string operator()(int row, int column) const
    {
        if (row < 1 || column < 1 || static_cast<std::size_t>(row) > rows_.size())
            return std::string();
        const std::vector<std::string>& cells = rows_[static_cast<std::size_t>(row - 1)];
        return static_cast<std::size_t>(column) > cells.size() ? std::string()
                                                                : cells[static_cast<std::size_t>(column - 1)];
    }

private:
    std::vector<std::vector<std::string>> rows_;
};

} // namespace kv::fuzz

#include "fold/core/rheometer_table.h"

#include "platform/text/number_text.h"

#include <array>

namespace kv {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmedBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// True when the whole text is one decimal number: the table lets the user type
// any run of digits, signs and points, and only a well-formed number counts.
bool isWholeDecimalNumber(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    for (; i < s.size() && isDigit(s[i]); ++i)
        ++digits;
    if (i < s.size() && s[i] == '.')
        for (++i; i < s.size() && isDigit(s[i]); ++i)
            ++digits;
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        std::size_t exponentDigits = 0;
        for (; i < s.size() && isDigit(s[i]); ++i)
            ++exponentDigits;
        if (exponentDigits == 0)
            return false;
    }
    return i == s.size();
}

} // namespace

std::optional<float> measurementOfCellText(std::string_view text)
{
    const std::string_view number = trimmedBlanks(text);
    if (!isWholeDecimalNumber(number))
        return std::nullopt;
    return csng(val(number));
}

FoldTableRead readFoldTable(const CellText& cell)
{
    std::array<std::string, kFoldMeasurementCount> texts;
    for (int i = 0; i < kFoldMeasurementCount; ++i) {
        texts[i] = cell(kFoldMeasurementRow, kFoldFirstMeasurementColumn + i);
        if (trimmedBlanks(texts[i]).empty())
            return {FoldTableRead::Outcome::BlankCell, {}};
    }
    std::array<float, kFoldMeasurementCount> values{};
    for (int i = 0; i < kFoldMeasurementCount; ++i) {
        const std::optional<float> value = measurementOfCellText(texts[i]);
        if (!value)
            return {FoldTableRead::Outcome::BadNumber, {}};
        values[i] = *value;
    }
    FoldTableRead read;
    read.outcome = FoldTableRead::Outcome::Complete;
    read.measurements = {values[0], values[1], values[2], values[3], values[4], values[5]};
    return read;
}

} // namespace kv

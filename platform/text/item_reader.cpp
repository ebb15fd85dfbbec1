// Free-format reading of data files, item by item: commas and line ends
// separate items, a number also ends at a blank, and double quotes protect
// commas. Header items are read as texts, so a blank ends no item there.
#include "platform/text/item_reader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

namespace kv {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool isHexDigit(char c)
{
    return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// Length of the "&H1F" / "&O17" number at the start of s, 0 when there is none.
std::size_t radixNumberLength(std::string_view s)
{
    if (s.size() < 3 || s[0] != '&')
        return 0;
    char kind = upper(s[1]);
    if (kind != 'H' && kind != 'O')
        return 0;
    std::size_t i = 2;
    while (i < s.size() && (kind == 'H' ? isHexDigit(s[i]) : isOctalDigit(s[i])))
        ++i;
    return i > 2 ? i : 0;
}

// Length of the number at the start of s: a sign, digits with at most one
// point, an exponent with E or D; or a hexadecimal or octal number. 0 when s
// doesn't start with a number.
std::size_t numberLength(std::string_view s)
{
    if (std::size_t radix = radixNumberLength(s))
        return radix;
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
        return 0;
    if (i < s.size() && (upper(s[i]) == 'E' || upper(s[i]) == 'D')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        std::size_t k = j;
        while (k < s.size() && isDigit(s[k]))
            ++k;
        if (k > j) // an exponent letter without digits is not part of the number
            i = k;
    }
    return i;
}

// Hexadecimal and octal numbers up to FFFF are 16-bit whole numbers and up to
// FFFFFFFF 32-bit ones, so &HFFFF is -1. Larger ones don't fit.
std::optional<double> radixValue(std::string_view token)
{
    const bool hex = upper(token[1]) == 'H';
    std::uint64_t value = 0;
    for (char c : token.substr(2)) {
        int digit = isDigit(c) ? c - '0' : upper(c) - 'A' + 10;
        value = value * (hex ? 16 : 8) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    if (value <= 0xFFFFu)
        return static_cast<double>(static_cast<std::int16_t>(static_cast<std::uint16_t>(value)));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// Power of ten of the leading nonzero digit of a decimal number too far out of
// range to be held: positive for an overflow, not above 0 for an underflow.
long decimalMagnitude(std::string_view mantissa, long exponent)
{
    std::size_t point = mantissa.find('.');
    std::string_view whole = mantissa.substr(0, point);
    std::size_t firstNonZero = whole.find_first_not_of('0');
    if (firstNonZero != std::string_view::npos)
        return static_cast<long>(whole.size() - firstNonZero) + exponent;
    std::string_view fraction = point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
    std::size_t zeros = fraction.find_first_not_of('0');
    return exponent - static_cast<long>(zeros == std::string_view::npos ? 0 : zeros);
}

std::optional<double> decimalValue(std::string_view token)
{
    std::string plain;
    plain.reserve(token.size());
    // One exponent letter from here on: e, E, d and D are the same to the reader.
    for (char c : token)
        plain += (upper(c) == 'D' || upper(c) == 'E') ? 'E' : c;
    const char* first = plain.data();
    const char* last = plain.data() + plain.size();
    if (*first == '+')
        ++first;
    double value = 0;
    std::from_chars_result r = std::from_chars(first, last, value, std::chars_format::general);
    if (r.ec == std::errc() && r.ptr == last)
        return value;
    if (r.ec != std::errc::result_out_of_range)
        return std::nullopt;
    // Out of range: a tiny value reads as 0, a huge one as no number.
    std::string_view digits(first, static_cast<std::size_t>(last - first));
    if (!digits.empty() && digits[0] == '-')
        digits.remove_prefix(1);
    std::size_t e = digits.find('E');
    long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view ex = digits.substr(e + 1);
        bool negative = !ex.empty() && ex[0] == '-';
        if (!ex.empty() && (ex[0] == '-' || ex[0] == '+'))
            ex.remove_prefix(1);
        for (char c : ex)
            if (exponent < 1000000)
                exponent = exponent * 10 + (c - '0');
        if (negative)
            exponent = -exponent;
    }
    if (decimalMagnitude(digits.substr(0, e), exponent) <= 0)
        return 0.0;
    return std::nullopt;
}

std::optional<double> numberValue(std::string_view token)
{
    return token[0] == '&' ? radixValue(token) : decimalValue(token);
}

// Position after the one line end (CR LF, LF or CR) at `at`, if there is one.
std::size_t pastLineEnd(std::string_view s, std::size_t at)
{
    if (at < s.size() && s[at] == '\r')
        ++at;
    if (at < s.size() && s[at] == '\n')
        ++at;
    return at;
}

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

} // namespace

ItemReader::ItemReader(std::string text) : text_(std::move(text)) {}

void ItemReader::skipBlanks()
{
    while (pos_ < text_.size() && isBlank(text_[pos_]))
        ++pos_;
}

void ItemReader::takeSeparator()
{
    if (pos_ >= text_.size())
        return;
    if (text_[pos_] == ',')
        ++pos_;
    else
        pos_ = pastLineEnd(text_, pos_);
}

bool ItemReader::atEnd() const
{
    for (std::size_t i = pos_; i < text_.size(); ++i)
        if (!isBlank(text_[i]) && !isLineEnd(text_[i]))
            return false;
    return true;
}

std::optional<ItemReader::Item> ItemReader::next()
{
    // Blanks and empty lines before an item are skipped: a record may span lines.
    while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(text_[pos_])))
        ++pos_;
    if (pos_ >= text_.size())
        return std::nullopt;

    // One comma or one line end after an item belongs to it.
    const std::string_view rest = std::string_view(text_).substr(pos_);
    Item item;
    if (rest[0] == ',') { // two commas in a row: an empty item between them
        ++pos_;
        return item;
    }
    if (rest[0] == '"') {
        std::size_t close = rest.find('"', 1);
        if (close == std::string_view::npos) { // no closing quote: the rest of the text
            item.text = std::string(rest.substr(1));
            pos_ = text_.size();
            return item;
        }
        item.text = std::string(rest.substr(1, close - 1));
        pos_ += close + 1;
        skipBlanks();
        takeSeparator();
        return item;
    }
    if (std::size_t length = numberLength(rest)) {
        std::size_t after = pos_ + length;
        while (after < text_.size() && isBlank(text_[after]))
            ++after;
        bool endsHere = after == text_.size() || text_[after] == ',' || isLineEnd(text_[after]);
        if (endsHere || after > pos_ + length) { // a number also ends at a blank
            item.text = std::string(rest.substr(0, length));
            item.number = numberValue(item.text);
            pos_ = after;
            takeSeparator();
            return item;
        }
    }
    std::size_t end = rest.find_first_of(",\r\n");
    if (end == std::string_view::npos)
        end = rest.size();
    item.text = trimmedBlanks(rest.substr(0, end));
    pos_ += end;
    takeSeparator();
    return item;
}

std::optional<std::string> ItemReader::nextText()
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

std::optional<ItemReader::Item> ItemReader::nextNumberOrText()
{
    while (pos_ < text_.size() && (isBlank(text_[pos_]) || isLineEnd(text_[pos_])))
        ++pos_;
    if (pos_ >= text_.size())
        return std::nullopt;
    const std::string_view rest = std::string_view(text_).substr(pos_);
    std::size_t end = rest.find_first_of(" \t,\r\n");
    if (end == std::string_view::npos)
        end = rest.size();
    const std::string_view token = rest.substr(0, end);
    if (!token.empty() && numberLength(token) == token.size()) {
        if (std::optional<double> number = numberValue(token)) {
            Item item{std::string(token), number};
            pos_ += end;
            skipBlanks();
            if (pos_ < text_.size() && (text_[pos_] == ',' || isLineEnd(text_[pos_])))
                takeSeparator();
            return item;
        }
    }
    std::optional<std::string> text = nextText();
    if (!text)
        return std::nullopt;
    return Item{std::move(*text), std::nullopt};
}

std::optional<std::string> ItemReader::nextLine()
{
    if (pos_ >= text_.size())
        return std::nullopt;
    std::size_t end = text_.find_first_of("\r\n", pos_);
    if (end == std::string::npos)
        end = text_.size();
    std::string line = text_.substr(pos_, end - pos_);
    pos_ = pastLineEnd(text_, end);
    return line;
}

} // namespace kv

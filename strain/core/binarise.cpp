#include "strain/core/binarise.h"

#include "platform/text/number_text.h"


namespace kv {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::size_t skipDigits(std::string_view s, std::size_t i)
{
    while (i < s.size() && isDigit(s[i]))
        ++i;
    return i;
}

// Sign, digits with at most one point (at least one digit), optional exponent;
// nothing else. A whole-text check: "12abc" is refused, not read as 12.
bool isDecimalNumber(std::string_view s)
{
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    const std::size_t intStart = i;
    i = skipDigits(s, i);
    std::size_t digits = i - intStart;
    if (i < s.size() && s[i] == '.') {
        const std::size_t fracStart = ++i;
        i = skipDigits(s, i);
        digits += i - fracStart;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            ++i;
        const std::size_t expStart = i;
        i = skipDigits(s, i);
        if (i == expStart)
            return false;
    }
    return i == s.size();
}

} // namespace

int greyOf(std::uint32_t rgb)
{
    const double grey = 0.31 * redOf(rgb) + 0.59 * greenOf(rgb) + 0.11 * blueOf(rgb);
    return static_cast<int>(*roundHalfEven(grey)); // 0..258, always representable
}

std::optional<std::int16_t> parseThreshold(std::string_view answer)
{
    const std::string_view text = trimmed(answer);
    if (!isDecimalNumber(text))
        return std::nullopt;
    return roundToInt16(leadingNumber(text));
}

void binariseArgbRow(const std::uint32_t* argb, std::size_t width, int threshold, GreyMemo& memo,
                     std::int16_t* cells)
{
    for (std::size_t x = 0; x < width; ++x) {
        const std::uint32_t rgb = swapRedBlue(argb[x]);
        if (rgb != memo.rgb) {
            memo.rgb = rgb;
            memo.grey = greyOf(rgb);
        }
        cells[x] = memo.grey < threshold ? PixelMap::line : PixelMap::background;
    }
}

} // namespace kv

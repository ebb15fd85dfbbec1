// Number <-> text rules. Every conversion goes through std::from_chars /
// std::to_chars and plain digit strings, so no locale can change a point into
// a comma or a digit into something else.
#include "platform/text/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kv {
namespace {

// ---------------------------------------------------------------- reading

bool isSkippedBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The text with blanks, tabs and line feeds taken out: they are ignored
// wherever they stand, also between the digits of one number.
std::string withoutBlanks(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (!isSkippedBlank(c))
            out.push_back(c);
    return out;
}

int hexDigitValue(char c)
{
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "&H..." or "&O..." (the "&" and letter already consumed). A value that fits
// in 16 bits is a 16-bit signed number (&HFFFF is -1), one that fits in 32 bits
// a 32-bit signed number; anything longer keeps its plain value instead of
// failing, since the caller cannot react to an overflow here.
double valBased(std::string_view digits, int base)
{
    std::uint64_t value = 0;
    double wide = 0.0; // the plain value, kept for texts beyond 64 bits
    for (char c : digits) {
        const int d = hexDigitValue(c);
        if (d < 0 || d >= base)
            break;
        value = value * base + static_cast<std::uint64_t>(d);
        wide = wide * base + d;
    }
    if (wide >= 0x1p64)
        return wide;
    if (value <= 0xFFFFu)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    if (value <= 0xFFFFFFFFu)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
    return static_cast<double>(value);
}

// Decimal exponent of the leading digit of a mantissa/exponent pair, used
// only to tell an overflow from an underflow when from_chars refuses a range.
long leadingExponent(std::string_view mantissa, long exponent)
{
    const auto point = mantissa.find('.');
    const std::string_view whole = mantissa.substr(0, point);
    const auto firstNonZero = whole.find_first_not_of('0');
    if (firstNonZero != std::string_view::npos)
        return exponent + static_cast<long>(whole.size() - firstNonZero) - 1;
    if (point == std::string_view::npos)
        return std::numeric_limits<long>::min();
    const std::string_view fraction = mantissa.substr(point + 1);
    const auto fracNonZero = fraction.find_first_not_of('0');
    if (fracNonZero == std::string_view::npos)
        return std::numeric_limits<long>::min();
    return exponent - static_cast<long>(fracNonZero) - 1;
}

// The decimal number at the start of s (blanks already removed): sign, digits
// with at most one point, then an exponent after E or D if digits follow it.
double valDecimal(std::string_view s)
{
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    const std::size_t mantissaStart = i;
    bool sawDigit = false, sawPoint = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i]))
            sawDigit = true;
        else if (s[i] == '.' && !sawPoint)
            sawPoint = true;
        else
            break;
    }
    if (!sawDigit)
        return 0.0;
    const std::string_view mantissa = s.substr(mantissaStart, i - mantissaStart);

    long exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            expNegative = s[j++] == '-';
        if (j < s.size() && isDigit(s[j])) {
            for (; j < s.size() && isDigit(s[j]); ++j)
                if (exponent < 100000) // far beyond any double; stops overflow
                    exponent = exponent * 10 + (s[j] - '0');
            if (expNegative)
                exponent = -exponent;
        }
    }

    std::string plain(mantissa);
    plain += 'e';
    plain += std::to_string(exponent);
    double value = 0.0;
    const auto [end, err] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    (void)end;
    if (err == std::errc::result_out_of_range)
        value = leadingExponent(mantissa, exponent) > 0
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    else if (err != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

// ---------------------------------------------------------------- digits

// A decimal value as digit string: value = 0.DIGITS x 10^pointPos, digits
// without leading or trailing zeros; zero has no digits.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int pointPos = 0;
};

// Parses the "d.ddde+XX" text to_chars gives in scientific form.
DecimalDigits parseScientific(std::string_view text)
{
    DecimalDigits d;
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-') {
        d.negative = true;
        ++i;
    }
    for (; i < text.size() && text[i] != 'e'; ++i)
        if (isDigit(text[i]))
            d.digits.push_back(text[i]);
    int exponent = 0;
    if (i < text.size()) {
        std::size_t j = i + 1;
        if (j < text.size() && text[j] == '+')
            ++j;
        std::from_chars(text.data() + j, text.data() + text.size(), exponent);
    }
    d.pointPos = exponent + 1;
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.pointPos = 0; // only a zero has no leading nonzero digit
    return d;
}

// Whether digits read back as a number beyond T's largest finite value.
template <typename T>
bool beyondLargest(const DecimalDigits& d)
{
    if (d.digits.empty() || d.pointPos <= 0)
        return false;
    const std::string text = "0." + d.digits + "e" + std::to_string(d.pointPos);
    T parsed = 0;
    return std::from_chars(text.data(), text.data() + text.size(), parsed).ec
           == std::errc::result_out_of_range;
}

// Shortest digits that give the value back, rounded to maxSignificant digits
// when the shortest form needs more. T is float or double.
template <typename T>
DecimalDigits shortestDigits(T value, int maxSignificant)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    DecimalDigits d = parseScientific(std::string_view(buf, res.ptr - buf));
    if (static_cast<int>(d.digits.size()) > maxSignificant) {
        const DecimalDigits shortest = d;
        res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                            maxSignificant - 1);
        d = parseScientific(std::string_view(buf, res.ptr - buf));
        // Next to the largest value, rounding up would give a text that reads
        // back as infinity (the largest double would show 1.79769313486232E+308):
        // there the digits are cut instead, so every text written reads back.
        if (beyondLargest<T>(d)) {
            d = shortest;
            d.digits.resize(static_cast<std::size_t>(maxSignificant));
            while (!d.digits.empty() && d.digits.back() == '0')
                d.digits.pop_back();
        }
    }
    return d;
}

std::string exponentText(int exponent)
{
    std::string out = exponent < 0 ? "E-" : "E+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10)
        out += '0';
    out += std::to_string(magnitude);
    return out;
}

// Digits of a non-zero value without sign: fixed form for 0.001 <= |v| <
// 10^maxSignificant, exponent form otherwise. leadingZero chooses "0.5" over ".5".
std::string unsignedText(const DecimalDigits& d, int maxSignificant, bool leadingZero)
{
    const int count = static_cast<int>(d.digits.size());
    const int exponent = d.pointPos - 1;
    if (exponent < -3 || exponent >= maxSignificant) {
        std::string out(1, d.digits[0]);
        if (count > 1)
            out += '.' + d.digits.substr(1);
        return out + exponentText(exponent);
    }
    if (d.pointPos <= 0) {
        std::string out = leadingZero ? "0." : ".";
        return out + std::string(-d.pointPos, '0') + d.digits;
    }
    if (d.pointPos >= count)
        return d.digits + std::string(d.pointPos - count, '0');
    return d.digits.substr(0, d.pointPos) + '.' + d.digits.substr(d.pointPos);
}

template <typename T>
std::string printTextOf(T value, int maxSignificant)
{
    if (std::isnan(value))
        return " nan ";
    if (std::isinf(value))
        return value < 0 ? "-inf " : " inf ";
    const DecimalDigits d = shortestDigits(value, maxSignificant);
    if (d.digits.empty())
        return " 0 ";
    return (d.negative ? "-" : " ") + unsignedText(d, maxSignificant, false) + ' ';
}

template <typename T>
std::string cellTextOf(T value, int maxSignificant)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    const DecimalDigits d = shortestDigits(value, maxSignificant);
    if (d.digits.empty())
        return "0";
    return (d.negative ? "-" : "") + unsignedText(d, maxSignificant, true);
}

// ---------------------------------------------------------------- masks

// Rounds to `decimals` digits after the point, a half going away from zero.
// Works on the decimal digits, so 2.675 rounds like the 2.675 the user typed.
void roundHalfAwayFromZero(DecimalDigits& d, int decimals)
{
    const long keep = static_cast<long>(d.pointPos) + decimals;
    if (keep >= static_cast<long>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        d.pointPos = 0;
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        long i = keep - 1;
        for (; i >= 0 && d.digits[i] == '9'; --i)
            d.digits[i] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPos;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.pointPos = 0;
}

// The parts of a mask: literal text around one run of 0, # and point.
struct MaskParts {
    std::string prefix, suffix;
    int minIntegerDigits = 0;   // '0' before the point
    int forcedDecimals = 0;     // '0' after the point, counted up to the last '0'
    int decimals = 0;           // every '0' or '#' after the point
    bool hasPoint = false;
    bool percent = false;
};

MaskParts parseMask(std::string_view mask)
{
    MaskParts m;
    const auto first = mask.find_first_of("0#.");
    const auto last = mask.find_last_of("0#.");
    if (first == std::string_view::npos) {
        m.prefix = std::string(mask);
    } else {
        m.prefix = std::string(mask.substr(0, first));
        m.suffix = std::string(mask.substr(last + 1));
        for (char c : mask.substr(first, last - first + 1)) {
            if (c == '.') {
                m.hasPoint = true;
            } else if (!m.hasPoint) {
                m.minIntegerDigits += c == '0';
            } else {
                ++m.decimals;
                if (c == '0')
                    m.forcedDecimals = m.decimals;
            }
        }
    }
    m.percent = mask.find('%') != std::string_view::npos;
    return m;
}

std::string maskDigits(DecimalDigits d, const MaskParts& m)
{
    if (m.percent && !d.digits.empty())
        d.pointPos += 2; // times 100, exactly, on the decimal digits
    roundHalfAwayFromZero(d, m.decimals);

    const int count = static_cast<int>(d.digits.size());
    std::string whole = d.pointPos > 0
                            ? d.digits.substr(0, std::min(d.pointPos, count))
                                  + std::string(std::max(0, d.pointPos - count), '0')
                            : std::string();
    if (static_cast<int>(whole.size()) < m.minIntegerDigits)
        whole.insert(0, m.minIntegerDigits - whole.size(), '0');

    std::string fraction;
    for (int k = 0; k < m.decimals; ++k) {
        const int index = d.pointPos + k;
        fraction += index >= 0 && index < count ? d.digits[index] : '0';
    }
    // Optional '#' places drop their trailing zeros; forced '0' places stay.
    while (static_cast<int>(fraction.size()) > m.forcedDecimals && fraction.back() == '0')
        fraction.pop_back();

    std::string out = d.negative && !d.digits.empty() ? "-" : "";
    out += whole;
    if (m.hasPoint)
        out += '.' + fraction;
    return m.prefix + out + m.suffix;
}

template <typename T>
std::string formatMaskOf(T value, std::string_view mask, int maxSignificant)
{
    // An empty mask, like a value that has no digits, shows the cell text.
    if (!std::isfinite(value) || mask.empty())
        return cellTextOf(value, maxSignificant);
    return maskDigits(shortestDigits(value, maxSignificant), parseMask(mask));
}

} // namespace

// ---------------------------------------------------------------- public

double leadingNumber(std::string_view text)
{
    const std::string s = withoutBlanks(text);
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = s[1];
        if (kind == 'H' || kind == 'h')
            return valBased(std::string_view(s).substr(2), 16);
        if (kind == 'O' || kind == 'o')
            return valBased(std::string_view(s).substr(2), 8);
        return 0.0;
    }
    return valDecimal(s);
}

std::optional<std::int64_t> roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double below = std::floor(value);
    const double fraction = value - below; // exact for every double
    double nearest = below;
    // below is a whole number, so halving it and doubling back is exact: an
    // odd one does not come back (cheaper than fmod on every pixel of a pass).
    if (fraction > 0.5 || (fraction == 0.5 && std::floor(below / 2) * 2 != below))
        nearest = below + 1.0;
    const double limit = std::ldexp(1.0, 63);
    if (nearest < -limit || nearest >= limit)
        return std::nullopt;
    return static_cast<std::int64_t>(nearest);
}

std::optional<std::int16_t> roundToInt16(double value)
{
    const auto nearest = roundHalfEven(value);
    if (!nearest || *nearest < std::numeric_limits<std::int16_t>::min()
        || *nearest > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(*nearest);
}

double intFloor(double value) { return std::floor(value); }

std::optional<float> toSinglePrecision(double value)
{
    // Values up to half a unit above the largest single still round to it;
    // from the midpoint on the conversion would give infinity.
    const double overflowFrom = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);
    if (!std::isfinite(value) || std::fabs(value) >= overflowFrom)
        return std::nullopt;
    return static_cast<float>(value);
}

std::string printText(float value) { return printTextOf(value, 7); }
std::string printText(double value) { return printTextOf(value, 15); }

std::string printText(std::int64_t value)
{
    const std::string digits = std::to_string(value);
    return (value < 0 ? "" : " ") + digits + ' ';
}

int printWidth(std::string_view text)
{
    int width = 0;
    for (unsigned char c : text) {
        if (c < 0x80)
            width += 1;
        else if ((c & 0xC0) != 0x80) // lead byte of a character outside ASCII
            width += 2;
    }
    return width;
}

PrintLine& PrintLine::add(std::string_view text)
{
    text_ += text;
    if (!text.empty())
        afterSeparator_ = false;
    return *this;
}

PrintLine& PrintLine::nextZone()
{
    constexpr int zone = 14;
    const int width = printWidth(text_);
    // The next item starts at the first zone start after the text's end; a
    // separator with nothing printed before it in its zone moves a whole zone.
    const int target = afterSeparator_ ? (width / zone + 1) * zone
                                       : (width + zone - 1) / zone * zone;
    text_.append(static_cast<std::size_t>(target - width), ' ');
    afterSeparator_ = true;
    return *this;
}

std::string cellText(float value) { return cellTextOf(value, 7); }
std::string cellText(double value) { return cellTextOf(value, 15); }

std::string formatMask(double value, std::string_view mask)
{
    return formatMaskOf(value, mask, 15);
}

std::string formatMaskSingle(float value, std::string_view mask)
{
    return formatMaskOf(value, mask, 7);
}

} // namespace kv

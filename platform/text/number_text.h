// Number <-> text rules shared by every window and file: reading the number at
// the start of a text, whole-number conversions, print-style text (files and
// pictures), cell text and display masks. None of it follows the locale.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// The number at the start of a text. Blanks, tabs and line feeds are skipped
// wherever they stand; the longest leading run forming a decimal number (sign,
// digits, one point, exponent with E or D) is taken, or a hexadecimal/octal
// number after "&H"/"&O". A text that starts with no number gives 0.
double leadingNumber(std::string_view text);

// Nearest whole number, halves to the even neighbour, in 16 bits.
// Empty when the value is not finite or falls outside -32768..32767.
std::optional<std::int16_t> roundToInt16(double value);

// Nearest whole number, halves to even, in 64 bits (wider counterpart of roundToInt16).
// Empty when the value is not finite or does not fit.
std::optional<std::int64_t> roundHalfEven(double value);

// Largest whole number not above the value: -0.5 gives -1.
double intFloor(double value);

// Conversion to single precision. Empty when the value is not finite or lies
// beyond the single-precision range.
std::optional<float> toSinglePrecision(double value);

// Print-style text: a sign place (blank or "-"), the digits without a 0 before
// the point (.5), at most 7 significant digits for single and 15 for double,
// exponent form for very large or small values (1.5E+08), and one trailing blank.
std::string printText(float value);
std::string printText(double value);
std::string printText(std::int64_t value);
// Whole numbers of 16 or 32 bits (a dip, a count) without an ambiguous call.
inline std::string printText(int value) { return printText(static_cast<std::int64_t>(value)); }

// Columns a text takes in a print line: one for an ASCII character, two for
// any other (a Chinese character takes two bytes in the system code page).
int printWidth(std::string_view utf8);

// Builds one line of print-style output: items separated by a comma move to the
// next print zone of 14 columns (columns 1, 15, 29, ...).
class PrintLine {
public:
    // Appends text as it stands, right after what is there.
    PrintLine& add(std::string_view text);
    // Pads with blanks to the next zone start (a "," separator). A text that
    // ends exactly at a zone's end is followed at the next zone start; a
    // separator right after another one (or on an empty line) skips a zone.
    PrintLine& nextZone();
    const std::string& str() const { return text_; }

private:
    std::string text_;
    bool afterSeparator_ = true; // nothing printed since the last zone start
};

// Cell text: the shortest form without a leading blank and with the 0 before
// the point (0.5, -0.25, 135, 1E+20).
std::string cellText(float value);
std::string cellText(double value);

// Display mask such as "#0.0", "#0.00", "0.00", "000.0", "00.0", "0.00%",
// "0.0%", "#0.0%", "0": halves on the last shown digit round away from zero.
std::string formatMask(double value, std::string_view mask);
// The same for a single-precision value, rounded from its own shortest digits
// (2.675f gives "2.68" with "0.00", though as a double it lies below 2.675).
std::string formatMaskSingle(float value, std::string_view mask);

} // namespace kv

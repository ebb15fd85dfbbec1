// The x, y, value text file read by contouring packages: one point a line, no
// header, each item starting the next 14-column print zone. Items taken from a
// table cell are written as their text, unchanged; a computed value is written
// as print text (sign blank, up to 15 significant digits, trailing blank).
#pragma once

#include <string>
#include <vector>

namespace kv {

// One line's items, each as it is to be written.
struct XyzRow {
    std::string x;
    std::string y;
    std::string value;
};

// The print text of a computed value: 0 gives " 0 ", -0.25 gives "-.25 ".
std::string xyzComputedValue(double value);

std::string xyzValueLine(const XyzRow& row);
std::vector<std::string> xyzValueLines(const std::vector<XyzRow>& rows);

} // namespace kv

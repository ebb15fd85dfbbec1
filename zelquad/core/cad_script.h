// The CAD command script: a text the CAD program replays line by line as if it
// were typed, so every command, option, point and value stands on a line of its
// own and an empty line is an Enter (it accepts a default or ends a command; an
// Enter too many repeats the last command). The whole text is built in memory
// and saved in one piece, so a failed run never leaves half a script.
#pragma once

#include "platform/draw/drawing.h"

#include <string>
#include <string_view>
#include <vector>

namespace zq {

// A number as the script writes it: the shortest decimal text without blanks
// and without a 0 before the point (.5, -.25, 62.5, 100). The value's own type
// decides the digits: 7 significant for single precision, 15 for double, plain
// digits for whole numbers.
class ScriptNumber {
public:
    ScriptNumber(int value);
    ScriptNumber(float value);
    ScriptNumber(double value);
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

class CadScript {
public:
    // Limits, the five text styles, the five colour layers and ByLayer line type.
    void writeHeader();

    void line(ScriptNumber x1, ScriptNumber y1, ScriptNumber x2, ScriptNumber y2);
    void circle(ScriptNumber x, ScriptNumber y, ScriptNumber radius);
    // The upper half circle, counter-clockwise from its right end to its left end.
    void upperHalfArc(double x, double y, double radius);
    // An empty justification keeps the style's default (left on the base line).
    void text(std::string_view style, std::string_view justification, ScriptNumber x, ScriptNumber y,
              ScriptNumber height, ScriptNumber angle, std::string_view text);
    // A fitted curve through the points, tangents at both ends left to the CAD program.
    void spline(const std::vector<kv::Point>& points);

    // Makes the named layer current.
    void layer(std::string_view name);
    // Dashed line type for what follows, at a scale that shows the dashes on this sheet.
    void dashed();
    // Back to the line type of the layer.
    void solid();
    // Last line of every script.
    void zoomAll();

    const std::vector<std::string>& lines() const { return lines_; }

private:
    void put(std::string line) { lines_.push_back(std::move(line)); }
    void enter() { lines_.emplace_back(); }
    void point(const ScriptNumber& x, const ScriptNumber& y);

    std::vector<std::string> lines_;
};

} // namespace zq

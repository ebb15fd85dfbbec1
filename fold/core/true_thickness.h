// True thickness of a stratum from a traverse: the stratum's dip and dip
// direction, the traverse line's inclination and direction, and the slope
// distance measured along the traverse across the stratum. Angles in degrees
// (directions clockwise from north, dips and inclinations below the
// horizontal); the thickness is in the distance's unit.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Shown when the report can't be written (title "提示").
inline constexpr const char* kReportNotSavedMessage = "文件无法保存！";

// The five input boxes of the calculator.
enum class ThicknessBox {
    StratumDip,          // "岩层倾角：" 0..90
    StratumDipDirection, // "岩层倾向：" 0..360
    TraverseInclination, // "测线倾角：" 0..90
    TraverseDirection,   // "测线倾向：" 0..360
    SlopeDistance,       // "测线斜距：" 0 and above
};

// What the box's validator says when it loses the focus: empty when the text
// is accepted, else the message to show (title "提示") before the box is
// emptied. A value beyond single precision is refused too.
std::optional<std::string> thicknessBoxRefusal(ThicknessBox box, std::string_view text);

struct Traverse {
    double stratumDip = 0;          // alpha
    double stratumDipDirection = 0; // theta
    double traverseInclination = 0; // beta
    double traverseDirection = 0;   // phi
    double slopeDistance = 0;       // L
};

// The traverse's length across the stratum, measured along the stratum's
// normal, in single precision. Empty when a value or the result lies beyond
// single precision.
std::optional<float> trueThickness(const Traverse& traverse);

// The thickness as the result box shows it: rounded to two decimals, then in
// its shortest text (12.3, 12, .5, 0).
std::string thicknessText(float thickness);

// The box texts as they stand, input boxes and result.
struct ThicknessBoxTexts {
    std::string stratumDip;
    std::string stratumDipDirection;
    std::string traverseInclination;
    std::string traverseDirection;
    std::string slopeDistance;
    std::string thickness;
};

// Reads the five input texts (empty or non-numeric text counts as 0).
Traverse traverseOfTexts(const ThicknessBoxTexts& texts);

// The six report lines: each caption, blanks up to the second print zone
// (column 15, counting a Chinese character as two columns), the box text.
std::vector<std::string> thicknessReportLines(const ThicknessBoxTexts& texts);

} // namespace kv

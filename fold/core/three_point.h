// The attitude of a plane through three points (the three-point method) and
// the small coordinate file of the calculator. Coordinates are in any one
// length unit with X north, Y east and Z up.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// coordinates[point][axis]: points 0..2, axes 0 = X (north), 1 = Y (east), 2 = Z (up).
using ThreePoints = std::array<std::array<double, 3>, 3>;

// Shown when the points define no plane or the numbers overflow (title "提示").
inline constexpr const char* kThreePointFaultMessage = "坐标数据有误！";
// Shown when a coordinate file can't be read (title "提示").
inline constexpr const char* kCoordinateFileFaultMessage = "坐标数据出错！";
// Shown when a coordinate file or report can't be written (title "提示").
inline constexpr const char* kFileNotSavedMessage = "文件无法保存！";

struct PlaneThroughPoints {
    float strike = 0; // degrees clockwise from north, 0..90 or 270..360
    float dip = 0;    // degrees, 0..90
    // Quadrant the plane dips into: "NE", "SE", "NW", "SW", "N", "S", "E",
    // "W"; empty for a horizontal plane, "无" for a vertical one.
    std::string dipQuadrant;
};

// The plane through the points; empty when they are coincident or collinear
// or a coefficient overflows single precision.
std::optional<PlaneThroughPoints> planeThroughPoints(const ThreePoints& points);

// The result line: "走向：315.0     倾角：54.7     倾向：NE".
std::string threePointResultText(const PlaneThroughPoints& plane);

// The file's lines: the three points, one a line, X, Y and Z in print zones,
// then the result text as shown.
std::vector<std::string> coordinateFileLines(const ThreePoints& points, const std::string& resultText);

struct CoordinateFileRead {
    ThreePoints points{};
    std::array<std::string, 9> boxTexts; // texts for the nine boxes, X, Y, Z of each point in turn
};

// The first nine values of a file (commas, blanks or line ends between them;
// anything after them ignored). An item that is not a number counts as 0.
// Empty when the file holds fewer than nine values or a number too large to
// hold.
std::optional<CoordinateFileRead> parseCoordinateFile(const std::string& text);

} // namespace kv

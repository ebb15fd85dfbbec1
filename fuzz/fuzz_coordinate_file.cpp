// The three-point calculator's coordinate file. A file that is read gives
// nine finite coordinates, each box text its value's cell text, which reads
// back as the same value to the fifteen digits it shows and shows that value
// again; the plane through the points, when there
// is one, has its strike and dip in range. Saved again with the result line
// the file reads back as the same coordinates, to the fifteen digits the file
// keeps, and saving that gives the same lines.
#include "fold/core/three_point.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "kit/core/table_cells.h"
#include "platform/text/number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

using kv::fuzz::check;

namespace {

void planeInRange(const kv::PlaneThroughPoints& plane)
{
    check(std::isfinite(plane.strike) && std::isfinite(plane.dip), "the plane's angles are finite");
    check((plane.strike >= 0 && plane.strike <= 90) || (plane.strike >= 270 && plane.strike <= 360),
          "the strike lies in 0..90 or 270..360");
    check(plane.dip >= 0 && plane.dip <= 90, "the dip lies in 0..90");
    const std::string& q = plane.dipQuadrant;
    check(q.empty() || q == "无" || q == "NE" || q == "SE" || q == "NW" || q == "SW" || q == "N" || q == "S"
              || q == "E" || q == "W",
          "the dip quadrant is one of the named ones");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kv::fuzz::InputText input = kv::fuzz::inputText(data, size);
    const auto read = kv::parseCoordinateFile(input.text);
    if (!read)
        return 0;
    for (std::size_t k = 0; k < 9; ++k) {
        const double value = read->points[k / 3][k % 3];
        check(std::isfinite(value), "a coordinate is finite");
        check(read->boxTexts[k] == kv::cellText(value), "a box text is its coordinate's cell text");
        const auto back = kv::numberOfCellText(read->boxTexts[k]);
        check(back && kv::fuzz::sameToDigits(value, *back, 15), "a box text reads back as the coordinate to fifteen digits");
        check(back && kv::cellText(*back) == read->boxTexts[k], "a box text shows what it reads back as");
    }

    const auto plane = kv::planeThroughPoints(read->points);
    if (plane)
        planeInRange(*plane);
    const std::string result = plane ? kv::threePointResultText(*plane) : std::string();
    const auto saved = kv::coordinateFileLines(read->points, result);
    const auto written = kv::fuzz::writtenAndReadBack(saved, true);
    if (!written)
        return 0;
    const auto again = kv::parseCoordinateFile(*written);
    check(again.has_value(), "a saved file reads back");
    for (std::size_t k = 0; k < 9; ++k)
        check(kv::fuzz::sameToDigits(read->points[k / 3][k % 3], again->points[k / 3][k % 3], 15),
              "a coordinate reads back to fifteen digits");
    check(kv::coordinateFileLines(again->points, result) == saved, "saving it again gives the same lines");
    return 0;
}

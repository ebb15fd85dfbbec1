// The three-point calculator's coordinate file. A file is read exactly when
// its first nine items can be held (a word counts as 0), and gives their nine
// values, finite; each box text is its value's cell text, which reads back as
// the same value to the fifteen digits it shows and shows that value again.
// The plane through the points, when there is one, has its strike and dip in
// range. Saved again with the result line the file reads back as the same
// coordinates, to the fifteen digits the file keeps, and saving that gives
// the same lines.
#include "fold/core/three_point.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "kit/core/table_cells.h"
#include "platform/text/item_reader.h"
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
    // The first nine items: a number as it reads, a word as 0, a number
    // beyond any double refusing the file.
    kv::ItemReader items(input.text);
    bool held = true;
    for (std::size_t k = 0; k < 9 && held; ++k) {
        const auto item = items.next();
        held = item && (item->number || std::isfinite(kv::leadingNumber(item->text)));
        if (held && read)
            check(read->points[k / 3][k % 3] == item->number.value_or(0.0), "a coordinate is its item's number");
    }
    check(read.has_value() == held, "a file is read exactly when its first nine items can be held");
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

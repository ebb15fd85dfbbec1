// The grid method's pair of grid point files. The input is the file of the
// points before deformation and, after the first zero byte, the file of the
// points after it (the same file twice when there is none). A pair that is
// read has at least one row and one col, as many points as rows times cols,
// within the table's rows, the files' items in order, all finite; its table
// cells read back as the same numbers to the digits they show and are what a
// save of the table takes. Saved again it reads back as the same grid, the
// points to the seven digits the files keep, and saving that gives the same
// lines.
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "kit/core/table_cells.h"
#include "platform/text/item_reader.h"
#include "strain/core/grid_data_file.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

using kv::fuzz::check;

namespace {

void pointsInTable(const kv::GridData& grid)
{
    check(grid.rows >= 1 && grid.cols >= 1, "a grid has rows and cols");
    check(grid.points.size() == static_cast<std::size_t>(static_cast<int>(grid.rows) * grid.cols),
          "there are rows times cols points");
    check(grid.points.size() <= static_cast<std::size_t>(kv::kGridTableLastRow), "no more points than table rows");
    for (const std::int16_t count : {grid.rows, grid.cols}) {
        const auto back = kv::numberOfCellText(kv::gridCountText(count));
        check(back.has_value() && *back == count, "a count's cell text reads back the same");
    }
    for (const kv::GridPointPair& p : grid.points) {
        for (const float v : {p.x0, p.y0, p.x1, p.y1}) {
            check(std::isfinite(v), "a coordinate is finite");
            const std::string text = kv::gridCoordinateText(v);
            const auto back = kv::singleOfCellText(text);
            check(back && kv::fuzz::sameToDigits(v, *back, 7), "a coordinate's cell text reads back to seven digits");
            check(back && kv::gridCoordinateText(*back) == text, "a coordinate's cell text shows what it reads back as");
        }
    }
}

bool samePoint(const kv::GridPointPair& a, const kv::GridPointPair& b)
{
    using kv::fuzz::sameToDigits;
    return sameToDigits(a.x0, b.x0, 7) && sameToDigits(a.y0, b.y0, 7) && sameToDigits(a.x1, b.x1, 7)
        && sameToDigits(a.y1, b.y1, 7);
}

// The points of one file are its items after the three of the header, two a
// point, in single precision.
void pointsAreItems(const std::string& text, const kv::GridData& grid, bool deformed)
{
    kv::ItemReader items(text);
    for (int i = 0; i < 3; ++i)
        items.next();
    for (const kv::GridPointPair& p : grid.points)
        for (const float v : deformed ? std::initializer_list<float>{p.x1, p.y1}
                                      : std::initializer_list<float>{p.x0, p.y0}) {
            const auto item = items.next();
            check(item && item->number && static_cast<float>(*item->number) == v, "the points are the files' items");
        }
}

// The cells the window fills from a grid: rows and cols in row 1, columns 5
// and 6; point i in row i, columns 1 to 4.
std::vector<std::vector<std::string>> tableRows(const kv::GridData& grid)
{
    std::vector<std::vector<std::string>> rows;
    for (const kv::GridPointPair& p : grid.points)
        rows.push_back({kv::gridCoordinateText(p.x0), kv::gridCoordinateText(p.y0), kv::gridCoordinateText(p.x1),
                        kv::gridCoordinateText(p.y1)});
    rows[0].push_back(kv::gridCountText(grid.rows));
    rows[0].push_back(kv::gridCountText(grid.cols));
    return rows;
}

// The table the read filled is what a save takes.
void tableSavesTheGrid(const kv::GridData& grid)
{
    const auto table = kv::gridDataFromTable(kv::fuzz::CellTable(tableRows(grid)));
    check(std::holds_alternative<kv::GridData>(table), "the table a read filled can be saved");
    const kv::GridData& saved = std::get<kv::GridData>(table);
    check(saved.rows == grid.rows && saved.cols == grid.cols && saved.points.size() == grid.points.size(),
          "the table holds the grid read");
    for (std::size_t i = 0; i < grid.points.size(); ++i) {
        const kv::GridPointPair& a = grid.points[i];
        const kv::GridPointPair& b = saved.points[i];
        check(samePoint(a, b), "the table holds the points read, to seven digits");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* zero = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    const std::size_t firstSize = zero ? static_cast<std::size_t>(zero - data) : size;
    const kv::fuzz::InputText initial = kv::fuzz::inputText(data, firstSize);
    const kv::fuzz::InputText deformed =
        zero ? kv::fuzz::inputText(zero + 1, size - firstSize - 1) : initial;

    const auto read = kv::parseGridDataFiles(initial.text, deformed.text);
    if (const auto* refusal = std::get_if<kv::GridDataRefusal>(&read)) {
        check(*refusal == kv::GridDataRefusal::BadData, "texts are refused only as bad data");
        return 0;
    }
    const kv::GridData& grid = std::get<kv::GridData>(read);
    pointsInTable(grid);
    pointsAreItems(initial.text, grid, false);
    pointsAreItems(deformed.text, grid, true);
    tableSavesTheGrid(grid);

    const kv::GridDataLines saved = kv::gridDataFileLines(grid);
    const bool decoded = initial.decoded && deformed.decoded;
    const auto initialBack = kv::fuzz::writtenAndReadBack(saved.initial, decoded);
    const auto deformedBack = kv::fuzz::writtenAndReadBack(saved.deformed, decoded);
    if (!initialBack || !deformedBack)
        return 0;
    const auto again = kv::parseGridDataFiles(*initialBack, *deformedBack);
    check(std::holds_alternative<kv::GridData>(again), "a saved pair reads back");
    const kv::GridData& back = std::get<kv::GridData>(again);
    check(back.rows == grid.rows && back.cols == grid.cols, "rows and cols read back the same");
    check(back.points.size() == grid.points.size(), "every point reads back");
    for (std::size_t i = 0; i < grid.points.size(); ++i)
        check(samePoint(grid.points[i], back.points[i]), "a point reads back to seven digits");
    const kv::GridDataLines resaved = kv::gridDataFileLines(back);
    check(resaved.initial == saved.initial && resaved.deformed == saved.deformed, "saving it again gives the same lines");
    return 0;
}

#include "strain/core/curvature_table_file.h"

#include "strain/core/xyz_value_file.h"

namespace kv {

std::vector<std::string> curvatureTableLines(const CellText& cell, int rowCount)
{
    std::vector<std::string> lines;
    for (int row = 1; row < rowCount; ++row) {
        const std::string x = cell(row, 1);
        if (isBlankCell(x))
            break;
        lines.push_back(xyzValueLine({x, cell(row, 2), cell(row, 3)}));
    }
    return lines;
}

} // namespace kv

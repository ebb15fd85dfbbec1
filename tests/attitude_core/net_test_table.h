// A data table for the net engine tests: rows from 1, columns from 1; every
// cell outside the given rows is empty. Remembers the deepest row read.
#pragma once

#include "attitude/core/net_state.h"

#include <string>
#include <vector>

namespace kv::test {

struct NetTable {
    std::vector<std::vector<std::string>> rows;
    mutable int deepestRow = 0;

    CellText cells() const
    {
        return [this](int row, int column) -> std::string {
            if (row > deepestRow)
                deepestRow = row;
            if (row < 1 || row > static_cast<int>(rows.size()))
                return "";
            const auto& r = rows[static_cast<std::size_t>(row - 1)];
            return column >= 1 && column <= static_cast<int>(r.size()) ? r[static_cast<std::size_t>(column - 1)] : "";
        };
    }
};

// n copies of one row.
inline NetTable repeatedRows(int n, std::vector<std::string> row)
{
    NetTable t;
    t.rows.assign(static_cast<std::size_t>(n), row);
    return t;
}

} // namespace kv::test

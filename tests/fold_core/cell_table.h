// A data table for the fold tests: the given rows from row 1 on, every other
// cell empty. Fails the test when a row beyond the table's last row is read.
#pragma once

#include "fold/core/fold_table.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kv::test {

using Rows = std::vector<std::pair<std::string, std::string>>;

inline CellText cellsOf(Rows rows)
{
    return [rows = std::move(rows)](int row, int column) -> std::string {
        EXPECT_GE(row, 1);
        EXPECT_LE(row, kFoldTableLastRow);
        EXPECT_TRUE(column == 1 || column == 2);
        if (row < 1 || row > static_cast<int>(rows.size()))
            return "";
        const auto& r = rows[static_cast<std::size_t>(row - 1)];
        return column == 1 ? r.first : r.second;
    };
}

} // namespace kv::test

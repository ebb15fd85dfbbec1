#include "bench/table_rows.h"

namespace kv::bench {

CellText cellsOf(const Rows& rows)
{
    return [&rows](int row, int column) -> std::string {
        if (row < 1 || row > static_cast<int>(rows.size()) || column < 1)
            return "";
        const auto& r = rows[static_cast<std::size_t>(row - 1)];
        return column <= static_cast<int>(r.size()) ? r[static_cast<std::size_t>(column - 1)] : "";
    };
}

const Rows& jointSets()
{
    static const Rows rows = [] {
        Rows r;
        for (int i = 0; i < 499; ++i) {
            int direction = 0, dip = 0;
            switch (i % 3) {
            case 0: direction = 120 + (i * 7) % 31; dip = 45 + (i * 11) % 21; break;
            case 1: direction = 250 + (i * 13) % 27; dip = 70 + (i * 5) % 21; break;
            default: direction = (i * 37) % 360; dip = 80 + (i * 3) % 11; break;
            }
            r.push_back({std::to_string(direction), std::to_string(dip)});
        }
        return r;
    }();
    return rows;
}

} // namespace kv::bench

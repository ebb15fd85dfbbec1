#include "fold/core/rheometer_table.h"

#include <array>

namespace kv {

FoldTableRead readFoldTable(const CellText& cell)
{
    std::array<std::string, kFoldMeasurementCount> texts;
    for (int i = 0; i < kFoldMeasurementCount; ++i) {
        texts[i] = cell(kFoldMeasurementRow, kFoldFirstMeasurementColumn + i);
        if (isBlankCell(texts[i]))
            return {FoldTableRead::Outcome::BlankCell, {}};
    }
    std::array<float, kFoldMeasurementCount> values{};
    for (int i = 0; i < kFoldMeasurementCount; ++i) {
        const std::optional<float> value = singleOfCellText(texts[i]);
        if (!value)
            return {FoldTableRead::Outcome::BadNumber, {}};
        values[i] = *value;
    }
    FoldTableRead read;
    read.outcome = FoldTableRead::Outcome::Complete;
    read.measurements = {values[0], values[1], values[2], values[3], values[4], values[5]};
    return read;
}

} // namespace kv

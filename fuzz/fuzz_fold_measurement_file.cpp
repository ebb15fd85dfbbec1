// The rheometer's measurement file (read only). A file either gives its six
// measurements or one of the reasons it gives none. The six are the file's
// first six items, in order, as finite singles; the cell text each gets in row 1 is its value's cell text, which
// reads back as the same single to the seven digits it shows and shows that
// single again; reading the file changes the two
// data columns of rows 1 to 100 and then the six measurement cells, nothing
// else.
#include "fold/core/rheometer_files.h"
#include "fold/core/rheometer_table.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_text.h"
#include "kit/core/table_cells.h"
#include "platform/text/item_reader.h"
#include "platform/text/number_text.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

using kv::fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const kv::fuzz::InputText input = kv::fuzz::inputText(data, size);
    const auto read = kv::parseMeasurementText(input.text);
    if (const auto* fault = std::get_if<kv::MeasurementFileFault>(&read)) {
        check(*fault != kv::MeasurementFileFault::CannotRead, "parsing text never fails to read");
        return 0;
    }
    const kv::MeasurementFile& file = std::get<kv::MeasurementFile>(read);
    const kv::FoldMeasurements& m = file.measurements;
    const float values[] = {m.y1, m.y2, m.y3, m.arcLength, m.wavelength, m.thickness};
    kv::ItemReader items(input.text);
    for (std::size_t i = 0; i < 6; ++i) {
        const auto item = items.next();
        check(item && item->number && static_cast<float>(*item->number) == values[i],
              "the measurements are the file's first six items, in order");
        check(std::isfinite(values[i]), "a measurement is finite");
        check(file.cellTexts[i] == kv::cellText(values[i]), "a measurement's cell text is its value's");
        const auto back = kv::singleOfCellText(file.cellTexts[i]);
        check(back && kv::fuzz::sameToDigits(values[i], *back, 7),
              "a measurement's cell text reads back as the same single to seven digits");
        check(back && kv::cellText(*back) == file.cellTexts[i], "a measurement's cell text shows what it reads back as");
    }

    const auto edits = kv::tableEditsOfMeasurementFile(file);
    const std::size_t emptied = static_cast<std::size_t>(kv::kFoldTableRows - 1) * 2;
    check(edits.size() == emptied + kv::kFoldMeasurementCount, "the data columns are emptied, then six cells written");
    for (std::size_t i = 0; i < edits.size(); ++i) {
        const kv::FoldCellEdit& e = edits[i];
        check(e.row >= 1 && e.row < kv::kFoldTableRows, "an edit stays in the table's data rows");
        if (i < emptied) {
            check(e.text.empty() && (e.column == 1 || e.column == 2), "only the two data columns are emptied");
        } else {
            const std::size_t k = i - emptied;
            check(e.row == kv::kFoldMeasurementRow
                      && e.column == kv::kFoldFirstMeasurementColumn + static_cast<int>(k)
                      && e.text == file.cellTexts[k],
                  "the measurements go into row 1 in their order");
        }
    }
    return 0;
}

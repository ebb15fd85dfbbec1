#include "fold/core/rheometer_files.h"

#include "fold/core/rheometer_session.h"
#include "platform/text/item_reader.h"
#include "platform/text/number_text.h"
#include "platform/text/text_file.h"

#include <cmath>
#include <initializer_list>

namespace kv {

std::variant<MeasurementFile, MeasurementFileFault> parseMeasurementText(const std::string& decodedText)
{
    // Items are read freely, as list input reads them; only the first six count.
    ItemReader reader(decodedText);
    std::array<float, 6> values{};
    MeasurementFile file;
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::optional<ItemReader::Item> item = reader.next();
        if (!item)
            return MeasurementFileFault::TooFewNumbers;
        // A number too large even for double precision reads as no number.
        if (!item->number)
            return MeasurementFileFault::NotANumber;
        const std::optional<float> value = toSinglePrecision(*item->number);
        if (!value)
            return MeasurementFileFault::BeyondPrecision;
        values[i] = *value;
        file.cellTexts[i] = cellText(*value);
    }
    file.measurements = {values[0], values[1], values[2], values[3], values[4], values[5]};
    return file;
}

std::variant<MeasurementFile, MeasurementFileFault> readMeasurementFile(const std::string& path)
{
    const TextReadResult read = readTextFile(path);
    if (read.error != FileError::None)
        return MeasurementFileFault::CannotRead;
    return parseMeasurementText(read.text);
}

namespace {

// Columns 1 and 2 of every row emptied.
std::vector<FoldCellEdit> emptiedProfileColumns()
{
    std::vector<FoldCellEdit> edits;
    for (int row = 1; row < kFoldTableRows; ++row)
        for (int column = 1; column <= 2; ++column)
            edits.push_back({row, column, std::string()});
    return edits;
}

} // namespace

std::vector<FoldCellEdit> tableEditsOfFailedMeasurementRead(MeasurementFileFault fault)
{
    if (fault == MeasurementFileFault::CannotRead)
        return {};
    return emptiedProfileColumns();
}

std::vector<FoldCellEdit> tableEditsOfMeasurementFile(const MeasurementFile& file)
{
    std::vector<FoldCellEdit> edits = emptiedProfileColumns();
    for (int i = 0; i < kFoldMeasurementCount; ++i)
        edits.push_back({kFoldMeasurementRow, kFoldFirstMeasurementColumn + i, file.cellTexts[i]});
    return edits;
}

namespace {

struct ReportValue {
    std::optional<float> value;
    const char* mask;
};

// One line: the label, then each value in its mask, nothing between them.
// Empty when a value is not a number.
std::optional<std::string> reportLine(const char* label, std::initializer_list<ReportValue> values)
{
    PrintLine line;
    line.add(label);
    for (const ReportValue& v : values) {
        if (!v.value || !std::isfinite(*v.value))
            return std::nullopt;
        line.add(formatMaskSingle(*v.value, v.mask));
    }
    return line.str();
}

} // namespace

std::variant<std::vector<std::string>, ReportFault> foldReportLines(const RheometerState& state)
{
    const FoldMeasurements& m = state.measurements;
    const FoldShape& s = state.shape;
    const std::optional<std::string> lines[] = {
        reportLine("褶皱形态几何分析参数结果：", {}),
        reportLine("", {}),
        reportLine("1/4波长三等分点Y坐标值：", {{m.y1, "#0.0"}, {m.y2, " #0.0"}, {m.y3, " #0.0"}}),
        reportLine("褶皱弧长             L：", {{m.arcLength, "#0.0"}}),
        reportLine("褶皱波长             W：", {{m.wavelength, "#0.0"}}),
        reportLine("褶皱厚度             h：", {{m.thickness, "#0.0"}}),
        reportLine("褶皱主波长比       L/h：", {{s.lengthToThickness, "#0.0"}}),
        reportLine("褶皱缩短率           S：", {{s.shortening, "#0.0%"}}),
        reportLine("褶皱翼倾角        ALFA：", {{s.limbDip, "#0.0"}}),
        reportLine("褶皱曲率指数        Ki：", {{s.curvatureIndex, "#0.00"}}),
        reportLine("褶皱能干层应力指数N  L：", {{state.stressExponent, "#0.0"}}),
        reportLine("能干层与基质粘度比   M：", {{state.viscosityRatio, "#0.0"}}),
    };
    std::vector<std::string> out;
    for (const auto& line : lines) {
        if (!line)
            return ReportFault::NoNumber;
        out.push_back(*line);
    }
    return out;
}

std::optional<ReportFault> writeFoldReport(const std::string& path, const RheometerState& state)
{
    const auto lines = foldReportLines(state);
    if (const auto* fault = std::get_if<ReportFault>(&lines))
        return *fault;
    if (writeTextFile(path, std::get<std::vector<std::string>>(lines)) != FileError::None)
        return ReportFault::CannotWrite;
    return std::nullopt;
}

} // namespace kv

#include "fold/core/rheometer_session.h"

#include "platform/text/number_text.h"

namespace kv {

namespace {

// The ratio of the current L/h and stress exponent; empty when either is not a number.
std::optional<float> ratioOf(const RheometerState& state)
{
    if (!state.stressExponent)
        return std::nullopt;
    return viscosityRatio(state.shape.lengthToThickness, *state.stressExponent);
}

} // namespace

AnalysisOutcome runFoldAnalysis(RheometerState& state, const CellText& cell)
{
    const FoldTableRead read = readFoldTable(cell);
    if (read.outcome == FoldTableRead::Outcome::BlankCell)
        return AnalysisOutcome::NothingToDo;
    if (read.outcome == FoldTableRead::Outcome::BadNumber)
        return AnalysisOutcome::BadData;
    const auto analysed = analyseFold(read.measurements);
    if (!std::holds_alternative<FoldShape>(analysed))
        return AnalysisOutcome::BadData;

    state.measurements = read.measurements;
    state.shape = std::get<FoldShape>(analysed);
    // A ratio left from the old L/h would pair with the new measurements in a saved report.
    state.viscosityRatio = ratioOf(state);
    state.saveDataEnabled = true;
    return AnalysisOutcome::Analysed;
}

std::string changeStressExponent(RheometerState& state, std::string_view stressExponentText)
{
    state.stressExponent = toSinglePrecision(leadingNumber(stressExponentText));
    state.viscosityRatio = ratioOf(state);
    return viscosityRatioText(state);
}

std::string viscosityRatioText(const RheometerState& state)
{
    return state.viscosityRatio ? cellText(*state.viscosityRatio) : std::string();
}

void applyMeasurementFile(RheometerState& state, const MeasurementFile& file)
{
    state.measurements = file.measurements;
    state.saveDataEnabled = false;
}

void disableSaveData(RheometerState& state) { state.saveDataEnabled = false; }

} // namespace kv

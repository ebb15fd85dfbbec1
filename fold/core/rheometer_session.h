// The rheometer window's values and what its commands do to them, apart from
// any widget: the window keeps one RheometerState for as long as it is open
// (a new opening starts from zeros) and turns each outcome into its views and
// messages.
#pragma once

#include "fold/core/rheometer_analysis.h"
#include "fold/core/rheometer_files.h"
#include "fold/core/rheometer_table.h"

#include <optional>
#include <string>
#include <string_view>

namespace kv {

struct RheometerState {
    FoldMeasurements measurements; // y1, y2, y3, L, W, h of the last analysis or file read
    FoldShape shape;               // a1, a3, a5, alfa, S, L/h and Ki of the last analysis
    // NL and M. Empty when the stress-exponent text or the ratio it gives is
    // beyond single precision: the ratio box then shows no number.
    std::optional<float> stressExponent = 0.0f;
    std::optional<float> viscosityRatio = 0.0f;
    // File > "保存数据": enabled at opening and by each analysis; disabled by a
    // file read (whether it succeeds or not) and by any key in the table.
    bool saveDataEnabled = true;
};

enum class AnalysisOutcome {
    Analysed,     // show the panel, select the profile chart and draw it, hide the legend
    NothingToDo,  // a blank measurement cell: nothing happens, nothing is shown
    BadData,      // "数据有误，请检查！" (title "提示"); the window stays as it was
};

// Operate > "褶皱几何分析". On Analysed the measurements and the shape are
// replaced, the viscosity ratio follows the new L/h with the current stress
// exponent, and File > "保存数据" is enabled; otherwise nothing changes.
AnalysisOutcome runFoldAnalysis(RheometerState& state, const CellText& cell);

// Every change of the stress-exponent box: NL is the number at the start of the
// text (empty or non-numeric text gives 0) and M follows from the last L/h.
// Returns the ratio box's new text.
std::string changeStressExponent(RheometerState& state, std::string_view stressExponentText);

// The ratio box's text: M in its shortest form (579.4118, 0), or nothing when
// M is not a number.
std::string viscosityRatioText(const RheometerState& state);

// File > "打开数据" ended with a read file: the six measurements replace the
// old ones (the shape keeps its values until the next analysis). The window
// also applies tableEditsOfMeasurementFile(). File > "保存数据" is disabled.
void applyMeasurementFile(RheometerState& state, const MeasurementFile& file);

// A failed read or a key in the table: File > "保存数据" is disabled.
void disableSaveData(RheometerState& state);

} // namespace kv

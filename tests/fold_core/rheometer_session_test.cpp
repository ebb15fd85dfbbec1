#include "fold/core/rheometer_session.h"

#include <gtest/gtest.h>

#include <array>

namespace kv {
namespace {

using Row = std::array<const char*, 6>; // y1, y2, y3, L, W, h

// Row 1 of the table; every other cell holds text that must never be read.
CellText tableWith(const Row& row)
{
    return [row](int r, int c) -> std::string {
        EXPECT_EQ(r, 1);
        EXPECT_TRUE(c >= 1 && c <= 6) << c;
        return r == 1 && c >= 1 && c <= 6 ? row[c - 1] : "99";
    };
}

const Row kSineFold{"0.5", "0.866", "1", "100", "80", "5"};

TEST(FoldTable, CellsThatAreNotSixNumbersAnalyseNothing)
{
    const struct {
        Row row;
        AnalysisOutcome outcome;
    } cases[] = {
        {{" 0.5 ", "+0.866", "1", "1E2", "80.", "5"}, AnalysisOutcome::Analysed},
        {{"0.5", "0.866", "1", "100", "80", ""}, AnalysisOutcome::NothingToDo},
        {{"0.5", "   ", "1", "100", "80", "5"}, AnalysisOutcome::NothingToDo},
        {{"-", "0.866", "1", "100", "80", ""}, AnalysisOutcome::NothingToDo}, // a blank cell wins
        {{"-", "0.866", "1", "100", "80", "5"}, AnalysisOutcome::BadData},
        {{".", "0.866", "1", "100", "80", "5"}, AnalysisOutcome::BadData},
        {{"0.5", "0.8.66", "1", "100", "80", "5"}, AnalysisOutcome::BadData},
        {{"0.5", "0.866", "1-2", "100", "80", "5"}, AnalysisOutcome::BadData},
        {{"0.5", "0.866", "1", "1e39", "80", "5"}, AnalysisOutcome::BadData},
        {{"0.5", "0.866", "1", "1e", "80", "5"}, AnalysisOutcome::BadData},
        {{"0.5", "0.866", "1", "0", "80", "5"}, AnalysisOutcome::BadData},
        {{"0.5", "0.866", "1", "100", "80", "-0"}, AnalysisOutcome::BadData},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row[0] << "|" << c.row[1] << "|" << c.row[2] << "|"
                                        << c.row[3] << "|" << c.row[4] << "|" << c.row[5]);
        RheometerState state;
        changeStressExponent(state, "3");
        state.saveDataEnabled = false;
        EXPECT_EQ(runFoldAnalysis(state, tableWith(c.row)), c.outcome);
        if (c.outcome == AnalysisOutcome::Analysed) {
            EXPECT_FLOAT_EQ(state.measurements.arcLength, 100);
            EXPECT_TRUE(state.saveDataEnabled);
        } else { // the window stays as it was
            EXPECT_EQ(state.measurements.arcLength, 0);
            EXPECT_EQ(state.shape.curvatureIndex, 0);
            EXPECT_EQ(viscosityRatioText(state), "0");
            EXPECT_FALSE(state.saveDataEnabled);
        }
    }
}

TEST(FoldSession, ViscosityRatioFollowsTheTextAndEachNewAnalysis)
{
    RheometerState state;
    EXPECT_EQ(changeStressExponent(state, "3"), "0"); // no analysis yet: L/h is 0
    ASSERT_EQ(runFoldAnalysis(state, tableWith(kSineFold)), AnalysisOutcome::Analysed);
    // (20 / 3.46)^3 * 3; the ratio follows the new L/h without a new text.
    EXPECT_NEAR(*state.viscosityRatio, 579.406, 0.001);
    EXPECT_EQ(viscosityRatioText(state), "579.4059");

    ASSERT_EQ(runFoldAnalysis(state, tableWith({"0.5", "0.866", "1", "100", "80", "10"})),
              AnalysisOutcome::Analysed);
    EXPECT_NEAR(*state.viscosityRatio, 72.4257, 0.001); // (10 / 3.46)^3 * 3

    const struct {
        const char* text;
        const char* box;
    } texts[] = {{"", "0"}, {"abc", "0"}, {"1", "24.14191"}, {"2x", "48.28383"}, {"1e39", ""}, {"3e37", ""}};
    for (const auto& t : texts)
        EXPECT_EQ(changeStressExponent(state, t.text), t.box) << t.text;
    // A ratio without a number stays so through an analysis until the text changes.
    ASSERT_EQ(runFoldAnalysis(state, tableWith(kSineFold)), AnalysisOutcome::Analysed);
    EXPECT_EQ(viscosityRatioText(state), "");
}

TEST(FoldSession, SaveDataIsEnabledOnlyBetweenAnAnalysisAndTheNextReadOrEdit)
{
    RheometerState state;
    EXPECT_TRUE(state.saveDataEnabled); // a new window can save its zeros
    disableSaveData(state);             // a key in the table or a failed read
    EXPECT_FALSE(state.saveDataEnabled);
    runFoldAnalysis(state, tableWith(kSineFold));
    EXPECT_TRUE(state.saveDataEnabled);

    MeasurementFile file;
    file.measurements = {2, 3, 3.2f, 50, 40, 2};
    applyMeasurementFile(state, file);
    EXPECT_FALSE(state.saveDataEnabled);
    EXPECT_FLOAT_EQ(state.measurements.y3, 3.2f);
    EXPECT_FLOAT_EQ(state.shape.lengthToThickness, 20); // results wait for the next analysis
}

} // namespace
} // namespace kv

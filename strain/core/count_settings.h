// The reverse-wheel count's settings: how many parallel chords, and the step in
// degrees by which the chord set turns, as the settings dialog checks them.
#pragma once

#include "kit/core/table_cells.h"
#include "strain/core/notice.h"

#include <string_view>
#include <variant>

namespace kv {

// Last data row of the count table (row 0 holds the titles).
constexpr int kCountTableLastRow = 199;
// More chords than this would be closer together than the rows of any picture.
constexpr int kMostCountLines = 9999;

// Values as typed (not rounded); the count rounds the line count itself.
struct CountSettings {
    float nlines = 13;    // parallel chords; rounded half to even, must be odd
    float turnangle = 10; // rotation step, degrees, counter-clockwise on screen
};

enum class CountSettingsRefusal {
    EvenLineCount, // rounded line count even, or negative
    NonPositiveStep,
    TooManyLines,  // above kMostCountLines
    StepTooSmall,  // more orientations than the table has rows
    StepOutOfRange, // no single-precision value can hold it
};

// The dialog's OK: the leading numbers of the two box texts, checked in this
// order: odd line count, positive step, then the two limits.
std::variant<CountSettings, CountSettingsRefusal> checkCountSettings(std::string_view lineText,
                                                                      std::string_view stepText);

// The message box for a refusal (title "错误！").
Notice countSettingsNotice(CountSettingsRefusal refusal);

// Number of chords: the line count rounded, halves to even.
int chordCount(const CountSettings& settings);

// Orientations of one count, K + 1 with K = 180 / step (single precision)
// rounded halves to even: 19 for a step of 10, 27 for 7.
int orientationCount(const CountSettings& settings);

} // namespace kv

// Reading the fracture attitudes of a data file: pairs of numbers, dip
// direction then dip (degrees), separated by commas, blanks or line ends. Each
// record is checked as it is read; the first bad record stops the reading.
#pragma once

#include "kit/core/attitude.h"

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace zq {

// More than this is refused: far beyond any field survey, and every count and
// percentage stays well inside 32 bits.
constexpr std::size_t kMaxRecords = 1000000;

enum class RecordProblem {
    DipDirectionAbove360, // these two end the program
    DipAbove90,
    NotANumber,           // text, or a number too large to hold
    NegativeDipDirection,
    NegativeDip,
    MissingDip,           // the file ends after a dip direction
    NoRecords,
    TooManyRecords,
};

struct RecordFailure {
    RecordProblem problem;
    std::size_t record = 0; // 1-based number of the bad record; 0 when none applies
    friend bool operator==(const RecordFailure& a, const RecordFailure& b)
    {
        return a.problem == b.problem && a.record == b.record;
    }
};

// Whether the problem ends the whole program rather than returning to the dialog.
bool endsProgram(RecordProblem problem);

// Records that passed every check: at least one, at most kMaxRecords, every
// dip direction within 0..360 and every dip within 0..90 degrees.
class CheckedRecords {
public:
    // Checks records already held as numbers, in order. A smaller limit than
    // kMaxRecords lets a fuzzer reach the limit with inputs it can run quickly.
    static std::variant<CheckedRecords, RecordFailure> check(std::vector<kv::Attitude> records,
                                                             std::size_t mostRecords = kMaxRecords);
    const std::vector<kv::Attitude>& all() const { return records_; }
    std::size_t size() const { return records_.size(); }

private:
    explicit CheckedRecords(std::vector<kv::Attitude> records) : records_(std::move(records)) {}
    std::vector<kv::Attitude> records_;
    friend std::variant<CheckedRecords, RecordFailure> readFractureRecords(const std::string& text,
                                                                          std::size_t mostRecords);
};

// Reads and checks the records of a decoded data file text; more than
// mostRecords records are refused.
std::variant<CheckedRecords, RecordFailure> readFractureRecords(const std::string& text,
                                                                std::size_t mostRecords = kMaxRecords);

} // namespace zq

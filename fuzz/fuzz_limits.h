// Limits of the fuzz targets' own, shared with the program that writes the
// seeds at each reader's limit.
#pragma once

#include <cstddef>

namespace kv::fuzz {

// The attitude record reader takes its caller's limit (a table's rows); the
// fuzzer gives it a small one, so that inputs at the limit run quickly.
constexpr int kAttitudeRecords = 40;

// Zelquad's fracture reader is fuzzed with this limit instead of its million
// records: a million records take seconds a run under the sanitizers.
constexpr std::size_t kFractureRecords = 499;

} // namespace kv::fuzz

// Limits of the fuzz targets' own, shared with the program that writes the
// seeds at each reader's limit.
#pragma once

#include <cstddef>

namespace kv::fuzz {

// The attitude list tables hold 499 records (rows 1 to 499).
constexpr int kAttitudeTableRecords = 499;

// Zelquad's fracture reader is fuzzed with this limit instead of its million
// records: a million records take seconds a run under the sanitizers.
constexpr std::size_t kFractureRecords = 499;

} // namespace kv::fuzz

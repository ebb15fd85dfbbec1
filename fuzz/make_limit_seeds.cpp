// Writes, for every reader with a record limit, one seed file at the limit and
// one a record past it, into <folder>/<target>/. The fuzzer grows its inputs
// a few bytes at a time and would take far longer than a run to write some
// five hundred records; from these seeds a reader that takes one record too
// many is seen at once. Made at build time from the readers' own limits, so
// the seeds follow a limit that changes.
#include "attitude/core/net_state.h"
#include "attitude/core/rose_table.h"
#include "fold/core/fold_table.h"
#include "fuzz/fuzz_limits.h"
#include "strain/core/object_centres.h"

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// Varied but valid values: a dip direction, a dip, a ring letter.
std::string dipDirection(std::size_t i) { return std::to_string(i * 7 % 361); }
std::string dip(std::size_t i) { return std::to_string(i * 3 % 91); }

struct Format {
    const char* target;
    std::size_t limit;
    std::string (*header)(std::size_t records);
    std::string (*record)(std::size_t i);
};

std::string noHeader(std::size_t) { return std::string(); }
std::string commaRecord(std::size_t i) { return dipDirection(i) + ',' + dip(i) + "\r\n"; }
std::string tabRow(std::size_t i) { return dipDirection(i) + '\t' + dip(i) + '\n'; }
std::string shortRecord(std::size_t i) { return std::to_string(i % 10) + ' ' + std::to_string(i % 9) + '\n'; }
std::string orientationHeader(std::size_t) { return "limit\r\nP\r\n"; }
std::string petrofabricHeader(std::size_t records)
{
    return "s\r\n" + std::to_string(records) + "\r\no\r\n0\r\n0\r\nquartz\r\n0\r\n0\r\n";
}
std::string petrofabricRecord(std::size_t i) { return dipDirection(i) + ',' + dip(i) + ",a\r\n"; }
std::string betaHeader(std::size_t records)
{
    const std::size_t most = kv::kFoldTableLastRow;
    const std::size_t counted = records < most ? records : most;
    return std::to_string(counted - counted / 2) + ',' + std::to_string(counted / 2) + "\r\nN\r\n";
}

const Format kFormats[] = {
    {"fuzz_attitude_file", kv::fuzz::kAttitudeRecords, noHeader, commaRecord},
    {"fuzz_orientation_file", kv::kNetTableLastRow, orientationHeader, commaRecord},
    {"fuzz_petrofabric_file", kv::kNetTableLastRow, petrofabricHeader, petrofabricRecord},
    {"fuzz_pi_file", kv::kFoldTableLastRow, noHeader, commaRecord},
    {"fuzz_beta_limb_file", kv::kFoldTableLastRow, betaHeader, commaRecord},
    {"fuzz_rose_table", kv::kJointTableLastRow, noHeader, tabRow},
    {"fuzz_centre_file", kv::kMostCentres, noHeader, commaRecord},
    {"fuzz_fracture_records", kv::fuzz::kFractureRecords, noHeader, shortRecord},
};

bool writeSeed(const fs::path& file, const Format& format, std::size_t records)
{
    std::string text = format.header(records);
    for (std::size_t i = 0; i < records; ++i)
        text += format.record(i);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return out.good();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_limit_seeds <folder>\n");
        return 2;
    }
    for (const Format& format : kFormats) {
        const fs::path folder = fs::path(argv[1]) / format.target;
        std::error_code error;
        fs::create_directories(folder, error);
        if (error || !writeSeed(folder / "records-at-the-limit.txt", format, format.limit)
            || !writeSeed(folder / "records-one-past-the-limit.txt", format, format.limit + 1)) {
            std::fprintf(stderr, "make_limit_seeds: cannot write the seeds in %s\n", folder.string().c_str());
            return 1;
        }
    }
    return 0;
}
